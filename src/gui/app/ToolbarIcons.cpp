#include "gui/app/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "gui/commands/CommandIds.h"

namespace plicora {
namespace {

constexpr int kSize = 32;
const QColor kInk(40, 40, 40);
const QColor kPaper(255, 255, 255);
const QColor kAccent(30, 110, 200);
const QColor kRed(210, 40, 40);

void Magnifier(QPainter& p, bool plus) {
  p.setPen(QPen(kInk, 3));
  p.setBrush(kPaper);
  p.drawEllipse(QPointF(13, 13), 9, 9);
  p.drawLine(QPointF(20, 20), QPointF(29, 29));
  p.setPen(QPen(kAccent, 3));
  p.drawLine(QPointF(8, 13), QPointF(18, 13));
  if (plus) p.drawLine(QPointF(13, 8), QPointF(13, 18));
}

void Sheet(QPainter& p, QRectF r) {
  p.setPen(QPen(kInk, 2));
  p.setBrush(kPaper);
  p.drawRect(r);
}

void Draw(QPainter& p, int id) {
  switch (id) {
    case ID_FILE_OPEN:
      p.setPen(QPen(kInk, 2));
      p.setBrush(QColor(240, 200, 90));
      p.drawPolygon(QPolygonF(
          {QPointF(3, 9), QPointF(12, 9), QPointF(15, 12), QPointF(29, 12), QPointF(29, 27), QPointF(3, 27)}));
      break;
    case ID_SPLIT_WINDOW:
      Sheet(p, QRectF(3, 6, 26, 20));
      p.drawLine(QPointF(16, 6), QPointF(16, 26));
      break;
    case ID_SHOW_ONLY_DEVELOPMENT:
      Sheet(p, QRectF(3, 6, 26, 20));
      p.fillRect(QRectF(5, 8, 22, 16), QColor(220, 230, 245));
      break;
    case ID_RESET_VIEW:
      p.setPen(QPen(kAccent, 3));
      p.drawArc(QRectF(6, 6, 20, 20), 30 * 16, 300 * 16);
      p.drawLine(QPointF(25, 6), QPointF(25, 13));
      p.drawLine(QPointF(25, 13), QPointF(18, 13));
      break;
    case ID_FIT_MODEL:
      // A cube inside the four corners of a frame.
      p.setPen(QPen(kInk, 2));
      p.setBrush(QColor(200, 215, 235));
      p.drawRect(QRectF(10, 12, 10, 10));
      p.drawPolyline(QPolygonF({QPointF(10, 12), QPointF(14, 8), QPointF(24, 8), QPointF(24, 18), QPointF(20, 22)}));
      p.drawLine(QPointF(20, 12), QPointF(24, 8));
      p.setPen(QPen(kAccent, 2));
      for (const QPointF& c : {QPointF(3, 3), QPointF(29, 3), QPointF(29, 29), QPointF(3, 29)}) {
        const double sx = c.x() < 16 ? 1 : -1, sy = c.y() < 16 ? 1 : -1;
        p.drawPolyline(QPolygonF({QPointF(c.x(), c.y() + 6 * sy), c, QPointF(c.x() + 6 * sx, c.y())}));
      }
      break;
    case ID_ENHANCE_CUT_EDGE:
      p.setPen(QPen(kInk, 2));
      p.setBrush(QColor(200, 215, 235));
      p.drawPolygon(QPolygonF({QPointF(4, 26), QPointF(14, 6), QPointF(15, 26)}));
      p.drawPolygon(QPolygonF({QPointF(17, 26), QPointF(18, 6), QPointF(28, 26)}));
      break;
    case ID_ZOOM_IN:
      Magnifier(p, true);
      break;
    case ID_ZOOM_OUT:
      Magnifier(p, false);
      break;
    case ID_SHOW_ENTIRE:
      Sheet(p, QRectF(8, 4, 16, 24));
      p.setPen(QPen(kAccent, 2));
      p.drawRect(QRectF(3, 2, 26, 28));
      break;
    case ID_SHOW_JOIN_NUMBER:
      p.setPen(QPen(kInk, 2));
      p.drawLine(QPointF(3, 24), QPointF(29, 24));
      p.setFont(QFont(QStringLiteral("Sans"), 14, QFont::Bold));
      p.drawText(QRectF(0, 2, kSize, 20), Qt::AlignCenter, QStringLiteral("12"));
      break;
    case ID_USE_MATERIAL:
      p.setPen(Qt::NoPen);
      p.setBrush(kRed);
      p.drawEllipse(QPointF(12, 12), 8, 8);
      p.setBrush(QColor(60, 170, 70, 200));
      p.drawEllipse(QPointF(20, 12), 8, 8);
      p.setBrush(QColor(40, 90, 220, 200));
      p.drawEllipse(QPointF(16, 20), 8, 8);
      break;
    case ID_SHOW_PAGE_NUMBER:
      Sheet(p, QRectF(6, 3, 20, 26));
      p.setPen(QPen(QColor(0, 0, 255), 2));
      p.setFont(QFont(QStringLiteral("Sans"), 12, QFont::Bold));
      p.drawText(QRectF(6, 3, 20, 26), Qt::AlignCenter, QStringLiteral("p1"));
      break;
    case ID_SMOOTH_LINE:
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(QPen(kInk, 3));
      p.drawLine(QPointF(4, 26), QPointF(28, 6));
      break;
    case ID_CHECK_CORRESPONDING_SURFACE:
      p.setPen(QPen(kInk, 2));
      p.setBrush(kRed);
      p.drawPolygon(QPolygonF({QPointF(4, 24), QPointF(14, 24), QPointF(9, 14)}));
      p.setBrush(kPaper);
      p.drawPolygon(QPolygonF({QPointF(14, 24), QPointF(9, 14), QPointF(19, 14)}));
      p.setPen(QPen(kAccent, 2));
      p.drawLine(QPointF(19, 9), QPointF(29, 9));
      p.drawLine(QPointF(29, 9), QPointF(25, 5));
      break;
    case ID_DEVELOPMENT_INFO:
      p.setPen(QPen(kAccent, 2));
      p.setBrush(kPaper);
      p.drawEllipse(QPointF(16, 16), 12, 12);
      p.setFont(QFont(QStringLiteral("Serif"), 15, QFont::Bold));
      p.drawText(QRectF(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("i"));
      break;
    case ID_FILE_PRINT:
      p.setPen(QPen(kInk, 2));
      p.setBrush(QColor(200, 200, 200));
      p.drawRect(QRectF(3, 12, 26, 12));
      p.setBrush(kPaper);
      p.drawRect(QRectF(9, 4, 14, 8));
      p.drawRect(QRectF(9, 20, 14, 9));
      break;
    default:
      break;
  }
}

}  // namespace

QIcon ToolbarIcon(int commandId) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  {
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    Draw(painter, commandId);
  }
  return QIcon(pixmap);
}

}  // namespace plicora
