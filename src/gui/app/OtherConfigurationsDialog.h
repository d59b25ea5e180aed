#pragma once
// "Other Configurations": join numbers, edge colours, zoom direction,
// texture smoothing and size limit, background colour, printout line width,
// speed-ups and whitish colours.

#include <QDialog>

#include "gui/commands/FrameServices.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace plicora {

class OtherConfigurationsDialog : public QDialog {
  Q_OBJECT
 public:
  OtherConfigurationsDialog(CVorlanDoc& doc, QWidget* parent = nullptr);
  /// Writes the confirmed values (after OK) into `settings`.
  void Store(Settings& settings) const;

 public slots:
  void accept() override;

 private:
  QCheckBox* reverseNumbers_;
  QLineEdit* fontSize_;
  QCheckBox* colorEdges_;
  QCheckBox* reverseZoom_;
  QCheckBox* smoothTexture_;
  QComboBox* lineWidth_;
  QCheckBox* omitMaterial_;
  QCheckBox* simpleDisplay_;
  QCheckBox* limitTexture_;
  QComboBox* textureLimit_;
  QCheckBox* whitish_;
  int confirmedFontSize_ = 0;
  int previousLineWidthIndex_;
};

/// Runs the dialog; on OK stores the values, reduces textures above a newly
/// chosen limit and redraws.
void RunOtherConfigurations(const FrameServices& services);

}  // namespace plicora
