#include "core/development/DevelopmentGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "core/development/Pages.h"
#include "core/model/FlatEdges.h"
#include "core/model/Units.h"
#include "core/platform/MessageSink.h"

namespace plicora {

namespace {

constexpr double kHuge = 1.7976931348623157e308;

/// Truncates toward zero into 1..limit; values that are not numbers (an
/// empty printable area) count as 1, anything at or beyond the limit as it.
int GridCount(double value, int limit) {
  if (!(value >= 1.0)) return 1;
  if (value >= limit) return limit;
  return static_cast<int>(value);
}

}  // namespace

DevelopmentBounds DevelopmentBoundsOf(const Model& model) {
  if (model.parts.empty() && model.texts.empty()) return {};  // not an inverted infinite box
  double minX = kHuge, minY = kHuge, maxX = -kHuge, maxY = -kHuge;
  for (const Part& p : model.parts) {
    minX = std::min(minX, p.offsetX);
    minY = std::min(minY, p.offsetY);
    maxX = std::max(maxX, p.offsetX + p.width);
    maxY = std::max(maxY, p.offsetY + p.height);
  }
  for (const TextLabel& t : model.texts) {
    const DevelopmentBounds box = TextLabelBoxOf(t, model.devScale);
    minX = std::min(minX, box.x);
    minY = std::min(minY, box.y);
    maxX = std::max(maxX, box.x + box.width);
    maxY = std::max(maxY, box.y + box.height);
  }
  return {minX, minY, maxX - minX, maxY - minY};
}

DevelopmentBounds TextLabelBoxOf(const TextLabel& label, double devScale) {
  const double s = devScale;
  return {label.x, label.y - label.height / s, label.width / s, 1.5 * label.height / s};
}

bool HasDevelopmentToDraw(const Model& model) {
  if (!model.hasDevelopment) return false;
  const auto hasFaces = [](const Part& part) { return !part.faces.empty(); };
  return !model.texts.empty() || std::any_of(model.parts.begin(), model.parts.end(), hasFaces);
}

bool CheckDevelopmentToDraw(const Model& model) {
  if (HasDevelopmentToDraw(model)) return true;
  ShowMessage(kNoDevelopmentMessage, MessageKind::Warning);
  return false;
}

DevelopmentBounds PictureBoundsOf(const Model& model, const Settings& settings) {
  DevelopmentBounds box = DevelopmentBoundsOf(model);
  if (!settings.bDrawFlap || !(model.devScale > 0)) return box;
  // A flap stands at most its width (centimetres on paper) off its side.
  double widest = 0.0;
  for (const Part& part : model.parts) {
    for (const Face* face : part.faces) {
      for (const HalfEdge* h : face->ring) {
        if (h->hasFlap && SideEnd(*h)) widest = std::max(widest, h->flapWidth);
      }
    }
  }
  if (!(widest > 0)) return box;
  // Half a millimetre more holds the ink of the flaps' outer lines, which
  // straddle the flap's edge.
  constexpr double kLineInkCm = 0.05;
  const double grow = (widest + kLineInkCm) / model.devScale;
  if (!std::isfinite(grow)) return box;
  return {box.x - grow, box.y - grow, box.width + 2 * grow, box.height + 2 * grow};
}

DevelopmentBounds RasterPictureBoundsOf(const Model& model, const Settings& settings) {
  const DevelopmentBounds box = PictureBoundsOf(model, settings);
  if (!(model.devScale > 0)) return box;
  // Lines and flap outlines are drawn with the same width, in points.
  const double widestPoints = std::max(settings.printoutLineWidth, 1.0);
  const double grow = widestPoints * kCmPerLinePoint / 2.0 / model.devScale;
  if (!std::isfinite(grow)) return box;
  return {box.x - grow, box.y - grow, box.width + 2 * grow, box.height + 2 * grow};
}

void ComputeDevelopmentBounds(Model& model) {
  const DevelopmentBounds box = DevelopmentBoundsOf(model);
  model.devX = box.x;
  model.devY = box.y;
  model.devWidth = box.width;
  model.devHeight = box.height;
}

void ComputePageGrid(const Model* model, const Settings& settings, int& columns, int& rows) {
  columns = rows = 1;
  if (!model || !model->hasDevelopment) return;
  const double s = model->devScale;
  // Measured from the development origin, not from its bounding box.
  double right = 0.0, bottom = 0.0;
  for (const Part& p : model->parts) {
    right = std::max(right, s * (p.offsetX + p.width));
    bottom = std::max(bottom, s * (p.offsetY + p.height));
  }
  for (const TextLabel& t : model->texts) {
    right = std::max(right, s * t.x + t.width);
    bottom = std::max(bottom, s * t.y);
  }
  columns = GridCount(right / PrintableWidth(settings) + 1, kMaxPageColumns);
  rows = GridCount(bottom / PrintableHeight(settings) + 1, kMaxPageRows);
}

std::size_t DrawnSides::Slot(const Solid* solid) const {
  if (last_ < solids_.size() && solids_[last_].solid == solid) return last_;
  for (std::size_t i = 0; i < solids_.size(); ++i) {
    if (solids_[i].solid == solid) return last_ = i;
  }
  return solids_.size();
}

bool DrawnSides::Contains(const HalfEdge& half) const {
  const std::size_t slot = Slot(half.face ? half.face->solid : nullptr);
  if (slot == solids_.size()) return false;
  const std::vector<char>& drawn = solids_[slot].drawn;
  return half.index < drawn.size() && drawn[half.index];
}

void DrawnSides::Insert(const HalfEdge& half) {
  const Solid* solid = half.face ? half.face->solid : nullptr;
  const std::size_t slot = Slot(solid);
  if (slot == solids_.size()) {
    solids_.push_back({solid, std::vector<char>(solid ? solid->halfEdges.size() : 0, 0)});
    last_ = slot;
  }
  std::vector<char>& drawn = solids_[slot].drawn;
  if (half.index >= drawn.size()) drawn.resize(half.index + std::size_t{1}, 0);
  drawn[half.index] = 1;
}

EdgeLineClass ClassifyEdgeLine(const HalfEdge& half, const Settings& settings, DrawnSides& drawn) {
  if (IsHiddenFold(half, settings)) return EdgeLineClass::Skip;
  if (half.devPartner && drawn.Contains(*half.devPartner)) return EdgeLineClass::Skip;  // drawn from the other side
  if (!half.isOutline) return EdgeLineClass::Skip;
  EdgeLineClass lineClass;
  if (half.devPartner || (half.hasFlap && settings.bDrawFlap)) {
    // A fold, or the base of a flap, which is folded like one.
    const bool convex = half.edge ? half.edge->convex : true;
    lineClass = convex ? EdgeLineClass::ConvexFold : EdgeLineClass::ConcaveFold;
    const int type = convex ? settings.iYamaLineType : settings.iTaniLineType;
    if (type == 3) return EdgeLineClass::Skip;
  } else {
    lineClass = EdgeLineClass::Cut;
    if (settings.iCutLineType == 1) return EdgeLineClass::Skip;
  }
  drawn.Insert(half);
  return lineClass;
}

LineStyle StyleOfLine(EdgeLineClass lineClass, const Settings& settings) {
  auto foldStyle = [](int type) {
    switch (type) {
      case 0:
        return LineStyle::Solid;
      case 1:
        return LineStyle::Dot1;
      case 2:
        return LineStyle::Dot2;
      default:
        return LineStyle::None;
    }
  };
  switch (lineClass) {
    case EdgeLineClass::Cut:
      return settings.iCutLineType == 1 ? LineStyle::None : LineStyle::Solid;
    case EdgeLineClass::ConvexFold:
      return foldStyle(settings.iYamaLineType);
    case EdgeLineClass::ConcaveFold:
      return foldStyle(settings.iTaniLineType);
    case EdgeLineClass::Skip:
      break;
  }
  return LineStyle::None;
}

int FlapOnBase(Point2 from, Point2 to, double length, double width, bool triangle, std::array<Point2, 4>& points) {
  const double ux = (to.x - from.x) / length, uy = (to.y - from.y) / length;
  const double nx = uy, ny = -ux;
  const double w = width;
  points[0] = from;
  if (triangle) {
    points[1] = {(from.x + to.x) / 2 + w * nx, (from.y + to.y) / 2 + w * ny};
    points[2] = to;
    return 3;
  }
  points[1] = {from.x + w * (ux + nx), from.y + w * (uy + ny)};
  points[2] = {to.x + w * (nx - ux), to.y + w * (ny - uy)};
  points[3] = to;
  return 4;
}

int FlapPolygonOf(const HalfEdge& half, const Part& part, bool flip, double devScale, std::array<Point2, 4>& points) {
  const HalfEdge* end = SideEnd(half);
  if (!half.hasFlap || !end) return 0;
  const Point2 p{half.devPos.x + part.offsetX, half.devPos.y + part.offsetY};
  const Point2 q{end->devPos.x + part.offsetX, end->devPos.y + part.offsetY};
  const Point2 s = flip ? p : q;
  const Point2 t = flip ? q : p;
  const double dx = t.x - s.x, dy = t.y - s.y;
  const double length = std::sqrt(dx * dx + dy * dy);
  if (length < 1e-6) return 0;
  const double w = half.flapWidth / devScale;
  return FlapOnBase(s, t, length, w, !(length > 2 * w), points);
}

JoinNumberPlacement PlaceJoinNumber(Point2 a, Point2 b, bool mirrored, bool edgeIdReverse) {
  JoinNumberPlacement p;
  p.first = mirrored == edgeIdReverse ? a : b;
  p.second = mirrored == edgeIdReverse ? b : a;
  p.middle = {(p.first.x + p.second.x) / 2.0, (p.first.y + p.second.y) / 2.0};
  const double ex = p.first.x - p.second.x;
  const double ey = p.first.y - p.second.y;
  const double length = std::sqrt(ex * ex + ey * ey);
  if (!(length > 0.0)) return p;
  p.dx = ex / length;
  p.dy = ey / length;
  p.angleDegrees = JoinNumberTurn(p, kDegreesPerRadian, 180.0);
  p.valid = true;
  return p;
}

double JoinNumberTurn(const JoinNumberPlacement& place, double perRadian, double halfTurn) {
  const double turn = std::asin(std::clamp(place.dy, -1.0, 1.0)) * perRadian;
  return place.first.x - place.second.x > 0 ? halfTurn - turn : turn;
}

int AssignJoinNumbers(Model& model) {
  for (Solid& solid : model.solids)
    for (Edge& e : solid.edges) e.joinNumber = -1;
  int counter = 1;
  for (Solid& solid : model.solids) {
    for (Face& face : solid.faces) {
      for (HalfEdge* h : face.ring) {
        Edge* e = h->edge;
        // A cut in the pattern between two faces of the model.
        if (e && e->joinNumber == -1 && h->partner && !h->devPartner) e->joinNumber = counter++;
      }
    }
  }
  return counter - 1;
}

void MirrorDevelopment(Model& model) {
  for (Part& part : model.parts) {
    part.offsetX = model.devWidth - part.width - part.offsetX;
    for (Face* face : part.faces)
      for (HalfEdge* h : face->ring) h->devPos.x = part.width - h->devPos.x;
  }
  model.mirrored = !model.mirrored;
}

}  // namespace plicora
