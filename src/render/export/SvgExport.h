#pragma once
// The development as an SVG drawing at true size: the picture is the
// development's extent grown to hold its flaps (PictureBoundsOf), its width
// and height are given in millimetres, and
// one user unit is 25.4 / kSvgUnitsPerInch mm, so lengths on paper are kept
// (for cutting plotters).

#include <QByteArray>
#include <QIODevice>
#include <string>

#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "core/platform/WorkTick.h"

namespace plicora {

/// Drawing resolution of the SVG export: user units per inch.
inline constexpr double kSvgUnitsPerInch = 1200.0;

/// Writes the vector drawing and the text labels of the whole development to
/// `path`. A file that cannot be written shows "Cannot write to file" and
/// returns false, and so does a drawing too large for the memory left.
bool ExportSvg(const Model& model, const Settings& settings, const std::string& path, const WorkTick* tick = nullptr);

/// Writes the same drawing to an open device as it is drawn; false when the
/// device refused bytes.
bool WriteSvg(QIODevice& out, const Model& model, const Settings& settings, const WorkTick* tick = nullptr);

/// The same drawing in memory (the clipboard copy offers it beside the
/// metafile); empty when a `tick` said stop.
QByteArray RenderSvg(const Model& model, const Settings& settings, const WorkTick* tick = nullptr);

}  // namespace plicora
