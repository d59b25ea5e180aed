#include "render/platform/FontResolution.h"

#include <QFontDatabase>
#include <QStringList>

#include "core/platform/FontFaceNames.h"
#include "core/platform/InstalledFonts.h"

namespace plicora {
namespace {

bool gInstalled = false;

QStringList SubstitutesOf(const std::string& faceName) {
  QStringList list;
  for (const std::string& name : OwnFontSubstitutes(faceName)) list << QString::fromStdString(name);
  return list;
}

}  // namespace

void InstallFontSubstitutions() {
  if (gInstalled) return;
  gInstalled = true;
  for (const char* face : {"Arial", kMsGothicFaceName, "MS Gothic"})
    QFont::insertSubstitutions(QString::fromUtf8(face), SubstitutesOf(face));
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
