#pragma once
// Where a vector drawing goes: development points rounded to device units,
// and the part of the drawing a caller wants.

#include <QPoint>
#include <QRectF>
#include <optional>

#include "core/development/BoxGrid.h"

namespace plicora {

// Device coordinates are whole units; reals are truncated toward zero.
inline QPoint Device(Point2 p, double sx, double sy) {
  return QPoint(static_cast<int>(p.x * sx), static_cast<int>(p.y * sy));
}

// The part of the drawing a caller wants, in device units: what lies wholly
// outside it is not drawn at all. Without an area everything is drawn.
struct DrawArea {
  bool all = true;
  Box device{0.0, 0.0, 0.0, 0.0};

  bool Shows(const Box& deviceBox) const { return all || device.Overlaps(deviceBox); }
  bool Shows(QPoint a, QPoint b) const {
    return all || device.Overlaps(BoxOf(Point2{static_cast<double>(a.x()), static_cast<double>(a.y())},
                                        Point2{static_cast<double>(b.x()), static_cast<double>(b.y())}));
  }
  /// A box in development units at sx, sy device units per unit.
  bool ShowsDevelopment(const Box& b, double sx, double sy) const {
    return all || device.Overlaps(BoxOf(Point2{b.x0 * sx, b.y0 * sy}, Point2{b.x1 * sx, b.y1 * sy}));
  }
};

// The area in device units, grown by `margin` device units on every side so
// that wide pens and round caps of items just outside still reach in.
inline DrawArea MakeDrawArea(const std::optional<QRectF>& area, double sx, double sy, double margin) {
  DrawArea result;
  if (!area) return result;
  result.all = false;
  result.device =
      Grow(BoxOf(Point2{area->left() * sx, area->top() * sy}, Point2{area->right() * sx, area->bottom() * sy}), margin);
  return result;
}

}  // namespace plicora
