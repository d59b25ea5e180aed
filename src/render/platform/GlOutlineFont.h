#pragma once
// Outline text for OpenGL: the glyphs of characters 0 to 255 of a bold face
// as filled polygons in 256 display lists, one em high (an em is 1.0), each
// list advancing the origin by the glyph's advance width.

#include <array>
#include <string>

namespace plicora {

struct GlFont {
  unsigned int listBase = 0;          ///< first of 256 display lists; 0 when none
  std::array<float, 256> advances{};  ///< advance widths in em units
};

/// Builds the glyph lists of `faceName` (bold) in the current context. Shows
/// a message and returns a font with listBase 0 on failure.
GlFont CreateGlFont(const std::string& faceName);

/// Draws the bytes of `text` centred horizontally on the current origin,
/// baseline on the origin.
void DrawGlText(const std::string& text, const GlFont& font);

/// Deletes the 256 lists (current context) and clears the font.
void DeleteGlFont(GlFont& font);

}  // namespace plicora
