#pragma once
// The development on the clipboard: as a picture of a chosen pixel size
// (offered as PNG and BMP, and as an image to Qt programs), or as a metafile
// (offered as EMF, with the same drawing as SVG for programs that cannot
// paste EMF).

#include <functional>

#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "core/platform/WorkTick.h"
#include "gui/export/ExportQuestions.h"

class QWidget;

namespace plicora {

/// Asks the size (at most 1024 pixels a side), renders the whole development
/// and puts the picture on the clipboard, with a progress window on
/// `progressOwner` that can stop it (a busy cursor without one). Without a
/// development, or when the user cancels, nothing happens. Returns whether
/// the clipboard was filled.
bool CopyBitmapToClipboard(const Model& model, const Settings& settings, const ExportQuestions& questions,
                           const std::function<void()>& cancelPaneMode, QWidget* progressOwner = nullptr);

/// Renders the whole development at `size` and puts the picture on the
/// clipboard. When a `tick` says stop the clipboard is left as it was.
bool CopyPictureToClipboard(const Model& model, const Settings& settings, BitmapSize size,
                            const std::function<void()>& cancelPaneMode, const WorkTick* tick);

/// Puts the metafile of the development (and its SVG) on the clipboard.
/// Returns whether the clipboard was filled. When a `tick` says stop the
/// clipboard is left as it was.
bool CopyMetafileToClipboard(const Model& model, const Settings& settings, const WorkTick* tick = nullptr);

}  // namespace plicora
