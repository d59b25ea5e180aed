#pragma once
// Writes the development in one of its file formats: the one place that
// picks the writer of a format, for Save Development and for --export.

#include <functional>
#include <string>

#include "core/export/BitmapSizeProposal.h"
#include "core/export/DevelopmentFileFormat.h"
#include "core/export/EpsWriter.h"
#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "core/platform/WorkTick.h"

namespace plicora {

/// One export: the file, its format and the answers to the format's
/// question (picture size, EPS fills); the window adds its progress tick
/// and the cancel of the development pane's mode.
struct DevelopmentExport {
  DevelopmentFileFormat format = DevelopmentFileFormat::Unsupported;
  std::string path;
  BitmapSize pictureSize;  ///< BMP and PNG
  EpsOptions eps;          ///< EPS
  const WorkTick* tick = nullptr;
  std::function<void()> cancelPaneMode;
};

/// Writes the file; false after a message says why (or after a tick said
/// stop, leaving no file).
bool WriteDevelopmentFile(const Model& model, const Settings& settings, const DevelopmentExport& request);

}  // namespace plicora
