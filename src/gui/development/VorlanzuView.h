#pragma once
// The development pane of the main window: paints the pane engine's picture
// of the sheets and passes mouse, wheel and document updates to it.

#include <QWidget>

#include "core/document/VorlanDoc.h"
#include "render/development/DevelopmentPaneEngine.h"

namespace plicora {

class CVorlanzuView : public QWidget {
  Q_OBJECT
 public:
  explicit CVorlanzuView(CVorlanDoc& doc, QWidget* parent = nullptr);
  ~CVorlanzuView() override;

  DevelopmentPaneEngine& engine() { return engine_; }
  /// While held, the pane shows its empty background instead of drawing
  /// the sheets (a first picture to be drawn a moment later, when the
  /// window is ready for the wait); letting go draws them.
  void HoldPicture(bool hold);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  CVorlanDoc& doc_;
  DevelopmentPaneEngine engine_;
  int viewId_ = 0;
  bool held_ = false;
};

}  // namespace plicora
