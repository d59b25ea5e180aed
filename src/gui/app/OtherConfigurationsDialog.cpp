#include "gui/app/OtherConfigurationsDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/app/ColorButton.h"
#include "gui/app/DialogDataExchange.h"
#include "gui/widgets/DialogSizing.h"
#include "gui/widgets/OkCancelButtons.h"

namespace plicora {

OtherConfigurationsDialog::OtherConfigurationsDialog(const OtherConfigurations& values, QWidget* parent)
    : QDialog(parent), values_(values) {
  const OtherConfigurations& v = values;
  setWindowTitle(QStringLiteral("Other Configurations"));
  reverseNumbers_ =
      MakeCheckBox(QStringLiteral("Reverse Join Number Position "), "reverseJoinNumbers", v.reverseJoinNumbers);
  fontSize_ = MakeIntegerBox("joinNumberFontSize", v.joinNumberFontSize);
  colorEdges_ =
      MakeCheckBox(QStringLiteral("Color Convex and Concave Flap Edges (3D Model)"), "colorEdges", v.colorEdges);
  reverseZoom_ = MakeCheckBox(QStringLiteral("Reverse Zoom Direction"), "reverseZoom", v.reverseZoom);
  zoomAtCursor_ = MakeCheckBox(QStringLiteral("Zoom at Cursor"), "zoomAtCursor", v.zoomAtCursor);
  smoothTexture_ = MakeCheckBox(QStringLiteral("Smooth Texture View"), "smoothTexture", v.smoothTexture);
  background_ = new CColorButton(v.backgroundColor);
  background_->setObjectName(QStringLiteral("backgroundColor"));
  // A width this list does not offer (set by Line Type Configuration) shows
  // no selection and stays unless another is chosen.
  lineWidth_ = MakeChoice(OtherConfigurations::LineWidthChoices(), "lineWidth", v.lineWidthIndex);
  omitMaterial_ = MakeCheckBox(QStringLiteral("Omit Color and Texture when Rotating 3D Models"), "omitMaterial",
                               v.omitMaterialWhileRotating);
  simpleDisplay_ = MakeCheckBox(QStringLiteral("Simple Display of Development Moving and Editing"), "simpleDisplay",
                                v.simpleDisplay);
  limitTexture_ =
      MakeCheckBox(QStringLiteral("Use Lower Resolution for Large Texture Image"), "limitTexture", v.limitTextureSize);
  textureLimit_ = MakeChoice(OtherConfigurations::TextureLimitChoices(), "textureLimit", v.textureLimitIndex);
  textureLimit_->setEnabled(v.limitTextureSize);
  whitish_ = MakeCheckBox(QStringLiteral("Convert Whitish Color to White before Printing"), "whitishToWhite",
                          v.whitishToWhite);
  connect(limitTexture_, &QCheckBox::toggled, textureLimit_, &QWidget::setEnabled);

  auto* grid = new QGridLayout;
  grid->addWidget(reverseNumbers_, 0, 0, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("Join Number Font Size ")), 1, 0);
  grid->addWidget(fontSize_, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("pt")), 1, 2);
  grid->addWidget(colorEdges_, 2, 0, 1, 3);
  grid->addWidget(reverseZoom_, 3, 0, 1, 3);
  grid->addWidget(zoomAtCursor_, 4, 0, 1, 3);
  grid->addWidget(smoothTexture_, 5, 0, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("Background Color  ")), 6, 0);
  grid->addWidget(background_, 6, 1);
  grid->addWidget(new QLabel(QStringLiteral("Line Width ")), 7, 0);
  grid->addWidget(lineWidth_, 7, 1, 1, 2);
  grid->setColumnStretch(3, 1);

  auto* speedUp = new QGroupBox(QStringLiteral("Speed-up Drawing"));
  auto* speedUpLayout = new QVBoxLayout(speedUp);
  speedUpLayout->addWidget(omitMaterial_);
  speedUpLayout->addWidget(simpleDisplay_);

  auto* trouble = new QGroupBox(QStringLiteral("Trouble shooting"));
  auto* troubleLayout = new QGridLayout(trouble);
  troubleLayout->addWidget(limitTexture_, 0, 0, 1, 2);
  troubleLayout->addWidget(new QLabel(QStringLiteral("Upper Limit of Texture Image Size")), 1, 0);
  troubleLayout->addWidget(textureLimit_, 1, 1);
  troubleLayout->addWidget(whitish_, 2, 0, 1, 2);

  QDialogButtonBox* buttons = OkCancelButtons(*this);

  auto* layout = new QVBoxLayout(this);
  FixDialogSize(*this, *layout);
  layout->addLayout(grid);
  layout->addWidget(speedUp);
  layout->addWidget(trouble);
  layout->addWidget(buttons);
}

void OtherConfigurationsDialog::accept() {
  OtherConfigurations edited = values_;
  edited.reverseJoinNumbers = reverseNumbers_->isChecked();
  edited.colorEdges = colorEdges_->isChecked();
  edited.reverseZoom = reverseZoom_->isChecked();
  edited.zoomAtCursor = zoomAtCursor_->isChecked();
  edited.smoothTexture = smoothTexture_->isChecked();
  edited.backgroundColor = background_->color();
  ReadChoice(lineWidth_, edited.lineWidthIndex);
  edited.omitMaterialWhileRotating = omitMaterial_->isChecked();
  edited.simpleDisplay = simpleDisplay_->isChecked();
  edited.limitTextureSize = limitTexture_->isChecked();
  ReadChoice(textureLimit_, edited.textureLimitIndex);
  edited.whitishToWhite = whitish_->isChecked();
  if (!ConfirmValues(edited, {{&OtherConfigurations::joinNumberFontSize, fontSize_}})) return;
  values_ = edited;
  QDialog::accept();
}

void RunOtherConfigurations(const FrameServices& services) {
  CVorlanDoc& doc = *services.doc;
  OtherConfigurationsDialog dialog(OtherConfigurations::FromSettings(doc.settings()), services.window);
  if (dialog.exec() != QDialog::Accepted) return;
  doc.UpdateAllViews(dialog.values().ApplyTo(doc.settings(), doc.model()));
}

}  // namespace plicora
