#pragma once
// The 3D pane of the main window: paints the 3D engine's off-screen picture
// and passes mouse, wheel and document updates to it.

#include <QWidget>
#include <functional>
#include <memory>

#include "core/document/VorlanDoc.h"
#include "render/view3d/ModelViewEngine.h"

class QSoundEffect;

namespace plicora {

class CModelView : public QWidget {
  Q_OBJECT
 public:
  explicit CModelView(CVorlanDoc& doc, QWidget* parent = nullptr);
  ~CModelView() override;

  ModelViewEngine& engine() { return engine_; }
  /// Shows the edge-specify menu at a client point (set by the frame).
  std::function<void(const QPoint& globalPos)> showContextMenu;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void OnDocumentUpdate(int hint);
  void PlayPickSound();

  CVorlanDoc& doc_;
  ModelViewEngine engine_;
  int viewId_ = 0;
  QSoundEffect* pickSound_ = nullptr;
};

}  // namespace plicora
