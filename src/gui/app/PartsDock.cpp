#include "gui/app/PartsDock.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <utility>

#include "core/document/PartListRows.h"
#include "core/document/UpdateHints.h"

namespace plicora {
namespace {

/// A row that sorts by number in the numeric columns and by its tick in
/// "Built" (the tick has no text to compare).
class PartItem : public QTreeWidgetItem {
 public:
  bool operator<(const QTreeWidgetItem& other) const override {
    const int column = treeWidget() ? treeWidget()->sortColumn() : kPartIndexColumn;
    if (column == kPartBuiltColumn && checkState(column) != other.checkState(column))
      return checkState(column) < other.checkState(column);
    if (column == kPartBuiltColumn || column == kPartIndexColumn || column == kPartFacesColumn)
      return Key(*this, column) < Key(other, column);
    return QTreeWidgetItem::operator<(other);
  }

 private:
  // Equal ticks or counts keep the parts in their own order.
  static std::pair<int, int> Key(const QTreeWidgetItem& item, int column) {
    const int part = item.data(kPartIndexColumn, Qt::DisplayRole).toInt();
    return {column == kPartBuiltColumn ? 0 : item.data(column, Qt::DisplayRole).toInt(), part};
  }
};

int PartOf(const QTreeWidgetItem* item) {
  return item ? item->data(kPartIndexColumn, Qt::DisplayRole).toInt() : -1;
}

}  // namespace

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
  list_->setSortingEnabled(true);
  list_->sortByColumn(kPartIndexColumn, Qt::AscendingOrder);
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
  rows_.clear();
  if (doc_.model() && doc_.hasDevelopment()) {
    PageLayout printed = doc_.pages();
    BuildPageList(doc_.model(), doc_.settings(), printed);
    QList<QTreeWidgetItem*> items;
    for (const PartListRow& row : PartListRows(doc_.PartSummaries(), printed)) {
      auto* item = new PartItem;
      item->setData(kPartIndexColumn, Qt::DisplayRole, row.index);
      item->setData(kPartFacesColumn, Qt::DisplayRole, row.faces);
      item->setText(kPartPagesColumn, QString::fromStdString(row.pages));
      item->setText(kPartGluedColumn, QString::fromStdString(row.gluedTo));
      item->setTextAlignment(kPartIndexColumn, Qt::AlignRight);
      item->setTextAlignment(kPartFacesColumn, Qt::AlignRight);
      item->setCheckState(kPartBuiltColumn, doc_.IsPartBuilt(row.index) ? Qt::Checked : Qt::Unchecked);
      items.append(item);
      rows_.push_back(item);
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
  QTreeWidgetItem* item = Row(part);
  list_->setCurrentItem(item);
  if (!item) list_->clearSelection();
  if (item) list_->scrollToItem(item);
  following_ = false;
}

QTreeWidgetItem* PartsDock::Row(int part) const {
  return part >= 0 && part < static_cast<int>(rows_.size()) ? rows_[static_cast<std::size_t>(part)] : nullptr;
}

void PartsDock::ShowProgress() {
  if (stale_) return;
  following_ = true;
  for (std::size_t part = 0; part < rows_.size(); ++part)
    rows_[part]->setCheckState(kPartBuiltColumn,
                               doc_.IsPartBuilt(static_cast<int>(part)) ? Qt::Checked : Qt::Unchecked);
  following_ = false;
}

void PartsDock::OnItemChanged(QTreeWidgetItem* item, int column) {
  if (following_ || column != kPartBuiltColumn) return;
  const int part = PartOf(item);
  const bool built = item->checkState(kPartBuiltColumn) == Qt::Checked;
  if (part >= 0 && built != doc_.IsPartBuilt(part)) doc_.SetPartBuilt(part, built);
}

void PartsDock::OnRowChosen() {
  if (following_) return;
  const QList<QTreeWidgetItem*> chosen = list_->selectedItems();
  const int part = chosen.isEmpty() ? -1 : PartOf(chosen.front());
  if (part != doc_.SelectedPart()) doc_.SelectPart(part);
}

}  // namespace plicora
