#pragma once
// The Qt runtime of the batch commands that draw: one QGuiApplication on the
// offscreen platform (unless another platform was asked for) with the font
// substitutions installed.

namespace plicora {

/// Creates the application object once; later calls do nothing.
void EnsureGuiApplication();

}  // namespace plicora
