#pragma once
// What the main frame offers to the commands that live outside it (dialogs,
// printing, exports): the window to own their dialogs, the document, and a
// few services of the panes.

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "core/document/VorlanDoc.h"
#include "gui/widgets/FileDialogPlace.h"

namespace plicora {

/// The strings that describe the OpenGL implementation drawing the panes.
struct GlDescription {
  std::string version;
  std::string vendor;
  std::string renderer;
  int maxTextureSize = 0;
};

struct FrameServices {
  QWidget* window = nullptr;  ///< owner of dialogs and message boxes
  CVorlanDoc* doc = nullptr;
  /// The OpenGL implementation of the panes (a context is made when needed).
  std::function<GlDescription()> glDescription;
  /// Cancels the development pane's mode (raster printing and exports do).
  std::function<void()> cancelPaneMode;
  /// Shows a passing message in the status bar ("The print was cancelled").
  std::function<void(const QString&)> showStatus;
  /// The print preview window's size kept in the profile (invalid: none kept).
  std::function<QSize()> previewSize;
  std::function<void(QSize)> keepPreviewSize;
  /// Called before every open (the texture dialog hides itself there).
  std::vector<std::function<void()>>* beforeOpen = nullptr;
  /// The Save Development dialog's last folder and size (kept in the profile).
  FileDialogPlace* savePlace = nullptr;
};

}  // namespace plicora
