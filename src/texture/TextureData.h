#pragma once
// Texture images held by materials: the nearest-neighbour resampler and the
// size rules that keep every image within what OpenGL accepts.

#include "app/Settings.h"
#include "model/Model.h"

namespace plicora {

/// Nearest-neighbour copy of `source` at tw x th. With `flip` the target's
/// first row is the source's last one.
TextureImage ResampleNearest(const TextureImage& source, int targetWidth, int targetHeight, bool flip);

/// Replaces the material's image by a size x size copy (no flip).
void ResizeTextureImage(Material& material, int size);

/// The largest side a texture may keep: OpenGL's limit, lowered to the
/// chosen limit when "Use Lower Resolution for Large Texture Image" is on.
int EffectiveTextureLimit(const Settings& settings);

/// Fits an image read from a work file: a side above the effective limit K
/// makes it K x K; otherwise it keeps its stored size.
void FitLoadedTexture(Material& material, const Settings& settings);

}  // namespace plicora
