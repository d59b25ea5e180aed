#pragma once
// The development as an SVG for cutting machines: millimetres at true scale,
// one Inkscape layer each for the printed drawing (PRINT), the join numbers
// and labels as text (NUMBERS, hidden, as PRINT shows them), the valley and
// mountain folds as solid lines, the cut contours as closed paths (CUT) and,
// on printed sheets, the registration marks (REGISTRATION). Every element
// of a part has an id that names the part: "part3-cut1", "part3-mountain".

#include <QByteArray>
#include <string>

#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "core/platform/WorkTick.h"
#include "render/export/CutSheet.h"

namespace plicora {

inline constexpr const char* kPrintLayer = "PRINT";

/// The SVG text of a sheet. `printSvg` is an SVG document drawn in the same
/// frame whose user unit is `printUnitMm` millimetres; its drawing becomes
/// the PRINT layer.
std::string CutterSvgText(const CutSheet& sheet, const QByteArray& printSvg, double printUnitMm,
                          const std::string& title);

/// Writes the whole development to `path`. A file that cannot be written
/// shows "Cannot write to file" and returns false. When a `tick` says stop
/// no file is written and nothing is said.
bool ExportCutterSvg(const Model& model, const Settings& settings, const std::string& path,
                     const WorkTick* tick = nullptr);

}  // namespace plicora
