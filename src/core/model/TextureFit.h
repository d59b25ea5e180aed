#pragma once
// The size rules that keep every texture image within what OpenGL accepts,
// and the nearest-neighbour resampler that enforces them. The work-file
// reader fits the images it reads; texture loading and the size-limit
// settings use the same rules.

#include "core/model/Model.h"
#include "core/model/Settings.h"

namespace plicora {

/// Nearest-neighbour copy of `source` at tw x th. With `flip` the target's
/// first row is the source's last one.
TextureImage ResampleNearest(const TextureImage& source, int targetWidth, int targetHeight, bool flip);

/// Replaces the material's image by a size x size copy (no flip).
void ResizeTextureImage(Material& material, int size);

/// The largest side a texture may keep: OpenGL's limit `maxTextureSize`,
/// lowered to the chosen limit when "Use Lower Resolution for Large Texture
/// Image" is on.
int EffectiveTextureLimit(const Settings& settings, int maxTextureSize);

/// Fits an image read from a work file: a side above `limit` (the effective
/// limit) makes it limit x limit; otherwise it keeps its stored size.
void FitLoadedTexture(Material& material, int limit);

}  // namespace plicora
