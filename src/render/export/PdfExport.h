#pragma once
// Every page of the page list printed into a PDF file, one PDF page per
// sheet, each page the paper of the paper type at true scale.

#include <string>

#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "core/platform/WorkTick.h"

class QPdfWriter;

namespace plicora {

/// PDF drawing resolution in device units per inch.
inline constexpr int kPdfResolution = 1200;

/// Prints every listed page as the printer would get it (no physical
/// offsets; vector unless raster printing is set). A file that cannot be
/// written shows "Cannot write to file" and returns false; a failed raster
/// step returns false after its own message.
bool ExportPdf(const Model& model, const Settings& settings, const std::string& path, const WorkTick* tick = nullptr);

/// Sets `pdf` up for our sheets: the paper exactly as the paper table gives
/// it, upright, no margins, at kPdfResolution.
void SetUpPdfSheet(QPdfWriter& pdf, const Settings& settings);

}  // namespace plicora
