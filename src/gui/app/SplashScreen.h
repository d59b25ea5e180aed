#pragma once
// The picture of the program, the splash screen shown while the main window
// is created, and the About box.

#include <QPixmap>
#include <QWidget>

namespace plicora {

/// The program's picture (the splash and the About box show it).
QPixmap ProgramPicture();

/// How long the splash stays without input.
inline constexpr int kSplashMilliseconds = 750;

/// Shows the splash centred over `owner` unless one is shown; it closes after
/// 750 ms or at the first key or mouse press, which it swallows.
void ShowSplash(QWidget* owner);
/// True while a splash is shown.
bool IsSplashShown();

/// The About box: the picture, "Ver1.02" and OK.
void ShowAboutBox(QWidget* owner);

}  // namespace plicora
