#pragma once
// The scale gauge on a printed sheet: where it goes (off this sheet's part
// of the development, its labels and the alignment crosses) and its drawing.

#include <QPainter>
#include <optional>

#include "core/development/CutContours.h"
#include "core/development/Pages.h"
#include "core/development/ScaleGauge.h"
#include "core/model/Model.h"
#include "core/model/Settings.h"

namespace plicora {

/// The parts' outlines with their flaps, in development units, of the last
/// model asked for, kept while that model stays as it is (a print run's
/// pages).
class DevelopmentOutlineCache {
 public:
  const std::vector<CutContour>& Get(const Model& model, const Settings& settings);

 private:
  const Model* model_ = nullptr;
  bool flaps_ = false;
  std::vector<CutContour> outlines_;
};

/// The gauge's origin in millimetres from the paper's corner on printed
/// sheet `page`, or nothing when no place on it is clear.
std::optional<Point2> ScaleGaugePlaceOnSheet(const Model& model, const Settings& settings, const PageLayout& layout,
                                             const PageRef& page, const std::vector<CutContour>& outlines);

/// Draws the gauge with its origin at `originMm`; the painter's origin is the
/// paper's corner, `unitsPerMmX/Y` device units to the millimetre.
void DrawScaleGauge(QPainter& painter, Point2 originMm, double unitsPerMmX, double unitsPerMmY);

}  // namespace plicora
