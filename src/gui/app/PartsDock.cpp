#include "gui/app/PartsDock.h"

#include <QHeaderView>
#include <QTreeWidget>

#include "core/document/PartListRows.h"
#include "core/document/UpdateHints.h"

namespace plicora {

PartsDock::PartsDock(CVorlanDoc& doc, QWidget* parent) : QDockWidget(QStringLiteral("Parts"), parent), doc_(doc) {
  setObjectName(QStringLiteral("PartsDock"));
  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("partList"));
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setColumnCount(kPartColumnCount);
  list_->setHeaderLabels({QStringLiteral("Part"), QStringLiteral("Built"), QStringLiteral("Faces"),
                          QStringLiteral("Pages"), QStringLiteral("Glued to (joins)")});
  list_->setMinimumWidth(320);
  list_->header()->setStretchLastSection(true);
  setWidget(list_);
  connect(list_, &QTreeWidget::itemSelectionChanged, this, &PartsDock::OnRowChosen);
  connect(list_, &QTreeWidget::itemChanged, this, &PartsDock::OnItemChanged);
  viewId_ = doc_.AddView([this](int hint) { OnDocumentUpdate(hint); });
}

PartsDock::~PartsDock() {
  doc_.RemoveView(viewId_);
}

void PartsDock::showEvent(QShowEvent* event) {
  QDockWidget::showEvent(event);
  if (stale_) Refill();
}

void PartsDock::OnDocumentUpdate(int hint) {
  if (hint == HINT_PART_SELECTED) {
    FollowSelection();
    return;
  }
  if (hint == HINT_PROGRESS_CHANGED) {
    ShowProgress();
    return;
  }
  if (OnlyMarksChanged(hint)) return;
  // Opening, scaling, mirroring and page changes move parts over the pages.
  stale_ = true;
  if (isVisible()) Refill();
}

void PartsDock::Refill() {
  stale_ = false;
  following_ = true;
  list_->clear();
  if (doc_.model() && doc_.hasDevelopment()) {
    PageLayout printed = doc_.pages();
    BuildPageList(doc_.model(), doc_.settings(), printed);
    QList<QTreeWidgetItem*> items;
    for (const PartListRow& row : PartListRows(doc_.PartSummaries(), printed)) {
      auto* item = new QTreeWidgetItem;
      item->setData(kPartIndexColumn, Qt::DisplayRole, row.index);
      item->setData(kPartFacesColumn, Qt::DisplayRole, row.faces);
      item->setText(kPartPagesColumn, QString::fromStdString(row.pages));
      item->setText(kPartGluedColumn, QString::fromStdString(row.gluedTo));
      item->setTextAlignment(kPartIndexColumn, Qt::AlignRight);
      item->setTextAlignment(kPartFacesColumn, Qt::AlignRight);
      item->setCheckState(kPartBuiltColumn, doc_.IsPartBuilt(row.index) ? Qt::Checked : Qt::Unchecked);
      items.append(item);
    }
    list_->addTopLevelItems(items);
    for (int column : {kPartIndexColumn, kPartBuiltColumn, kPartFacesColumn, kPartPagesColumn})
      list_->resizeColumnToContents(column);
  }
  following_ = false;
  FollowSelection();
}

void PartsDock::FollowSelection() {
  if (stale_) return;
  following_ = true;
  const int part = doc_.SelectedPart();
  QTreeWidgetItem* item = part >= 0 && part < list_->topLevelItemCount() ? list_->topLevelItem(part) : nullptr;
  list_->setCurrentItem(item);
  if (!item) list_->clearSelection();
  if (item) list_->scrollToItem(item);
  following_ = false;
}

void PartsDock::ShowProgress() {
  if (stale_) return;
  following_ = true;
  for (int part = 0; part < list_->topLevelItemCount(); ++part)
    list_->topLevelItem(part)->setCheckState(kPartBuiltColumn, doc_.IsPartBuilt(part) ? Qt::Checked : Qt::Unchecked);
  following_ = false;
}

void PartsDock::OnItemChanged(QTreeWidgetItem* item, int column) {
  if (following_ || column != kPartBuiltColumn) return;
  const int part = list_->indexOfTopLevelItem(item);
  const bool built = item->checkState(kPartBuiltColumn) == Qt::Checked;
  if (part >= 0 && built != doc_.IsPartBuilt(part)) doc_.SetPartBuilt(part, built);
}

void PartsDock::OnRowChosen() {
  if (following_) return;
  const QList<QTreeWidgetItem*> chosen = list_->selectedItems();
  const int part = chosen.isEmpty() ? -1 : list_->indexOfTopLevelItem(chosen.front());
  if (part != doc_.SelectedPart()) doc_.SelectPart(part);
}

}  // namespace plicora
