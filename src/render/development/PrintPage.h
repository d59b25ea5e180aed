#pragma once
// One printed sheet of the development onto any painter device (printer,
// PDF, preview image): caption and alignment marks, then the page's tile as
// vector drawing, as one raster picture, or as vector drawing over a raster
// layer of the textured faces, the scale gauge when it is asked for, and
// finally the text labels.

#include <QPainter>
#include <functional>

#include "core/development/Pages.h"
#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "render/development/PageDrawing.h"

namespace plicora {

/// Whether any material, the default one included, carries a texture.
bool HasTexturedMaterial(const Model& model);

/// Prints page `number` (from 1) of `layout`'s page list. The painter's
/// origin is the device's printable corner (the physical offsets away from
/// the paper's corner), in device units. `cancelPaneMode` is passed to the
/// raster renderer. Returns false when a raster step failed (its message was
/// shown); the rest of the page is still drawn.
bool PrintOnePage(QPainter& painter, const Model& model, const Settings& settings, const PageLayout& layout, int number,
                  const PrintDevice& device, const std::function<void()>& cancelPaneMode = {});

}  // namespace plicora
