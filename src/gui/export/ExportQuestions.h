#pragma once
// The questions an export from the window asks the user before it writes:
// the pixel size of a bitmap and the EPS fill choices. The window answers
// them with its dialogs; tests answer them directly.

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "core/export/BitmapSizeProposal.h"
#include "core/export/EpsWriter.h"

namespace plicora {

struct ExportQuestions {
  /// The pixel size for a development of `extent`, at most `max` a side, of
  /// a picture in `format` ("BMP", "PNG"); nothing when the user cancelled.
  std::function<std::optional<BitmapSize>(const BitmapExtent& extent, int max, const char* format)> bitmapSize;
  /// Shows the EPS choices (with `notice`) and stores them in `options` on
  /// OK; false when the user closed the box otherwise.
  std::function<bool(const std::string& notice, EpsOptions& options)> epsOptions;
};

/// The answers of the "Size (BMP Format)" (or PNG) and "EPS Save Settings" dialogs,
/// owned by `owner`.
ExportQuestions DialogQuestions(QWidget* owner);

}  // namespace plicora
