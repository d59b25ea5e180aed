#pragma once
// "Page and Print Settings": page numbers, alignment marks, empty pages and
// raster printing with its resolution.

#include <QDialog>

#include "gui/commands/FrameServices.h"

class QCheckBox;
class QComboBox;

namespace plicora {

class PagePrintSettingsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit PagePrintSettingsDialog(const Settings& settings, QWidget* parent = nullptr);
  /// Writes the confirmed values (after OK) into `settings`.
  void Store(Settings& settings) const;

 private:
  QCheckBox* pageNumber_;
  QCheckBox* alignmentMarks_;
  QCheckBox* omitEmptyPages_;
  QCheckBox* raster_;
  QComboBox* resolution_;
};

/// Runs the dialog; on OK stores the values and redraws.
void RunPagePrintSettings(const FrameServices& services);

}  // namespace plicora
