#pragma once
// Reader of work files (".plc"): a forward pass over a whitespace-separated
// token stream with whole-line fields and raw RGB blocks for textures.

#include <string>

#include "app/Settings.h"
#include "model/Model.h"

namespace plicora {

enum WorkFileResult {
  kReadOk = 0,          ///< read completely, or up to where the stream ended or failed
  kReadFailed = 1,      ///< not opened, or it ended right after "version"
  kReadRefused = 3,     ///< the version check refused it (its message was shown)
};

/// Reads `path` into the empty `model`; the info block overwrites the
/// document values of `settings`. Messages go through the message sink.
int ReadWorkFile(const std::string& path, Model& model, Settings& settings);

}  // namespace plicora
