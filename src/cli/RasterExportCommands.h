#pragma once
// The bitmap exports of --export: the whole development as a 24-bit BMP
// (.bmp) or the same picture as PNG (.png), at --size or at the size the
// bitmap size dialog would propose (at most 4096 pixels a side).

#include <optional>
#include <string>

#include "cli/CommandLine.h"
#include "core/model/Model.h"
#include "core/model/Settings.h"

namespace plicora {

/// Before the file is read: the Qt runtime, and OpenGL's texture size limit
/// asked from a first context and kept in the settings (maxTextureSize), so
/// that the textures are fitted to it.
void PrepareRasterExport();

/// Writes the picture; returns the exit status (2 for a size out of range,
/// 1 with "Failed to create BMP", or "Failed to create PNG", when rendering
/// or writing fails).
int ExportBitmapFile(const Model& model, const Settings& settings, const std::string& outputPath,
                     const std::optional<ImageSize>& size);

}  // namespace plicora
