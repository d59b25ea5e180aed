#pragma once
// Print and cut: one file per printed sheet, each carrying the registration
// marks of the chosen preset in the sheet's margins, so that a cutting
// machine with an optical sensor finds a printed sheet and cuts it along the
// cut file of the same sheet. The alignment crosses are left off these
// sheets, as their arms would run through the marks, and so is the page
// caption on sheets with a frame, whose bottom side it would cross.

#include <string>

#include "core/model/Model.h"
#include "core/model/Settings.h"

namespace plicora {

enum class PrintAndCutFormat { Pdf, CutterSvg, Dxf };

/// The file of printed sheet `number` (from 1): "STEM-01.pdf" or
/// "STEM-01.svg" or "STEM-01.dxf" in `folder`.
std::string PrintAndCutPagePath(const std::string& folder, const std::string& stem, int number,
                                PrintAndCutFormat format);

/// Writes every printed sheet, in print order, into `folder` (made when
/// missing). The sheets take their names only when every one of them is
/// complete: on any failure the sheets of an earlier run stay as they were.
/// Nothing is written, and a message tells why, when the margins are too
/// narrow for the marks, when a cut comes within kMarkClearanceMm of a mark,
/// or, with frame marks, when a sheet's cuts spread beyond the machine's
/// print-then-cut limit (each sheet named). A file that cannot be written
/// shows "Cannot write to file". Returns whether every file was written.
bool ExportPrintAndCutPages(const Model& model, const Settings& settings, const std::string& folder,
                            const std::string& stem, PrintAndCutFormat format);

}  // namespace plicora
