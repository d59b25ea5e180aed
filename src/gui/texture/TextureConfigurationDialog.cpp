#include "gui/texture/TextureConfigurationDialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/document/UpdateHints.h"
#include "core/platform/MessageSink.h"
#include "core/texture/TextureData.h"
#include "gui/texture/MaterialPreview.h"
#include "gui/texture/SetTextureCommand.h"

namespace plicora {

QStringList MaterialListLabels(const Model& model) {
  QStringList labels;
  int unnamed = 1;
  for (const Material& material : model.materials) {
    if (!material.name.empty())
      labels << QString::fromStdString(material.name);
    else
      labels << QStringLiteral("Pattern-%1").arg(unnamed++);
  }
  return labels;
}

TextureConfigurationDialog::TextureConfigurationDialog(CVorlanDoc& doc, std::function<int()> loadLimit, QWidget* parent)
    : QDialog(parent), doc_(doc), loadLimit_(std::move(loadLimit)) {
  setObjectName(QStringLiteral("textureConfiguration"));
  setWindowTitle(QStringLiteral("Texture Configuration"));
  setModal(false);
  list_ = new QListWidget;
  list_->setObjectName(QStringLiteral("materials"));
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  specify_ = new QPushButton(QStringLiteral("Specify Texture Image..."));
  specify_->setObjectName(QStringLiteral("specifyTexture"));
  reset_ = new QPushButton(QStringLiteral("Reset Texture"));
  reset_->setObjectName(QStringLiteral("resetTexture"));
  for (QPushButton* button : {specify_, reset_}) button->setAutoDefault(false);
  preview_ = new MaterialPreview;
  preview_->setObjectName(QStringLiteral("preview"));
  connect(list_, &QListWidget::currentRowChanged, this, &TextureConfigurationDialog::SelectionChanged);
  connect(specify_, &QPushButton::clicked, this, &TextureConfigurationDialog::SpecifyTexture);
  connect(reset_, &QPushButton::clicked, this, &TextureConfigurationDialog::ResetTexture);

  auto* buttons = new QDialogButtonBox;
  buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::AcceptRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* side = new QVBoxLayout;
  side->addWidget(specify_);
  side->addWidget(reset_);
  side->addWidget(preview_);
  side->addStretch();
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Texture and Color Configuration List")), 0, 0);
  grid->addWidget(list_, 1, 0);
  grid->addLayout(side, 1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(new QLabel(QStringLiteral("* Border of affected surface will be shown in:")));
  layout->addWidget(new QLabel(QStringLiteral("Yellow: Can Set Texture")));
  layout->addWidget(new QLabel(QStringLiteral("White:  Cannot Set Texture because of the lack of UV-Coordinate")));
  layout->addWidget(buttons);
  FillMaterialList();
}

void TextureConfigurationDialog::FillMaterialList() {
  const QSignalBlocker blocker(list_);
  list_->clear();
  preview_->ShowMaterial(nullptr);
  if (doc_.model()) list_->addItems(MaterialListLabels(*doc_.model()));
  RefreshButtons();
}

void TextureConfigurationDialog::ShowAndSelectFirst() {
  show();
  raise();
  activateWindow();
  if (list_->count() == 0) return;
  const QSignalBlocker blocker(list_);
  list_->setCurrentRow(0);
  SelectionChanged();
}

Material* TextureConfigurationDialog::SelectedMaterial() const {
  Model* model = doc_.model();
  const int row = list_->currentRow();
  if (!model || row < 0 || row >= static_cast<int>(model->materials.size())) return nullptr;
  return &model->materials[static_cast<std::size_t>(row)];
}

void TextureConfigurationDialog::RefreshButtons() {
  const Material* material = SelectedMaterial();
  specify_->setEnabled(material != nullptr);
  reset_->setEnabled(material && material->image);
}

void TextureConfigurationDialog::SelectionChanged() {
  Material* material = SelectedMaterial();
  RefreshButtons();
  preview_->ShowMaterial(material);
  doc_.shell().highlightedMaterial = material;
  doc_.UpdateAllViews(HINT_NONE);
}

void TextureConfigurationDialog::SpecifyTexture() {
  if (!SelectedMaterial()) return;
  const QString path = ChooseTextureFile(this);
  if (path.isEmpty()) return;
  if (!QFileInfo::exists(path)) {
    ShowMessage("File does not exist", MessageKind::Error);
    return;
  }
  // The file dialog runs the event loop: look the material up again.
  Material* material = SelectedMaterial();
  if (!material || !PutTextureOnMaterial(doc_, *material, path.toStdString(), loadLimit_())) return;
  doc_.UpdateAllViews(HINT_NONE);
  preview_->ShowMaterial(material);
  RefreshButtons();
}

void TextureConfigurationDialog::ResetTexture() {
  Material* material = SelectedMaterial();
  if (!material) return;
  RemoveTexture(*material, [this] { doc_.SetModifiedFlag(); });
  doc_.UpdateAllViews(HINT_NONE);
  preview_->ShowMaterial(material);
  RefreshButtons();
}

void TextureConfigurationDialog::done(int result) {
  doc_.shell().highlightedMaterial = nullptr;
  doc_.UpdateAllViews(HINT_NONE);
  QDialog::done(result);
}

}  // namespace plicora
