#include "render/export/CutSheet.h"

#include <cmath>

#include "core/development/CutContours.h"
#include "core/development/DevelopmentGeometry.h"
#include "core/model/BoxClip.h"
#include "core/model/Units.h"
#include "core/platform/FontFaceNames.h"
#include "render/development/DevelopmentDrawing.h"

namespace plicora {
namespace {

/// Development units to sheet millimetres: p * scale + offset.
struct SheetPlacement {
  double scale = 1.0;
  Point2 offset;
  Point2 Map(Point2 p) const { return {p.x * scale + offset.x, p.y * scale + offset.y}; }
};

Point2 Along(Point2 a, Point2 b, double t) {
  if (t == 0.0) return a;
  if (t == 1.0) return b;
  return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

// The pieces of a polyline inside the rectangle. A closed line that crosses
// the border keeps its piece through the start point whole.
std::vector<std::vector<Point2>> ClipPolyline(const std::vector<Point2>& points, const AxisBox& r, bool closed) {
  std::vector<std::vector<Point2>> pieces;
  std::vector<Point2> current;
  auto flush = [&] {
    if (current.size() >= 2) pieces.push_back(std::move(current));
    current.clear();
  };
  for (std::size_t k = 1; k < points.size(); ++k) {
    const std::optional<SegmentSpan> span = ClipSegment(points[k - 1], points[k], r);
    if (!span) {
      flush();
      continue;
    }
    if (span->t0 > 0.0 || current.empty()) {
      flush();
      current.push_back(Along(points[k - 1], points[k], span->t0));
    }
    current.push_back(Along(points[k - 1], points[k], span->t1));
    if (span->t1 < 1.0) flush();
  }
  flush();
  if (closed && pieces.size() > 1 && r.Holds(points.front())) {
    std::vector<Point2>& last = pieces.back();
    last.insert(last.end(), pieces.front().begin() + 1, pieces.front().end());
    pieces.front() = std::move(last);
    pieces.pop_back();
  }
  return pieces;
}

void AddTexts(const Model& model, const Settings& settings, const SheetPlacement& place, CutSheet& sheet,
              TickCounter& steps) {
  const double s = model.devScale;
  if (settings.bDrawNumber && s > 0.0) {
    const double cell = settings.iEdgeNumberFontSize * kCmPerPoint / s;  // development units
    for (const Part& part : model.parts) {
      for (const Face* face : part.faces) {
        if (!steps.Step()) return;
        for (const HalfEdge* h : face->ring) {
          const HalfEdge* end = SideEnd(*h);
          if (!h->edge || !end || h->edge->joinNumber == -1) continue;
          const JoinNumberPlacement p =
              PlaceJoinNumber(CornerOf(*h, part), CornerOf(*end, part), model.mirrored, settings.bEdgeIdReverse);
          if (!p.valid) continue;
          // As printed: the text runs from `second` to `first`, its cell
          // standing just inside the side.
          const Point2 centre{p.middle.x - 0.6 * cell * p.dy, p.middle.y + 0.6 * cell * p.dx};
          CutText text;
          text.text = std::to_string(h->edge->joinNumber);
          text.face = kJoinNumberFaceName;
          text.at = place.Map(centre);
          text.emMm = cell * place.scale / 1.15;
          text.angleDegrees = std::atan2(p.dy, -p.dx) * kDegreesPerRadian;
          text.centred = true;
          sheet.texts.push_back(std::move(text));
        }
      }
    }
  }
  for (const TextLabel& label : model.texts) {
    CutText text;
    text.text = label.text;
    text.face = label.fontName;
    text.at = place.Map({label.x, label.y});
    text.emMm = label.fontSize * kCmPerPoint * 10.0;
    sheet.texts.push_back(std::move(text));
  }
}

CutSheet BuildSheet(const Model& model, const Settings& settings, const SheetPlacement& place,
                    const std::optional<AxisBox>& clip, const WorkTick* tick = nullptr) {
  CutSheet sheet;
  std::vector<int> contourCount(model.parts.size(), 0);
  const RememberingTick ticks(tick);
  const std::vector<CutContour> contours = BuildCutContours(model, settings, ticks.get());
  if (ticks.stopped()) return sheet;
  for (const CutContour& contour : contours) {
    std::vector<Point2> points;
    points.reserve(contour.points.size());
    for (const Point2& p : contour.points) points.push_back(place.Map(p));
    const int number = ++contourCount[contour.part];
    if (!clip) {
      sheet.cuts.push_back({contour.part, number, std::move(points), contour.closed});
      continue;
    }
    for (std::vector<Point2>& piece : ClipPolyline(points, *clip, contour.closed)) {
      const bool closed = contour.closed && piece.size() == points.size() && piece.front().x == piece.back().x &&
                          piece.front().y == piece.back().y;
      sheet.cuts.push_back({contour.part, number, std::move(piece), closed});
    }
  }
  TickCounter steps(ticks.get());
  if (!steps.Step(TickCounter::kEvery)) return sheet;
  const std::vector<FoldLine> folds = BuildFoldLines(model, settings, ticks.get());
  if (ticks.stopped()) return sheet;
  for (const FoldLine& fold : folds) {
    if (!steps.Step()) return sheet;
    std::vector<CutLine>& lines = fold.mountain ? sheet.mountains : sheet.valleys;
    const Point2 a = place.Map(fold.a), b = place.Map(fold.b);
    const std::optional<SegmentSpan> span = clip ? ClipSegment(a, b, *clip) : SegmentSpan{};
    if (!span) continue;
    lines.push_back({fold.part, Along(a, b, span->t0), Along(a, b, span->t1)});
  }
  if (!steps.Step(TickCounter::kEvery)) return sheet;
  AddTexts(model, settings, place, sheet, steps);
  if (clip) std::erase_if(sheet.texts, [&](const CutText& t) { return !clip->Holds(t.at); });
  return sheet;
}

}  // namespace

double MillimetresPerUnit(const Model& model) {
  return model.devScale * 10.0;
}

CutSheet WholeDevelopmentCutSheet(const Model& model, const Settings& settings, const WorkTick* tick) {
  const DevelopmentBounds box = PictureBoundsOf(model, settings);
  SheetPlacement place;
  place.scale = MillimetresPerUnit(model);
  place.offset = {-box.x * place.scale, -box.y * place.scale};
  CutSheet sheet = BuildSheet(model, settings, place, std::nullopt, tick);
  sheet.widthMm = box.width * place.scale;
  sheet.heightMm = box.height * place.scale;
  return sheet;
}

CutSheet PageCutSheet(const Model& model, const Settings& settings, const PageLayout& layout, int number) {
  const PageRef page = LookUpPage(layout, number);
  const double w = PrintableWidth(settings) * 10.0, h = PrintableHeight(settings) * 10.0;
  const double mx = settings.dPageMarginSide * 10.0, my = settings.dPageMarginTop * 10.0;
  SheetPlacement place;
  place.scale = MillimetresPerUnit(model);
  place.offset = {mx - page.column * w, my - page.row * h};
  CutSheet sheet = BuildSheet(model, settings, place, AxisBox{mx, my, mx + w, my + h});
  sheet.widthMm = settings.paperWidth * 10.0;
  sheet.heightMm = settings.paperHeight * 10.0;
  sheet.registration = RegistrationMarkShapes(settings);
  sheet.printableArea = MarkRect{mx, my, w, h};
  return sheet;
}

}  // namespace plicora
