#pragma once
// Units of length and angle. Every drawing, printout and export is computed
// with exactly these values: a different last digit moves pixels and changes
// the numbers written into files.

namespace plicora {

/// Inches per centimetre (1 / 2.54).
inline constexpr double kInchPerCm = 0.39370078740157477;
/// Typographic points per inch.
inline constexpr double kPointsPerInch = 72.0;
/// Typographic points per centimetre (72 / 2.54).
inline constexpr double kPointsPerCm = kPointsPerInch * kInchPerCm;
static_assert(kPointsPerCm == 28.346456692913385);
/// Centimetres per typographic point (2.54 / 72), as font sizes use it.
inline constexpr double kCmPerPoint = 0.035277777777777776;
/// Centimetres per point of line width. Line widths keep this older, rounded
/// value: every printed and exported stroke width is computed with it.
inline constexpr double kCmPerLinePoint = 0.035146;
/// Millimetres per inch.
inline constexpr double kMmPerInch = 25.4;

/// Degrees per radian, as the drawn angles (join numbers) use it.
inline constexpr double kDegreesPerRadian = 57.29577951308239;
/// Tenths of a degree per radian, as the vector join numbers turn.
inline constexpr double kTenthsOfDegreePerRadian = 572.9577951308238;
/// Degrees per radian as the fold angles of a model are measured: one unit in
/// the last place below kDegreesPerRadian. The "hide flat edges" threshold is
/// compared with these angles, so the value stays as it is.
inline constexpr double kFoldDegreesPerRadian = 57.29577951308238;

}  // namespace plicora
