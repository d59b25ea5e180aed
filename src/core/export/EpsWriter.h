#pragma once
// Encapsulated PostScript of the whole development as laid out on the paper
// plane (no page tiling): flaps, face fills, fold and cut lines with their
// dash patterns and join numbers in Helvetica. Textures and free text labels
// are not written.

#include <cstdio>
#include <string>

#include "core/model/Model.h"
#include "core/model/Settings.h"

namespace plicora {

/// The two choices of the "EPS Save Settings" box; both off at start and
/// kept for the whole run of the program.
struct EpsOptions {
  bool dontFillSurfaces = false;  ///< "Don't Fill Surfaces"
  bool dontFillFlaps = false;     ///< "Don't Fill Flaps"
};

/// Measures the development's bounds, then writes the document into the
/// already opened binary file. Returns 0, or 1 when the file refused a write.
int WriteEps(std::FILE* file, const Model& model, const Settings& settings, const EpsOptions& options);

/// Writes the EPS to `path` as an export file (WriteExportFile): "Cannot
/// write to file" with the path and the reason when it cannot be written.
bool SaveEpsFile(const std::string& path, const Model& model, const Settings& settings, const EpsOptions& options);

/// The note of the "EPS Save Settings" box: "* Text output is not supported"
/// when the model holds text labels, else empty.
std::string EpsTextNotice(const Model& model);

}  // namespace plicora
