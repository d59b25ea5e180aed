#include "core/model/UsableNumbers.h"

#include <cmath>

#include "core/model/InfoBlockKeys.h"

namespace plicora {
namespace {

bool Usable(double v, double limit = kLargestUsableValue) {
  return std::isfinite(v) && std::fabs(v) <= limit;
}

// Development units within the paper limit at the model's scale.
class OnPaper {
 public:
  explicit OnPaper(double devScale) : scale_(std::fabs(devScale)) {}
  bool operator()(double v) const { return Usable(v) && std::fabs(v) * scale_ <= kLargestPaperCm; }

 private:
  double scale_;
};

bool UsableCorners(const Solid& solid, const OnPaper& onPaper) {
  for (const Vertex& v : solid.vertices)
    if (!Usable(v.x) || !Usable(v.y) || !Usable(v.z)) return false;
  for (const HalfEdge& h : solid.halfEdges) {
    if (!onPaper(h.devPos.x) || !onPaper(h.devPos.y) || !Usable(h.flapWidth, kWidestUsableFlap)) return false;
    if (h.hasUv && (!std::isfinite(h.uv.u) || !std::isfinite(h.uv.v))) return false;
  }
  return true;
}

}  // namespace

bool HasUsableNumbers(const Model& model, const Settings& settings) {
  for (const InfoBlockKey& key : InfoBlockKeys()) {
    if (key.kind != InfoValueKind::Real) continue;
    const double value = key.modelReal ? model.*key.modelReal : settings.*key.real;
    if (!Usable(value)) return false;
  }
  const OnPaper onPaper(model.devScale);
  for (const Solid& solid : model.solids)
    if (!UsableCorners(solid, onPaper)) return false;
  for (const Part& part : model.parts)
    if (!onPaper(part.offsetX) || !onPaper(part.offsetY) || !onPaper(part.width) || !onPaper(part.height)) return false;
  for (const TextLabel& text : model.texts)
    if (!onPaper(text.x) || !onPaper(text.y) || !onPaper(text.width) || !onPaper(text.height)) return false;
  return true;
}

}  // namespace plicora
