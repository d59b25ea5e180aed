#pragma once
// The part list (View > Parts): a dock window with a row per part (index,
// face count, pages, the parts it is glued to). Choosing a row selects that
// part in the document, and the row follows the document's selection (Next
// Part and Previous Part). Any column sorts the rows; the list is filled
// only while it is shown.

#include <QDockWidget>
#include <vector>

#include "core/document/VorlanDoc.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace plicora {

/// The columns of the list; "Built" holds a tick the user sets for each part
/// glued together.
enum PartsColumn : int {
  kPartIndexColumn = 0,
  kPartBuiltColumn,
  kPartFacesColumn,
  kPartPagesColumn,
  kPartGluedColumn,
  kPartColumnCount,
};

class PartsDock : public QDockWidget {
  Q_OBJECT
 public:
  explicit PartsDock(CVorlanDoc& doc, QWidget* parent = nullptr);
  ~PartsDock() override;

  QTreeWidget* list() const { return list_; }
  /// Fills the list anew from the document.
  void Refill();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void OnDocumentUpdate(int hint);
  /// Marks the row of the document's selected part without selecting it again.
  void FollowSelection();
  void OnRowChosen();
  void OnItemChanged(QTreeWidgetItem* item, int column);
  /// Sets the "Built" ticks from the document.
  void ShowProgress();
  /// The row of a part, wherever sorting put it.
  QTreeWidgetItem* Row(int part) const;

  CVorlanDoc& doc_;
  QTreeWidget* list_ = nullptr;
  std::vector<QTreeWidgetItem*> rows_;  ///< by part index; owned by list_
  bool stale_ = true;                   ///< the list no longer shows the document's parts
  bool following_ = false;
  int viewId_ = 0;
};

}  // namespace plicora
