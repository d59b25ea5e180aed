// The development pane without a window: fit, zoom limits, wheel and drag
// gestures, the fast pan, scaling and "Check Corresponding Surface" clicks.

#include <gtest/gtest.h>

#include <cmath>

#include "TestSupport.h"
#include "core/development/BoxGrid.h"
#include "core/development/DevelopmentGeometry.h"
#include "core/document/UpdateHints.h"
#include "core/platform/MessageSink.h"
#include "render/development/DevelopmentPaneEngine.h"
#include "render/development/JoinHighlightDrawing.h"

namespace plicora {
namespace {

class DevelopmentPaneTest : public ::testing::Test {
 protected:
  DevelopmentPaneTest() : doc(settings), engine(doc) {
    doc.AddView([this](int hint) { engine.OnUpdate(hint); });
    engine.SetCallbacks({[this] { ++invalidations; }, [this](int hint) { doc.UpdateAllViews(hint); }});
  }
  void Open(const char* name = "cube.plc") {
    OpenRequest request;
    request.path = test::FixturePath(name);
    request.interactive = false;
    ASSERT_TRUE(doc.OpenWorkFile(request).ok());
    engine.Resize(400, 300);
    ASSERT_TRUE(engine.Render());
  }
  double SheetPixels() const { return engine.view().PixelsPerCm() * settings.paperWidth; }
  /// Client pixel of a face's centre in the pattern.
  QPoint FaceCentre(const Face& face) const {
    Point2 sum;
    for (const HalfEdge* h : face.ring) {
      sum.x += h->devPos.x + face.part->offsetX;
      sum.y += h->devPos.y + face.part->offsetY;
    }
    const double n = static_cast<double>(face.ring.size());
    const Point2 p =
        MapDevelopmentPoint(engine.view(), engine.sheetArea(), doc.model()->devScale, {sum.x / n, sum.y / n});
    return QPoint(static_cast<int>(p.x), static_cast<int>(p.y));
  }
  void Click(QPoint at, QPoint release) {
    engine.MousePress(MouseButton::Left, at.x(), at.y(), PointerState{.left = true});
    engine.MouseRelease(MouseButton::Left, release.x(), release.y(), PointerState{});
  }
  int MarkedFaces() const {
    int n = 0;
    for (const Solid& s : doc.model()->solids)
      for (const Face& f : s.faces) n += f.marked;
    return n;
  }
  void Drag(PointerState buttons, QPoint from, QPoint to, MouseButton button = MouseButton::Right) {
    engine.MousePress(button, from.x(), from.y(), buttons);
    engine.MouseMove(to.x(), to.y(), buttons);
    engine.MouseRelease(button, to.x(), to.y(), PointerState{});
  }

  CollectingMessageSink sink;
  ScopedMessageSink scope{sink};
  Settings settings;
  CVorlanDoc doc;
  DevelopmentPaneEngine engine;
  int invalidations = 0;
};

TEST_F(DevelopmentPaneTest, ZoomStaysWithinTheSheetWidthLimits) {
  Open();
  const double fit = engine.view().viewFit;
  EXPECT_DOUBLE_EQ(fit, std::min(370.0 / engine.sheetArea().TotalWidth(), 270.0 / engine.sheetArea().TotalHeight()));
  doc.UpdateAllViews(HINT_ZOOM_IN);
  EXPECT_DOUBLE_EQ(engine.view().viewZoom, 1.2);
  while (SheetPixels() * kZoomInFactor <= kMaxSheetPixels) doc.UpdateAllViews(HINT_ZOOM_IN);
  const double top = engine.view().viewZoom;
  ASSERT_TRUE(engine.Render());
  doc.UpdateAllViews(HINT_ZOOM_IN);  // refused, but still rendered again
  EXPECT_EQ(engine.view().viewZoom, top);
  EXPECT_TRUE(engine.renderNeeded());
  for (int i = 0; i < 200; ++i) engine.Wheel(120);
  EXPECT_GE(SheetPixels(), kMinSheetPixels);
  EXPECT_LT(SheetPixels() * 0.88, kMinSheetPixels);

  engine.ShowEntire();
  engine.Wheel(120);  // one notch away from the user zooms out by 12 percent
  EXPECT_DOUBLE_EQ(engine.view().viewZoom, 0.88);
  settings.bZoomWheelInvert = true;
  engine.ShowEntire();
  engine.Wheel(120);
  EXPECT_DOUBLE_EQ(engine.view().viewZoom, 1.12);
  // Shift + right drag zooms by 1 + (dx + dy) / 100, divided when reversed.
  engine.ShowEntire();
  Drag(PointerState{.right = true, .shift = true}, {100, 100}, {110, 100});
  EXPECT_DOUBLE_EQ(engine.view().viewZoom, 1.0 / 1.1);
}

TEST_F(DevelopmentPaneTest, WheelZoomAboutTheCentreOrKeepingThePointUnderTheCursor) {
  Open();
  auto under = [&](double x, double y) {
    return UnmapClientPoint(engine.view(), engine.sheetArea(), doc.model()->devScale, Point2{x, y});
  };
  // About the centre (the default) three notches in and three out leave the
  // sheets smaller: 1.12 and 0.88 do not cancel.
  for (int amount : {-120, -120, -120, 120, 120, 120}) engine.Wheel(amount, 60.0, 70.0);
  EXPECT_DOUBLE_EQ(engine.view().viewZoom, std::pow(1.12 * 0.88, 3));
  EXPECT_EQ(engine.view().panX, 0.0);

  settings.bZoomAtCursor = true;
  for (bool reversed : {false, true}) {
    settings.bZoomWheelInvert = reversed;
    engine.ShowEntire();
    const Point2 start = under(60.0, 70.0);
    for (int amount : {-120, -120, -240, 120}) {
      engine.Wheel(amount, 60.0, 70.0);
      const Point2 now = under(60.0, 70.0);
      EXPECT_NEAR(now.x, start.x, 1e-9) << amount;
      EXPECT_NEAR(now.y, start.y, 1e-9) << amount;
    }
    for (int amount : {120, 240, -120, 120}) engine.Wheel(amount, 60.0, 70.0);
    EXPECT_DOUBLE_EQ(engine.view().viewZoom, 1.0) << reversed;
    EXPECT_NEAR(engine.view().panX, 0.0, 1e-9);
    EXPECT_NEAR(engine.view().panY, 0.0, 1e-9);
  }
}

TEST_F(DevelopmentPaneTest, AHighDensityScreenGetsTwiceThePixelsOfTheSamePicture) {
  Open();
  const QImage single = engine.Image().copy();
  engine.SetPixelRatio(2.0);
  engine.Resize(400, 300);
  ASSERT_TRUE(engine.Render());
  const QImage twice = engine.Image();
  ASSERT_EQ(twice.size(), QSize(800, 600));
  EXPECT_EQ(twice.devicePixelRatio(), 2.0);
  // The view stays in client pixels: the sheets cover the same place.
  EXPECT_EQ(engine.view().clientWidth, 400);
  const Point2 corner = SheetAreaCorner(engine.view(), engine.sheetArea());
  const QPoint inside(static_cast<int>(corner.x) + 3, static_cast<int>(corner.y) + 3);
  EXPECT_EQ(single.pixel(inside), qRgb(255, 255, 255));
  EXPECT_EQ(twice.pixel(inside * 2), qRgb(255, 255, 255));
  EXPECT_EQ(QColor(twice.pixel(4, 4)), QColor(single.pixel(2, 2)));
  // A click picks at client pixels.
  doc.shell().developmentEditMode = kCheckCorrespondingSurfaceMode;
  const Face& face = doc.model()->solids[0].faces[0];
  Click(FaceCentre(face), FaceCentre(face));
  EXPECT_GT(MarkedFaces(), 0);
}

TEST_F(DevelopmentPaneTest, PanningFollowsTheMouseAndShowEntireCentresAgain) {
  Open();
  Drag(PointerState{.right = true, .ctrl = true}, {100, 100}, {130, 80});
  EXPECT_DOUBLE_EQ(engine.view().panX, 30.0);
  EXPECT_DOUBLE_EQ(engine.view().panY, 20.0);
  engine.Wheel(-120);
  Drag(PointerState{.middle = true}, {100, 100}, {100, 156}, MouseButton::Middle);
  EXPECT_NEAR(engine.view().panY, 20.0 - 56 / 1.12, 1e-9);

  // Without "Render All" the cached picture moves and one render follows the drag.
  settings.bRenderAllGL = false;
  ASSERT_TRUE(engine.Render());
  engine.MousePress(MouseButton::Right, 50, 50, PointerState{.right = true});
  engine.MouseMove(70, 60, PointerState{.right = true});
  EXPECT_TRUE(engine.fastPanning());
  EXPECT_EQ(engine.fastPanOffset(), QPoint(20, 10));
  EXPECT_FALSE(engine.renderNeeded());
  QImage shown(400, 300, QImage::Format_RGB32);
  {
    QPainter painter(&shown);
    engine.Compose(painter);
  }
  EXPECT_EQ(shown.pixel(25, 15), engine.Image().pixel(5, 5));
  EXPECT_EQ(QColor(shown.pixel(5, 5)), QColor(127, 127, 127));
  const double panX = engine.view().panX;
  engine.MouseRelease(MouseButton::Right, 70, 60, PointerState{});
  EXPECT_FALSE(engine.fastPanning());
  EXPECT_TRUE(engine.renderNeeded());
  EXPECT_NEAR(engine.view().panX, panX + 20 / 1.12, 1e-9);

  engine.ShowEntire();
  EXPECT_EQ(engine.view().viewZoom, 1.0);
  EXPECT_EQ(engine.view().panX, 0.0);
  EXPECT_EQ(engine.view().panY, 0.0);
}

// With "Render All" a drag moves the picture and draws only the strips it
// uncovers; after every drag the picture is the one a full render gives.
TEST_F(DevelopmentPaneTest, APanDrawsTheUncoveredStripsIntoThePictureOfAFullRender) {
  struct Case {
    const char* file;
    double ratio;
    bool smooth;
    bool numbers;
  };
  const Case cases[] = {{"spot_textured_uv.plc", 1.0, false, false},
                        {"torus_concave_numbers.plc", 2.0, true, true},
                        {"crlf_labels_sjis.plc", 1.5, false, false}};
  const std::vector<std::vector<QPoint>> drags = {{{10, 0}, {0, 10}, {-25, -5}, {40, 0}},
                                                  {{7, -3}, {1, 1}, {-13, 5}, {3, 0}, {0, -1}},
                                                  {{-400, 0}, {2, 2}, {0, 300}, {-6, -4}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    settings.bLineSmooth = c.smooth;
    settings.bDrawNumber = c.numbers;
    engine.SetPixelRatio(c.ratio);
    Open(c.file);
    doc.UpdateAllViews(HINT_ZOOM_IN);
    doc.UpdateAllViews(HINT_ZOOM_IN);
    ASSERT_TRUE(engine.Render());
    int scrolled = 0;
    for (const auto& moves : drags) {
      QPoint at(200, 150);
      engine.MousePress(MouseButton::Right, at.x(), at.y(), PointerState{.right = true});
      for (const QPoint move : moves) {
        at += move;
        engine.MouseMove(at.x(), at.y(), PointerState{.right = true});
        EXPECT_FALSE(engine.renderNeeded());
        ASSERT_TRUE(engine.Render());
        scrolled += engine.lastRenderScrolled();
      }
      engine.MouseRelease(MouseButton::Right, at.x(), at.y(), PointerState{});
      const QImage panned = engine.Image().copy();
      doc.UpdateAllViews(HINT_NONE);
      ASSERT_TRUE(engine.Render());
      EXPECT_FALSE(engine.lastRenderScrolled());
      EXPECT_TRUE(engine.Image() == panned) << moves.front().x() << "," << moves.front().y();
    }
    // Moves wider than the pane, and odd moves at 1.5 device pixels per client pixel, render in full.
    EXPECT_GE(scrolled, c.ratio == 1.5 ? 3 : 8);
  }
}

TEST_F(DevelopmentPaneTest, ClickMarksTheFaceRegionOnlyInCheckModeAndWithinThreePixels) {
  Open();
  const Face& face = *doc.model()->parts.front().faces.front();
  const QPoint centre = FaceCentre(face);
  Click(centre, centre);
  EXPECT_EQ(MarkedFaces(), 0);  // mode off
  doc.shell().developmentEditMode = kCheckCorrespondingSurfaceMode;
  Click(centre, centre + QPoint(4, 0));
  EXPECT_EQ(MarkedFaces(), 0);
  Click(centre, centre + QPoint(3, 0));
  EXPECT_TRUE(face.marked);
  Click(QPoint(2, 2), QPoint(2, 2));  // outside every face clears the marks
  EXPECT_EQ(MarkedFaces(), 0);
  // Opening a file cancels the mode.
  Click(centre, centre);
  Open();
  EXPECT_EQ(doc.shell().developmentEditMode, 0);
  EXPECT_EQ(MarkedFaces(), 0);
}

TEST_F(DevelopmentPaneTest, ScalingStopsAtFiveMetresAndMarksTheDocument) {
  Open();
  const double scale = doc.model()->devScale;
  EXPECT_TRUE(doc.ScaleDevelopment(kScaleUpFactor));
  EXPECT_DOUBLE_EQ(doc.model()->devScale, scale * 1.1);
  EXPECT_TRUE(doc.IsModified());
  for (int i = 0; i < 200; ++i) doc.ScaleDevelopment(kScaleUpFactor);
  EXPECT_FALSE(doc.ScaleDevelopment(kScaleUpFactor));
  EXPECT_LE(doc.model()->devScale * doc.model()->devHeight, 500.0);
  EXPECT_GT(doc.model()->devScale * 1.1 * doc.model()->devHeight, 500.0);
  EXPECT_GT(doc.pages().columns, 1);
  for (int i = 0; i < 400; ++i) doc.ScaleDevelopment(kScaleDownFactor);
  EXPECT_GE(doc.model()->devScale * doc.model()->devHeight, 1.0);
  EXPECT_EQ(doc.pages().columns, 1);
}

TEST_F(DevelopmentPaneTest, MouseIsIgnoredWithoutDevelopment) {
  Open("no_development_marked_edges.plc");
  engine.Wheel(120);
  Drag(PointerState{.right = true}, {10, 10}, {50, 50});
  EXPECT_EQ(engine.view().viewZoom, 1.0);
  EXPECT_EQ(engine.view().panX, 0.0);
  // The empty sheet is still drawn: grey around, white paper in the middle.
  EXPECT_EQ(QColor(engine.Image().pixel(2, 2)), QColor(128, 128, 128));
  EXPECT_EQ(QColor(engine.Image().pixel(200, 150)), QColor(Qt::white));
}

// Join 150 of the sphere has its ends far apart, so moving between them pans.
TEST_F(DevelopmentPaneTest, AHighlightedJoinCentresItsShownEndInOrangeAndAClickBesideClearsIt) {
  Open("sphere_multipage_a4.plc");
  doc.UpdateAllViews(HINT_ZOOM_IN);
  const double zoom = engine.view().viewZoom;
  const auto endPixel = [this](int which) {
    const JoinEnd end = (*doc.HighlightedJoinEnds())[which];
    return MapDevelopmentPoint(engine.view(), engine.sheetArea(), 1.0, end.midCm);
  };
  const auto orangeAtCentre = [this] {
    const QImage& image = engine.Image();
    int orange = 0;
    for (int y = 145; y <= 155; ++y)
      for (int x = 195; x <= 205; ++x) orange += image.pixelColor(x, y) == JoinHighlightColor(doc.settings());
    return orange;
  };
  ASSERT_TRUE(engine.Render());
  EXPECT_EQ(orangeAtCentre(), 0);

  ASSERT_TRUE(doc.HighlightJoin(150));
  for (int which : {0, 1, 0}) {
    SCOPED_TRACE(which);
    EXPECT_EQ(doc.joinHighlight().shownEnd, which);
    EXPECT_NEAR(endPixel(which).x, 200.0, 1e-6);
    EXPECT_NEAR(endPixel(which).y, 150.0, 1e-6);
    EXPECT_EQ(engine.view().viewZoom, zoom);
    ASSERT_TRUE(engine.Render());
    EXPECT_GT(orangeAtCentre(), 10);
    doc.ShowOtherJoinEnd();
  }
  const Point2 other = endPixel(0);  // the loop left end 1 in the centre
  EXPECT_GT(std::hypot(other.x - 200.0, other.y - 150.0), 50.0);

  Click(QPoint(200, 150), QPoint(200, 150));  // on the pattern: the highlight stays
  EXPECT_TRUE(doc.joinHighlight().active());
  Click(QPoint(2, 2), QPoint(2, 2));  // beside the model
  EXPECT_FALSE(doc.joinHighlight().active());
  ASSERT_TRUE(engine.Render());
  EXPECT_EQ(orangeAtCentre(), 0);

  // Find Partner: a click near a numbered side highlights its join; a click
  // away from every numbered side leaves things as they are.
  doc.shell().developmentEditMode = kFindPartnerMode;
  const auto ends = FindJoinEnds(*doc.model(), settings, 150);
  const Point2 side = MapDevelopmentPoint(engine.view(), engine.sheetArea(), 1.0, (*ends)[1].midCm);
  Click(QPoint(2, 2), QPoint(2, 2));
  EXPECT_FALSE(doc.joinHighlight().active());
  Click(QPoint(int(side.x) + 3, int(side.y)), QPoint(int(side.x) + 3, int(side.y)));
  EXPECT_EQ(doc.joinHighlight().number, 150);
}

TEST_F(DevelopmentPaneTest, ASelectedPartComesToTheCentreTintedAtTheSameZoom) {
  Open("spot_quads_obj.plc");
  doc.UpdateAllViews(HINT_ZOOM_IN);
  const double zoom = engine.view().viewZoom;
  const Part& part = doc.model()->parts[3];
  Box box{1e300, 1e300, -1e300, -1e300};
  for (const Face* face : part.faces)
    for (const HalfEdge* h : face->ring) {
      const Point2 p = CornerOf(*h, part);
      box = {std::min(box.x0, p.x), std::min(box.y0, p.y), std::max(box.x1, p.x), std::max(box.y1, p.y)};
    }
  const QPoint inside = FaceCentre(*part.faces.front());
  ASSERT_TRUE(engine.Render());
  const QColor before = engine.Image().pixelColor(inside);

  doc.SelectPart(3);
  const Point2 centre = MapDevelopmentPoint(engine.view(), engine.sheetArea(), doc.model()->devScale,
                                            {(box.x0 + box.x1) / 2, (box.y0 + box.y1) / 2});
  EXPECT_NEAR(centre.x, 200.0, 1e-6);
  EXPECT_NEAR(centre.y, 150.0, 1e-6);
  EXPECT_EQ(engine.view().viewZoom, zoom);
  ASSERT_TRUE(engine.Render());
  const QColor tinted = engine.Image().pixelColor(FaceCentre(*part.faces.front()));
  EXPECT_NE(tinted, before);
  EXPECT_GT(tinted.red() - tinted.blue(), before.red() - before.blue());
}

}  // namespace
}  // namespace plicora
