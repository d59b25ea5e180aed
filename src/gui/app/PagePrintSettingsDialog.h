#pragma once
// "Page and Print Settings": page numbers, alignment marks, empty pages and
// raster printing with its resolution.

#include <QDialog>

#include "core/configuration/PagePrintSettings.h"
#include "gui/commands/FrameServices.h"

class QCheckBox;
class QComboBox;

namespace plicora {

class PagePrintSettingsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit PagePrintSettingsDialog(const PagePrintSettings& values, QWidget* parent = nullptr);
  /// The confirmed values (after OK).
  const PagePrintSettings& values() const { return values_; }

 public slots:
  void accept() override;

 private:
  PagePrintSettings values_;
  QCheckBox* pageNumber_;
  QCheckBox* alignmentMarks_;
  QCheckBox* scaleGauge_;
  QCheckBox* omitEmptyPages_;
  QCheckBox* raster_;
  QComboBox* resolution_;
  QComboBox* registrationMarks_;
};

/// Runs the dialog; on OK stores the values and redraws.
void RunPagePrintSettings(const FrameServices& services);

}  // namespace plicora
