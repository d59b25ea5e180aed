#include "gui/app/OtherConfigurationsDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/document/SettingsStore.h"
#include "core/document/UpdateHints.h"
#include "core/texture/TextureData.h"
#include "gui/app/ColorButton.h"
#include "gui/app/DialogDataExchange.h"

namespace plicora {
namespace {

/// Other Configurations offers the first six printout widths only.
const QStringList kLineWidthItems = {"0.25", "0.5", "0.75", "1(default)", "2", "3"};
const QStringList kTextureLimitItems = {"64 x 64", "128 x 128", "256 x 256", "512 x 512", "1024 x 1024"};
constexpr int kBackgroundColor = 7;

}  // namespace

OtherConfigurationsDialog::OtherConfigurationsDialog(CVorlanDoc& doc, QWidget* parent)
    : QDialog(parent), previousLineWidthIndex_(doc.settings().lineWidthIndex) {
  const Settings& s = doc.settings();
  setWindowTitle(QStringLiteral("Other Configurations"));
  reverseNumbers_ =
      MakeCheckBox(QStringLiteral("Reverse Join Number Position "), "reverseJoinNumbers", s.bEdgeIdReverse);
  fontSize_ = MakeIntegerBox("joinNumberFontSize", s.iEdgeNumberFontSize);
  colorEdges_ =
      MakeCheckBox(QStringLiteral("Color Convex and Concave Flap Edges (3D Model)"), "colorEdges", s.bDrawColorEdge);
  reverseZoom_ = MakeCheckBox(QStringLiteral("Reverse Zoom Direction"), "reverseZoom", s.bZoomWheelInvert);
  smoothTexture_ = MakeCheckBox(QStringLiteral("Smooth Texture View"), "smoothTexture", s.bTextureSmooth);
  auto* background = new CColorButton(doc, kBackgroundColor);
  background->setObjectName(QStringLiteral("backgroundColor"));
  lineWidth_ = MakeChoice(kLineWidthItems, "lineWidth", s.lineWidthIndex);
  omitMaterial_ = MakeCheckBox(QStringLiteral("Omit Color and Texture when Rotating 3D Models"), "omitMaterial",
                               s.bOmitMaterialWhenModelRotate);
  simpleDisplay_ = MakeCheckBox(QStringLiteral("Simple Display of Development Moving and Editing"), "simpleDisplay",
                                !s.bRenderAllGL);
  limitTexture_ =
      MakeCheckBox(QStringLiteral("Use Lower Resolution for Large Texture Image"), "limitTexture", s.bLimitTextureSize);
  textureLimit_ = MakeChoice(kTextureLimitItems, "textureLimit", s.iTextureLimitSizeIndex);
  textureLimit_->setEnabled(s.bLimitTextureSize);
  whitish_ = MakeCheckBox(QStringLiteral("Convert Whitish Color to White before Printing"), "whitishToWhite",
                          s.bSlideColorToWhite);
  connect(limitTexture_, &QCheckBox::toggled, textureLimit_, &QWidget::setEnabled);

  auto* grid = new QGridLayout;
  grid->addWidget(reverseNumbers_, 0, 0, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("Join Number Font Size ")), 1, 0);
  grid->addWidget(fontSize_, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("pt")), 1, 2);
  grid->addWidget(colorEdges_, 2, 0, 1, 3);
  grid->addWidget(reverseZoom_, 3, 0, 1, 3);
  grid->addWidget(smoothTexture_, 4, 0, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("Background Color  ")), 5, 0);
  grid->addWidget(background, 5, 1);
  grid->addWidget(new QLabel(QStringLiteral("Line Width ")), 6, 0);
  grid->addWidget(lineWidth_, 6, 1, 1, 2);
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

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(speedUp);
  layout->addWidget(trouble);
  layout->addWidget(buttons);
}

void OtherConfigurationsDialog::accept() {
  if (!ExchangeInteger(fontSize_, 1, 100, confirmedFontSize_)) return;
  QDialog::accept();
}

void OtherConfigurationsDialog::Store(Settings& s) const {
  s.bEdgeIdReverse = reverseNumbers_->isChecked();
  s.iEdgeNumberFontSize = confirmedFontSize_;
  s.bDrawColorEdge = colorEdges_->isChecked();
  s.bZoomWheelInvert = reverseZoom_->isChecked();
  s.bTextureSmooth = smoothTexture_->isChecked();
  // A width this list does not offer (set by Line Type Configuration) stays
  // when the list was left without a selection.
  s.lineWidthIndex = lineWidth_->currentIndex() >= 0 ? lineWidth_->currentIndex() : previousLineWidthIndex_;
  s.bOmitMaterialWhenModelRotate = omitMaterial_->isChecked();
  s.bRenderAllGL = !simpleDisplay_->isChecked();
  s.bLimitTextureSize = limitTexture_->isChecked();
  if (textureLimit_->currentIndex() >= 0) s.iTextureLimitSizeIndex = textureLimit_->currentIndex();
  s.bSlideColorToWhite = whitish_->isChecked();
  UpdateDerivedSettings(s);
}

void RunOtherConfigurations(const FrameServices& services) {
  CVorlanDoc& doc = *services.doc;
  const std::array<ColorRef, 8> colorsBefore = doc.settings().colors;
  OtherConfigurationsDialog dialog(doc, services.window);
  if (dialog.exec() != QDialog::Accepted) {
    // The background colour acts at once; show it even after Cancel.
    if (doc.settings().colors != colorsBefore) doc.UpdateAllViews(HINT_NONE);
    return;
  }
  const bool smoothBefore = doc.settings().bTextureSmooth;
  dialog.Store(doc.settings());
  if (doc.model()) ApplyTextureLimit(*doc.model(), doc.settings());
  doc.UpdateAllViews(doc.settings().bTextureSmooth != smoothBefore ? HINT_TEXTURE_FILTER_CHANGED : HINT_NONE);
}

}  // namespace plicora
