#pragma once
// "Set Texture": puts an image file onto the model's only material (or its
// default material), or opens the Texture Configuration dialog when the
// model has several materials.

#include <QString>
#include <string>

#include "gui/commands/FrameServices.h"

namespace plicora {

class TextureConfigurationDialog;

inline constexpr const char* kNoTextureCoordinatesMessage =
    "Current model has no uv-coordinate for texture,\nso texture image cannot be set.";
inline constexpr const char* kTextureLoadFailedMessage = "Failed to load texture image";

/// Asks for an existing texture image file; empty when cancelled.
QString ChooseTextureFile(QWidget* parent);

/// The largest side a texture loaded now may keep: the OpenGL limit of the
/// panes, lowered to the chosen limit when that is switched on.
int TextureLoadLimit(const FrameServices& services);

/// Loads `path` onto `material` and marks the document modified; on failure
/// shows "Failed to load texture image" and leaves the material as it was.
bool PutTextureOnMaterial(CVorlanDoc& doc, Material& material, const std::string& path, int limit);

/// The window's Texture Configuration dialog, made on first use. It refills
/// its list whenever a file is opened and hides before every open.
TextureConfigurationDialog* TextureDialogFor(const FrameServices& services);

/// The Set Texture command.
void SetTexture(const FrameServices& services);

}  // namespace plicora
