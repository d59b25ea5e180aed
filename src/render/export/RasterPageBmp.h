#pragma once
// Raster pages written as 24-bit BMP files, row by row from the renderer.

#include <string>

#include "render/development/RasterPageRenderer.h"

namespace plicora {

/// Renders the request and writes the picture as a 24-bit BMP file (an
/// export file: nothing is left behind on failure). Failure messages go to
/// the message sink and the call returns false; so does a stop of the
/// request's tick, without a message. The model is left as it is.
bool WriteRasterPageBmp(const Model& model, const Settings& settings, const RasterPageRequest& request,
                        const std::string& bmpPath);

}  // namespace plicora
