#include "platform/FontResolution.h"

#include <QFontDatabase>
#include <QStringList>

#include "model/Model.h"

namespace plicora {
namespace {

bool gInstalled = false;

const QStringList& ArialSubstitutes() {
  static const QStringList list = {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                   QStringLiteral("DejaVu Sans")};
  return list;
}

const QStringList& GothicSubstitutes() {
  static const QStringList list = {QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"),
                                   QStringLiteral("Noto Sans CJK JP"), QStringLiteral("DejaVu Sans")};
  return list;
}

}  // namespace

void InstallFontSubstitutions() {
  if (gInstalled) return;
  gInstalled = true;
  QFont::insertSubstitutions(QStringLiteral("Arial"), ArialSubstitutes());
  QFont::insertSubstitutions(QString::fromUtf8(kMsGothicFaceName), GothicSubstitutes());
  QFont::insertSubstitutions(QStringLiteral("MS Gothic"), GothicSubstitutes());
}

QFont MakeFaceFont(const std::string& faceName) {
  QFont font(QString::fromStdString(faceName));
  font.setStyleStrategy(QFont::PreferOutline);
  return font;
}

bool IsFontFaceAvailable(const std::string& faceName) {
  const QString face = QString::fromStdString(faceName);
  const QStringList families = QFontDatabase::families();
  if (families.contains(face, Qt::CaseInsensitive)) return true;
  for (const QString& substitute : QFont::substitutes(face)) {
    if (families.contains(substitute, Qt::CaseInsensitive)) return true;
  }
  return false;
}

}  // namespace plicora
