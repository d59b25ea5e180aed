#pragma once
// "Object List": the model's objects; while the model has no development a
// click in the list chooses the objects that a development would be made of.

#include <QDialog>

#include "core/document/VorlanDoc.h"

class QListWidget;

namespace plicora {

class ObjectListDialog : public QDialog {
  Q_OBJECT
 public:
  ObjectListDialog(CVorlanDoc& doc, QWidget* parent);
  /// Fills the list from the current model (every open).
  void Refill();
  QListWidget* list() const { return list_; }

 private:
  void ApplySelection();

  CVorlanDoc& doc_;
  QListWidget* list_ = nullptr;
};

}  // namespace plicora
