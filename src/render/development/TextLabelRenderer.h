#pragma once
// The free text labels of the development, drawn with the painter over the
// rest of the drawing, for a printed page, a raster export or the pane.

#include <QPainter>

#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "render/development/DevelopmentView.h"

namespace plicora {

enum class TextLabelTarget { Printer, RasterExport, Pane };

struct TextLabelPlacement {
  TextLabelTarget target = TextLabelTarget::Printer;
  /// Printer: device units per centimetre across and down (kx, ky).
  /// Raster export: the bitmap's pixels per centimetre (both).
  double kx = 0.0;
  double ky = 0.0;
  /// Printer: where development point (0, 0) lies, in device units.
  double ox = 0.0;
  double oy = 0.0;
  /// Raster export: the development point at the bitmap's origin (the
  /// development's top-left corner), in development units.
  double cornerX = 0.0;
  double cornerY = 0.0;
  /// Raster export: the horizontal dots per inch of the bitmap's device.
  /// Pane: the screen's vertical dots per inch. 0 takes the painter's device.
  double dpi = 0.0;
  /// Pane: the view and the sheet area the labels are mapped through.
  DevelopmentView view;
  SheetArea area;
};

/// Draws every label of the model in order. Nothing without a model.
void DrawTextLabels(QPainter& painter, const Model* model, const TextLabelPlacement& placement);

}  // namespace plicora
