#pragma once
// The development as a DXF drawing for cutting plotters and laser cutters:
// millimetres at true scale, y up, the cut contours as closed polylines on
// layer CUT, the folds as plain lines on MOUNTAIN and VALLEY, and the join
// numbers and text labels as text on NUMBERS; on a printed sheet the outlines
// of the registration marks' ink on REGISTRATION, a filled mark filled.

#include <optional>
#include <string>

#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "render/export/CutSheet.h"

namespace plicora {

/// The layers of a cut file, as the DXF and the cutter SVG name them.
inline constexpr const char* kCutLayer = "CUT";
inline constexpr const char* kMountainLayer = "MOUNTAIN";
inline constexpr const char* kValleyLayer = "VALLEY";
inline constexpr const char* kNumbersLayer = "NUMBERS";
inline constexpr const char* kRegistrationLayer = "REGISTRATION";

/// The DXF text of a sheet; nothing when no scratch file could be written
/// or when a `tick` (called as the entities are written) said stop.
std::optional<std::string> RenderDxf(const CutSheet& sheet, const WorkTick* tick = nullptr);

/// Writes the whole development to `path`. A file that cannot be written
/// shows "Cannot write to file" and returns false. When a `tick` says stop
/// no file is written and nothing is said.
bool ExportDxf(const Model& model, const Settings& settings, const std::string& path, const WorkTick* tick = nullptr);

}  // namespace plicora
