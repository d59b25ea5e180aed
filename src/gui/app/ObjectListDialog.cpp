#include "gui/app/ObjectListDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "core/document/UpdateHints.h"

namespace plicora {

ObjectListDialog::ObjectListDialog(CVorlanDoc& doc, QWidget* parent) : QDialog(parent), doc_(doc) {
  setWindowTitle(QStringLiteral("Object List"));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  list_ = new QListWidget(this);
  list_->setSelectionMode(QAbstractItemView::MultiSelection);
  layout->addWidget(list_);
  layout->addWidget(new QLabel(QStringLiteral("The development will be created from selected objects only."), this));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
  // Only a click by the user chooses objects, not the list being filled.
  connect(list_, &QListWidget::itemClicked, this, [this] { ApplySelection(); });
  Refill();
}

void ObjectListDialog::Refill() {
  const QSignalBlocker block(list_);
  list_->clear();
  const Model* model = doc_.model();
  if (!model) return;
  const std::vector<std::string> names = ObjectListNames(*model);
  std::size_t i = 0;
  for (const Solid& solid : model->solids) {
    auto* item = new QListWidgetItem(QString::fromStdString(i < names.size() ? names[i] : std::string()), list_);
    item->setSelected(solid.selected);
    ++i;
  }
}

void ObjectListDialog::ApplySelection() {
  Model* model = doc_.model();
  if (!model || doc_.hasDevelopment()) {
    Refill();  // nothing to choose: show the objects as they are
    return;
  }
  int row = 0;
  for (Solid& solid : model->solids) {
    const QListWidgetItem* item = list_->item(row++);
    solid.selected = item && item->isSelected();
  }
  doc_.UpdateAllViews(HINT_NONE);
}

}  // namespace plicora
