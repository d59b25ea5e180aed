#pragma once
// The whole development as a picture file of a chosen pixel size: a 24-bit
// BMP or the same picture as PNG. Shared by Save Development and --export.

#include <functional>
#include <string>

#include "core/export/BitmapSizeProposal.h"
#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "core/platform/WorkTick.h"

namespace plicora {

/// The largest edge of a picture file and of a clipboard picture, in pixels.
inline constexpr int kMaxFileBitmapEdge = 4096;
inline constexpr int kMaxClipboardBitmapEdge = 1024;

enum class PictureFormat { Bmp, Png };

/// The extent the pixel size of a picture of the whole development is
/// computed from: the picture's bounds (PictureBoundsOf) and the scale.
BitmapExtent DevelopmentBitmapExtent(const Model& model, const Settings& settings);

/// What a failed picture export adds: "Failed to create BMP", or "Failed to
/// create PNG" for a PNG.
const char* PictureFailureMessage(PictureFormat format);

/// Renders the development at width x height and `pixelsPerCm` and writes it
/// to `path` in `format` (an export file, see WriteExportFile). Rendering
/// failures show their own messages; a file that cannot be written shows
/// "write error" with the path and the reason. The caller adds
/// PictureFailureMessage. `cancelPaneMode` is passed to the renderer. A
/// `tick` that says stop ends the call without a file and without a message.
bool WriteDevelopmentPicture(const Model& model, const Settings& settings, const std::string& path,
                             PictureFormat format, int width, int height, double pixelsPerCm,
                             const std::function<void()>& cancelPaneMode = {}, const WorkTick* tick = nullptr);

}  // namespace plicora
