#pragma once
// A QPaintDevice that writes what a QPainter draws as an SVG document while
// it is drawn: every path, polygon, line run, text and image becomes one
// element with its own style, written at once to the output device, so the
// document is never held in memory. Coordinates are mapped through the
// painter's transform into the document's user units; clipping is not kept.

#include <QIODevice>
#include <QPaintDevice>
#include <QRect>
#include <QSize>
#include <QString>
#include <memory>

namespace plicora {

class SvgPaintEngine;

class SvgPaintDevice : public QPaintDevice {
 public:
  /// A document of `size` user units at `resolution` units per inch (its
  /// width and height are given in millimetres) with the view box
  /// `viewBox` and the title `title` (already escaped for XML).
  SvgPaintDevice(QIODevice& out, QSize size, int resolution, QRect viewBox, const QString& title);
  ~SvgPaintDevice() override;

  QPaintEngine* paintEngine() const override;
  /// True when the output device refused bytes.
  bool writeFailed() const;

 protected:
  int metric(PaintDeviceMetric metric) const override;

 private:
  friend class SvgPaintEngine;
  QIODevice& out_;
  QSize size_;
  int resolution_;
  QRect viewBox_;
  QString title_;
  std::unique_ptr<SvgPaintEngine> engine_;
};

}  // namespace plicora
