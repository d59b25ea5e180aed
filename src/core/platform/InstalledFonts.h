#pragma once
// Whether a font face that a work file names can be drawn here: installed
// under that name, or standing for an installed face with the same metrics
// (fontconfig's metric aliases, such as Arial for Liberation Sans, and the
// program's own substitutions for the Japanese and Latin names of MS Gothic).

#include <string>
#include <vector>

namespace plicora {

/// The installed faces that stand for `faceName` in the program's own
/// substitutions (empty for a face without one). Qt's font matcher gets the
/// same lists.
const std::vector<std::string>& OwnFontSubstitutes(const std::string& faceName);

/// True when the face, one of its metric-compatible aliases or one of the
/// program's own substitutes is installed.
bool IsFontFaceInstalled(const std::string& faceName);

/// The file name (without folder, links followed: "ipag.ttf",
/// "LiberationSans-Regular.ttf") of the installed font that draws `text`
/// (UTF-8) in `faceName`: the face, its alias or the program's own
/// substitute, as the drawing code resolves it, or a font holding the
/// characters that face lacks. Empty when fontconfig finds nothing.
std::string FontFileNameOf(const std::string& faceName, const std::string& text);

}  // namespace plicora
