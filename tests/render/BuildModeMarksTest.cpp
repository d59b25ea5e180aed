// The build-mode marks in the 3D pane: a face clicked in Find Partner mode
// highlights its numbered sides (and the status lists their numbers), the
// sides and the selected part are drawn in the highlight colour, and a
// click beside the model takes the highlight away.

#include <gtest/gtest.h>

#include <algorithm>

#include "TestSupport.h"
#include "core/document/UpdateHints.h"
#include "core/document/VorlanDoc.h"
#include "core/platform/MessageSink.h"
#include "render/view3d/ModelViewEngine.h"

namespace plicora {
namespace {

class BuildModeMarksTest : public ::testing::Test {
 protected:
  BuildModeMarksTest() : doc(settings), engine(doc.settings(), doc.shell()) {
    ModelViewCallbacks callbacks;
    callbacks.updateAllViews = [this](int hint) { doc.UpdateAllViews(hint); };
    callbacks.findPartnerFace = [this](const Face* face) { doc.HighlightFaceJoins(face); };
    engine.SetCallbacks(callbacks);
    // As the 3D pane widget does on every update.
    doc.AddView([this](int hint) {
      if (engine.model() != doc.model()) engine.SetModel(doc.model());
      engine.SetHighlights(ModelHighlights{doc.HighlightedSides(), doc.SelectedPart()});
      engine.OnUpdate(hint);
    });
  }
  void Open(const char* name) {
    OpenRequest request;
    request.path = test::FixturePath(name);
    request.interactive = false;
    ASSERT_TRUE(doc.OpenWorkFile(request).ok());
    engine.Resize(200, 200);
    doc.UpdateAllViews(HINT_FILE_OPENED);
  }
  void Click(int x, int y) {
    engine.MousePress(MouseButton::Left, x, y, PointerState{.left = true});
    engine.MouseRelease(MouseButton::Left, x, y, PointerState{});
  }
  /// Pixels of the painted picture in exactly the highlight colour.
  int HighlightPixels() {
    EXPECT_TRUE(engine.Paint());
    const QImage image = engine.Image();
    const ColorRef c = settings.colors[kColorJoinHighlight];
    const QRgb wanted = qRgb(RedOf(c), GreenOf(c), BlueOf(c));
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == (wanted & 0xFFFFFF);
    return n;
  }

  CollectingMessageSink sink;
  ScopedMessageSink scope{sink};
  Settings settings;
  CVorlanDoc doc;
  ModelViewEngine engine;
};

TEST_F(BuildModeMarksTest, FindPartnerClickOnAFaceHighlightsAndListsItsNumberedSides) {
  Open("cube.plc");
  EXPECT_EQ(HighlightPixels(), 0);
  Click(100, 100);  // outside Find Partner a click highlights nothing
  EXPECT_FALSE(doc.joinHighlight().any());

  doc.shell().developmentEditMode = kFindPartnerMode;
  const auto matrices = engine.ReadPickMatrices();
  ASSERT_TRUE(matrices);
  const Face* face = PickFace(*doc.model(), *matrices, 100, 100);
  ASSERT_NE(face, nullptr);
  Click(100, 100);
  EXPECT_EQ(doc.joinHighlight().face, face);
  const std::vector<const HalfEdge*> sides = NumberedSidesOf(*face);
  ASSERT_FALSE(sides.empty());
  EXPECT_EQ(doc.HighlightedSides(), sides);
  std::vector<int> numbers;
  for (const HalfEdge* side : sides) numbers.push_back(side->edge->joinNumber);
  std::sort(numbers.begin(), numbers.end());
  const std::string status = FaceJoinsStatusText(*face);
  EXPECT_EQ(status.rfind("This face of part 0 has join number", 0), 0u) << status;
  std::size_t from = 0;
  for (int number : numbers) {  // every number, in ascending order
    from = status.find(std::to_string(number), from);
    ASSERT_NE(from, std::string::npos) << status;
  }
  EXPECT_GT(HighlightPixels(), 30);  // a thick stroke along the sides

  Click(2, 2);  // beside the model
  EXPECT_FALSE(doc.joinHighlight().any());
  EXPECT_EQ(HighlightPixels(), 0);

  // The selected part is tinted: the picture's centre turns toward the
  // highlight colour, and without a selection it is as before.
  EXPECT_TRUE(engine.Paint());
  const QRgb plain = engine.Image().pixel(100, 100);
  doc.SelectPart(0);
  EXPECT_TRUE(engine.Paint());
  const QRgb tinted = engine.Image().pixel(100, 100);
  EXPECT_NE(tinted, plain);
  EXPECT_GT(qRed(tinted) - qBlue(tinted), qRed(plain) - qBlue(plain));
  doc.SelectPart(-1);
  EXPECT_TRUE(engine.Paint());
  EXPECT_EQ(engine.Image().pixel(100, 100), plain);
}

}  // namespace
}  // namespace plicora
