#include "gui/development/VorlanzuView.h"

#include <QPainter>
#include <QWheelEvent>

#include "gui/view3d/PaneInput.h"

namespace plicora {

CVorlanzuView::CVorlanzuView(CVorlanDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc), engine_(doc) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::ClickFocus);
  engine_.SetCallbacks({[this] { update(); }, [this](int hint) { doc_.UpdateAllViews(hint); }});
  viewId_ = doc_.AddView([this](int hint) {
    engine_.OnUpdate(hint);
    update();
  });
}

CVorlanzuView::~CVorlanzuView() {
  doc_.RemoveView(viewId_);
}

void CVorlanzuView::HoldPicture(bool hold) {
  held_ = hold;
  update();
}

void CVorlanzuView::paintEvent(QPaintEvent*) {
  // A window moved to a screen of another pixel density renders anew.
  if (devicePixelRatioF() != engine_.pixelRatio()) {
    engine_.SetPixelRatio(devicePixelRatioF());
    engine_.Resize(width(), height());
  }
  QPainter painter(this);
  if (!held_ && engine_.Render()) {
    engine_.Compose(painter);
  } else {
    painter.fillRect(rect(), QColor(127, 127, 127));
  }
}

void CVorlanzuView::resizeEvent(QResizeEvent*) {
  engine_.SetPixelRatio(devicePixelRatioF());
  engine_.Resize(width(), height());
}

void CVorlanzuView::mousePressEvent(QMouseEvent* event) {
  if (doc_.model()) setCursor(DragCursorOf(*event, false));
  if (const auto button = ButtonOf(*event))
    engine_.MousePress(*button, event->position().toPoint().x(), event->position().toPoint().y(),
                       PointerStateOf(*event));
}

void CVorlanzuView::mouseReleaseEvent(QMouseEvent* event) {
  if (!(event->buttons() & (Qt::RightButton | Qt::MiddleButton))) unsetCursor();
  if (const auto button = ButtonOf(*event))
    engine_.MouseRelease(*button, event->position().toPoint().x(), event->position().toPoint().y(),
                         PointerStateOf(*event));
}

void CVorlanzuView::mouseMoveEvent(QMouseEvent* event) {
  engine_.MouseMove(event->position().toPoint().x(), event->position().toPoint().y(), PointerStateOf(*event));
}

void CVorlanzuView::wheelEvent(QWheelEvent* event) {
  if (const int amount = event->angleDelta().y(); amount != 0)
    engine_.Wheel(amount, event->position().x(), event->position().y());
  event->accept();
}

}  // namespace plicora
