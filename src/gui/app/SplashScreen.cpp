#include "gui/app/SplashScreen.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>

#include "core/platform/DataLocation.h"
#include "gui/widgets/DialogSizing.h"

namespace plicora {
namespace {

class Splash : public QWidget {
 public:
  explicit Splash(QWidget* owner)
      : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    picture_ = ProgramPicture();
    setFixedSize(picture_.size());
    qApp->installEventFilter(this);
    QTimer::singleShot(kSplashMilliseconds, this, &QWidget::close);
  }
  ~Splash() override { qApp->removeEventFilter(this); }

  void CentreOverOwner() {
    if (const QWidget* owner = parentWidget())
      move(owner->frameGeometry().center() - QPoint(width() / 2, height() / 2));
  }

 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).drawPixmap(0, 0, picture_); }
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Move:
      case QEvent::Resize:
        // The window manager places and maximises the window after it was
        // shown: the splash follows it to its centre.
        if (watched == parentWidget()) CentreOverOwner();
        return false;
      case QEvent::KeyPress:
      case QEvent::MouseButtonPress:
      case QEvent::NonClientAreaMouseButtonPress:
        close();
        return true;  // the key or click that closes the splash goes nowhere else
      default:
        return false;
    }
  }

 private:
  QPixmap picture_;
};

QPointer<QWidget> gSplash;

}  // namespace

QPixmap ProgramPicture() {
  const std::string file = FindDataPath(ProgramFolder(), "splash.png");
  if (!file.empty()) {
    QPixmap picture(QString::fromStdString(file));
    if (!picture.isNull()) return picture;
  }
  // Drawn here when the picture is not installed.
  QPixmap picture(400, 250);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 250);
  sky.setColorAt(0, QColor(235, 242, 250));
  sky.setColorAt(1, QColor(190, 210, 235));
  p.fillRect(picture.rect(), sky);
  p.setPen(QPen(QColor(40, 60, 90), 2));
  p.setBrush(QColor(255, 255, 255));
  p.drawPolygon(QPolygonF({QPointF(60, 150), QPointF(110, 70), QPointF(160, 150)}));
  p.setBrush(QColor(230, 80, 70));
  p.drawPolygon(QPolygonF({QPointF(110, 70), QPointF(160, 150), QPointF(200, 90)}));
  p.setPen(QPen(QColor(40, 60, 90), 1, Qt::DashLine));
  p.drawLine(QPointF(110, 70), QPointF(160, 150));
  p.setPen(QColor(30, 45, 70));
  p.setFont(QFont(QStringLiteral("Sans"), 24, QFont::Bold));
  p.drawText(QRectF(0, 170, 400, 40), Qt::AlignCenter, QStringLiteral("Plicora Viewer"));
  p.setFont(QFont(QStringLiteral("Sans"), 10));
  p.drawText(QRectF(0, 205, 400, 24), Qt::AlignCenter, QStringLiteral("Papercraft work-file viewer"));
  return picture;
}

void ShowSplash(QWidget* owner) {
  if (gSplash) return;
  auto* splash = new Splash(owner);
  splash->CentreOverOwner();
  gSplash = splash;
  splash->show();
}

bool IsSplashShown() {
  return !gSplash.isNull() && gSplash->isVisible();
}

void ShowAboutBox(QWidget* owner) {
  QDialog box(owner);
  box.setWindowTitle(QStringLiteral("About"));
  auto* layout = new QVBoxLayout(&box);
  FixDialogSize(box, *layout);
  auto* picture = new QLabel(&box);
  picture->setPixmap(ProgramPicture());
  layout->addWidget(picture);
  layout->addWidget(new QLabel(QStringLiteral("Ver1.02"), &box), 0, Qt::AlignHCenter);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
  layout->addWidget(buttons);
  box.exec();
}

}  // namespace plicora
