#pragma once
// The one process-wide settings record: the document values that a work
// file's info block overwrites, the user preferences kept in the profile, and
// the values derived from them. Every pane, dialog, printout and export reads
// it; the shell owns the single instance (CurrentSettings()).

#include <array>
#include <cstddef>
#include <cstdint>

namespace plicora {

/// Colour values hold red in bits 0-7, green in 8-15 and blue in 16-23.
using ColorRef = std::uint32_t;

constexpr ColorRef MakeColorRef(int r, int g, int b) {
  return static_cast<ColorRef>(r) | (static_cast<ColorRef>(g) << 8) | (static_cast<ColorRef>(b) << 16);
}
constexpr int RedOf(ColorRef c) {
  return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(ColorRef c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(ColorRef c) {
  return static_cast<int>((c >> 16) & 0xFF);
}

/// The slots of the colour table.
enum ColorSlot : std::size_t {
  kColorMaterial = 0,  ///< the default material
  kColorConvexFold = 1,
  kColorConcaveFold = 2,
  kColorCutEdge = 3,     ///< one-sided edges and cut edges
  kColorMarkedCut = 4,   ///< edges marked to cut
  kColorMarkedKeep = 5,  ///< edges marked to keep
  kColorHighlight = 6,
  kColorBackground = 7,
  kColorJoinHighlight = 8,  ///< both ends of the join being looked for, the selected part
  kColorSlotCount = 9,
};

/// Built-in colour table, by ColorSlot.
inline constexpr std::array<ColorRef, kColorSlotCount> kDefaultColors = {
    16767449, 16711680, 16776960, 0, 25855, 65535, 255, 16777215, MakeColorRef(0xFF, 0x80, 0x00)};

/// Printout line widths in points, by line-width index.
inline constexpr std::array<double, 8> kLineWidthPoints = {0.25, 0.5, 0.75, 1, 2, 3, 4, 5};
/// Raster print resolutions in pixels per inch, by index.
inline constexpr std::array<int, 4> kPrintPpi = {75, 100, 150, 200};
/// Texture size limits in pixels, by index.
inline constexpr std::array<int, 5> kTextureLimitSizes = {64, 128, 256, 512, 1024};

struct Settings {
  // --- document values (work-file info block) ---
  int iAngleEps = 178;
  bool bCullEdge = true;
  int iCutLineType = 0;
  int iYamaLineType = 1;
  int iTaniLineType = 2;
  bool bDrawFlap = true;
  bool bNorishiroReverse = false;
  bool bDrawNumber = false;
  bool bEdgeIdReverse = false;  // also a profile key
  int iEdgeNumberFontSize = 8;  // also a profile key
  bool bUseMaterial = true;
  double dTextureLineAlpha = 0.5;
  int iPageType = 0;
  double dPageMarginSide = 1.5;
  double dPageMarginTop = 1.5;
  bool bDrawWhiteBkLine = false;
  double flapWidth = 0.5;  ///< width given to new half-edges, centimetres

  // --- derived document values ---
  double scaleProduct = 1.0;  ///< dMag2d * dMag3d of the last info block
  double paperWidth = 21.0;   ///< centimetres, from the paper table
  double paperHeight = 29.7;

  // --- profile values (section "Settings") ---
  bool bDrawColorEdge = true;
  bool bCullFace = false;
  bool bPrintRaster = false;
  bool bEnhanceCutEdgeOpen = true;
  int iPrintPPIIndex = 1;
  bool bPageDivide = true;
  bool bLineSmooth = false;
  bool bZoomWheelInvert = false;
  /// The development pane's wheel zoom keeps the point under the cursor in
  /// place (off: it zooms about the pane's centre).
  bool bZoomAtCursor = false;
  bool bTextureSmooth = true;
  bool bPrintTombo = false;
  bool bPrintOmitPage = true;
  bool bPrintPageNumber = false;
  bool bLimitTextureSize = false;
  int iTextureLimitSizeIndex = 3;
  bool bSlideColorToWhite = true;
  bool bOmitMaterialWhenModelRotate = false;
  bool bFirstStartUp = true;
  bool bRenderAllGL = true;
  /// Cut files: gaps and slivers narrower than this are closed into the
  /// paper, and points this close are merged (micrometres).
  int iCutToleranceMicrons = 100;
  /// Print-and-cut sheets: the registration mark preset (0 corners, 1 frame,
  /// 2 none), the marks' size, line width and inset from the paper's edges,
  /// and the cut area a frame-reading machine accepts (micrometres).
  int iRegistrationMarks = 0;
  int iRegistrationMarkSizeMicrons = 5000;
  int iRegistrationLineMicrons = 500;
  int iRegistrationInsetMicrons = 10000;
  int iFrameCutWidthMicrons = 235000;
  int iFrameCutHeightMicrons = 171000;
  /// Printed sheets carry a 50 mm square and a 10 cm ruler in a free corner.
  bool bPrintScaleGauge = false;
  std::array<ColorRef, kColorSlotCount> colors = kDefaultColors;

  // --- derived from indexes ---
  int lineWidthIndex = 3;          ///< not stored in the profile
  double printoutLineWidth = 1.0;  ///< points
  int printPpi = 100;
  int textureLimitSize = 512;

  // --- runtime values ---
  /// OpenGL's texture size limit as far as the shell knows it: 64 until the
  /// shell has asked one of its contexts (OffscreenGlContext::MaxTextureSize)
  /// and stored the answer here.
  int maxTextureSize = 64;

  bool operator==(const Settings&) const = default;
};

/// The process-wide record.
Settings& CurrentSettings();

}  // namespace plicora
