#pragma once
// "Texture Configuration": the modeless dialog that lists the model's
// materials, previews the selected one, puts an image file onto it or takes
// its image away. While the dialog is shown the 3D pane outlines the faces of
// the selected material.

#include <QDialog>
#include <functional>

#include "core/document/VorlanDoc.h"

class QListWidget;
class QPushButton;

namespace plicora {

class MaterialPreview;

/// The list label of every material in model order: its name, or
/// "Pattern-%d" numbered from 1 over the unnamed materials only.
QStringList MaterialListLabels(const Model& model);

class TextureConfigurationDialog : public QDialog {
  Q_OBJECT
 public:
  /// `loadLimit` gives the largest side a loaded image may keep.
  TextureConfigurationDialog(CVorlanDoc& doc, std::function<int()> loadLimit, QWidget* parent = nullptr);

  /// Rebuilds the list from the current model and empties the preview.
  void FillMaterialList();
  /// Shows the dialog with the first material selected and highlighted.
  void ShowAndSelectFirst();

 public slots:
  /// Closing (Close, Escape or the close box) removes the highlight.
  void done(int result) override;

 private:
  Material* SelectedMaterial() const;
  void SelectionChanged();
  void SpecifyTexture();
  void ResetTexture();
  void RefreshButtons();

  CVorlanDoc& doc_;
  std::function<int()> loadLimit_;
  QListWidget* list_;
  QPushButton* specify_;
  QPushButton* reset_;
  MaterialPreview* preview_;
};

}  // namespace plicora
