#include "gui/view3d/ModelView.h"

#include <QKeyEvent>
#include <QPainter>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>

#include "core/document/UpdateHints.h"
#include "core/platform/DataLocation.h"
#include "gui/view3d/PaneInput.h"

namespace plicora {
namespace {

constexpr int kPreparedLookEvery = 50;  // milliseconds

}  // namespace

CModelView::CModelView(CVorlanDoc& doc, QWidget* parent)
    : QWidget(parent), doc_(doc), engine_(doc.settings(), doc.shell()) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);           // hover highlight of edges in the edge-specify modes
  setFocusPolicy(Qt::StrongFocus);  // reachable with Tab too
  setMinimumWidth(0);
  ModelViewCallbacks callbacks;
  callbacks.invalidate = [this] { update(); };
  callbacks.updateAllViews = [this](int hint) { doc_.UpdateAllViews(hint); };
  callbacks.documentModified = [this] { doc_.SetModifiedFlag(); };
  callbacks.playPickSound = [this] { PlayPickSound(); };
  callbacks.showPopupMenu = [this](int x, int y) {
    if (showContextMenu) showContextMenu(mapToGlobal(QPoint(x, y)));
  };
  callbacks.findPartnerFace = [this](const Face* face) { doc_.HighlightFaceJoins(face); };
  engine_.SetCallbacks(callbacks);
  engine_.SetModel(doc_.model());
  viewId_ = doc_.AddView([this](int hint) { OnDocumentUpdate(hint); });
}

CModelView::~CModelView() {
  doc_.RemoveView(viewId_);
}

void CModelView::OnDocumentUpdate(int hint) {
  if (hint == HINT_FILE_OPENED || engine_.model() != doc_.model()) engine_.SetModel(doc_.model());
  engine_.SetHighlights(ModelHighlights{doc_.HighlightedSides(), doc_.SelectedPart()});
  engine_.SetFadedParts(doc_.PartsFadedInModelPane());
  engine_.OnUpdate(hint);
  update();
}

void CModelView::PlayPickSound() {
  // A missing sound file or a machine without audio plays nothing.
  const std::string path = PickSoundPath();
  if (path.empty()) return;
  if (!pickSound_) {
    pickSound_ = new QSoundEffect(this);
    pickSound_->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
  }
  pickSound_->play();
}

void CModelView::paintEvent(QPaintEvent*) {
  // A window moved to a screen of another pixel density renders anew.
  if (devicePixelRatioF() != engine_.pixelRatio()) {
    engine_.SetPixelRatio(devicePixelRatioF());
    engine_.Resize(width(), height());
  }
  QPainter painter(this);
  if (engine_.preparing()) {
    // The faces are still being gathered for the first picture on another
    // thread: the pane shows the empty scene and looks again shortly.
    const ColorRef background = doc_.settings().colors[kColorBackground];
    painter.fillRect(rect(), QColor(RedOf(background), GreenOf(background), BlueOf(background)));
    QTimer::singleShot(kPreparedLookEvery, this, [this] { update(); });
    return;
  }
  if (engine_.Paint()) {
    painter.drawImage(0, 0, engine_.Image());
  } else {
    painter.fillRect(rect(), palette().window());
  }
}

void CModelView::resizeEvent(QResizeEvent*) {
  engine_.SetPixelRatio(devicePixelRatioF());
  engine_.Resize(width(), height());
}

void CModelView::mousePressEvent(QMouseEvent* event) {
  if (doc_.model()) setCursor(DragCursorOf(*event, true));
  if (const auto button = ButtonOf(*event))
    engine_.MousePress(*button, event->position().toPoint().x(), event->position().toPoint().y(),
                       PointerStateOf(*event));
}

void CModelView::mouseReleaseEvent(QMouseEvent* event) {
  if (!(event->buttons() & (Qt::RightButton | Qt::MiddleButton))) unsetCursor();
  if (const auto button = ButtonOf(*event))
    engine_.MouseRelease(*button, event->position().toPoint().x(), event->position().toPoint().y(),
                         PointerStateOf(*event));
}

void CModelView::mouseMoveEvent(QMouseEvent* event) {
  engine_.MouseMove(event->position().toPoint().x(), event->position().toPoint().y(), PointerStateOf(*event));
}

void CModelView::wheelEvent(QWheelEvent* event) {
  // Qt counts "away from the user" as positive, as the window system does.
  if (const int amount = event->angleDelta().y(); amount != 0) engine_.Wheel(amount);
  event->accept();
}

void CModelView::keyPressEvent(QKeyEvent* event) {
  // The popup menu without a mouse: the Menu key or Shift+F10 open it at the
  // pane's centre, where a right click would (a model without development).
  const bool menuKey =
      event->key() == Qt::Key_Menu || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
  if (menuKey && doc_.model() && !doc_.hasDevelopment() && showContextMenu) {
    showContextMenu(mapToGlobal(QPoint(width() / 2, height() / 2)));
    return;
  }
  // F fits the model into the pane (the Fit Model command).
  if (event->key() == Qt::Key_F && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && doc_.model()) {
    engine_.FitModel();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace plicora
