#pragma once
// Font faces named by work files and by the drawing code ("Arial", the
// Japanese and the Latin name of MS Gothic) resolve to installed fonts with
// the same metrics: Liberation Sans for Arial, IPA Gothic for MS Gothic.

#include <QFont>
#include <QString>
#include <string>

namespace plicora {

/// Registers the substitutions with Qt's font matcher. Needs a
/// QGuiApplication; calling it again does nothing.
void InstallFontSubstitutions();

/// A font of the given face name (UTF-8), resolved through the substitutions.
QFont MakeFaceFont(const std::string& faceName);

/// True when the face is installed or substituted by an installed face, so a
/// substituted face does not count as missing.
bool IsFontFaceAvailable(const std::string& faceName);

}  // namespace plicora
