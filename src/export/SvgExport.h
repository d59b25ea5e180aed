#pragma once
// The development as an SVG drawing at true size: the picture is the
// development's extent, its width and height are given in millimetres, and
// one user unit is 25.4 / kSvgUnitsPerInch mm, so lengths on paper are kept
// (for cutting plotters).

#include <string>

#include "app/Settings.h"
#include "model/Model.h"

namespace plicora {

/// Drawing resolution of the SVG export: user units per inch.
inline constexpr double kSvgUnitsPerInch = 1200.0;

/// Writes the vector drawing and the text labels of the whole development to
/// `path`. A file that cannot be written shows "Cannot write to file" and
/// returns false.
bool ExportSvg(const Model& model, const Settings& settings, const std::string& path);

}  // namespace plicora
