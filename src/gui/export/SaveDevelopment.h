#pragma once
// Save Development: the whole development written to a file in the format
// its name's extension chooses (BMP, EPS, EMF, and also PNG, SVG, PDF and
// the DXF cut file), or the SVG cut file when its filter was chosen.
// Every format goes to a temporary file beside the chosen one, which takes
// the chosen name only once it is complete: a failure leaves no file behind
// and an existing file untouched.

#include <QWidget>
#include <functional>
#include <string>

#include "core/export/EpsWriter.h"
#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "gui/export/ExportQuestions.h"
#include "gui/widgets/FileDialogPlace.h"

namespace plicora {

/// What a save needs besides the model and the settings.
struct SaveDevelopmentContext {
  ExportQuestions questions;
  EpsOptions* epsOptions = nullptr;      ///< kept between saves; updated on OK of the EPS box
  std::function<void()> cancelPaneMode;  ///< the raster formats cancel the pane's mode
  bool cutterSvg = false;                ///< an .svg is the cut file for cutting machines
  QWidget* progressOwner = nullptr;      ///< owns the progress window of a long save (none: no window)
  FileDialogPlace* place = nullptr;      ///< the dialog's last folder and size (none: the work file's folder)
};

/// Writes the development to `path`. An unknown extension shows "Specified
/// file format is not supported". Returns whether the file was written (a
/// cancelled question writes nothing and returns false).
bool SaveDevelopmentAs(const std::string& path, const Model& model, const Settings& settings,
                       const SaveDevelopmentContext& context);

/// The command: the save dialog (named after the work file, in its folder),
/// then SaveDevelopmentAs. Does nothing without a development.
void SaveDevelopment(QWidget* owner, const Model& model, const Settings& settings,
                     const SaveDevelopmentContext& context);

}  // namespace plicora
