#pragma once
// What the batch commands set up before they read a file whose export draws
// textures through OpenGL (BMP, PNG, PDF).

namespace plicora {

/// Before the file is read: the Qt runtime, and OpenGL's texture size limit
/// asked from a first context and kept in the settings (maxTextureSize), so
/// that the textures are fitted to it.
void PrepareRasterExport();

}  // namespace plicora
