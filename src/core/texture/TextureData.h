#pragma once
// Texture images held by materials: the square sizes images are loaded at,
// loading, attaching and removing images, and the size limit applied to a
// whole model. The resampler and the fitting rules are in model/TextureFit.h.

#include <functional>
#include <memory>
#include <string>

#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "core/model/TextureFit.h"

namespace plicora {

/// The side a loaded image gets for one of its sides: the smallest of 64,
/// 128, ..., 32768 strictly greater than `side` (so 256 gives 512), or 0 when
/// the side is 32768 or more.
int NextTextureSide(int side);

/// The square side of a texture made from a width x height picture under the
/// limit: the larger of the two next sides, lowered to the limit, at least 64
/// when the limit allows.
int TextureSideFor(int width, int height, int limit);

/// Reads an image file and makes it a square texture whose first row is the
/// top row of the picture; none (after the decoder's message) on failure.
std::unique_ptr<TextureImage> LoadTextureImage(const std::string& path, int limit);

/// Gives the material `image` (replacing any former one) loaded from `path`,
/// then calls `markModified`.
void AttachTexture(Material& material, std::unique_ptr<TextureImage> image, const std::string& path,
                   const std::function<void()>& markModified);

/// Takes the material's image away, then calls `markModified`.
void RemoveTexture(Material& material, const std::function<void()>& markModified);

/// After the size-limit settings are confirmed: with the limit on, every
/// textured material (the default one included) with a side above the limit
/// is reduced to limit x limit. Resolution already dropped is not restored.
/// Returns the number of images reduced.
int ApplyTextureLimit(Model& model, const Settings& settings);

}  // namespace plicora
