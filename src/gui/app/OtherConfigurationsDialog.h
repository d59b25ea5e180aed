#pragma once
// "Other Configurations": join numbers, edge colours, zoom direction,
// texture smoothing and size limit, background colour, printout line width,
// speed-ups and whitish colours.

#include <QDialog>

#include "core/configuration/OtherConfigurations.h"
#include "gui/commands/FrameServices.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace plicora {

class CColorButton;

class OtherConfigurationsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit OtherConfigurationsDialog(const OtherConfigurations& values, QWidget* parent = nullptr);
  /// The confirmed values (after OK).
  const OtherConfigurations& values() const { return values_; }

 public slots:
  void accept() override;

 private:
  OtherConfigurations values_;
  QCheckBox* reverseNumbers_;
  QLineEdit* fontSize_;
  QCheckBox* colorEdges_;
  QCheckBox* reverseZoom_;
  QCheckBox* zoomAtCursor_;
  QCheckBox* smoothTexture_;
  CColorButton* background_;
  QComboBox* lineWidth_;
  QCheckBox* omitMaterial_;
  QCheckBox* simpleDisplay_;
  QCheckBox* limitTexture_;
  QComboBox* textureLimit_;
  QCheckBox* whitish_;
};

/// Runs the dialog; on OK stores the values, reduces textures above a newly
/// chosen limit and redraws.
void RunOtherConfigurations(const FrameServices& services);

}  // namespace plicora
