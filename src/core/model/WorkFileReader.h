#pragma once
// Reader of work files (".plc"): a forward pass over a whitespace-separated
// token stream with whole-line fields and raw RGB blocks for textures.
//
// Untrusted input is handled without surprises: an index that names no
// element leaves its link empty (a corner or edge naming no vertex is
// skipped), a count never reserves memory, record lists end where the file
// ends, and a texture size outside 0..32768 (or above 2^31 bytes) ends the
// reading with that material kept without texture.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "core/platform/WorkTick.h"

namespace plicora {

enum WorkFileResult {
  kReadOk = 0,         ///< read completely, or up to where the stream ended or failed
  kReadFailed = 1,     ///< not opened, or it ended right after "version"
  kReadNoVersion = 2,  ///< read to its end without a "version" keyword: not a work file
  kReadRefused = 3,    ///< the version check refused it (its message was shown)
  kReadStopped = 4,    ///< the tick asked the reading to stop; the model is incomplete
};

/// Largest side of a texture image stored in a work file.
inline constexpr int kMaxStoredTextureSide = 32768;

/// Empty objects created for a "solids" count that runs past the end of the
/// file (the objects that the file declares but does not hold).
inline constexpr int kMaxSolidsPastEnd = 1024;

/// Reads `path` into the empty `model`; the info block overwrites the
/// document values of `settings` (and the scale product and paper size).
/// A texture image with a side above OpenGL's `maxTextureSize` (or above the
/// profile's lower limit when that is on) is reduced to a square of the
/// limit. Messages go through the message sink. Returns a WorkFileResult.
/// `tick`, when given, is told the share of the bytes read now and then.
int ReadWorkFile(const std::string& path, Model& model, Settings& settings, int maxTextureSize,
                 const WorkShareTick* tick = nullptr);
/// The same with the limit the shell knows (Settings::maxTextureSize).
int ReadWorkFile(const std::string& path, Model& model, Settings& settings);

/// The same for the bytes of a work file already in memory.
int ReadWorkFileData(std::string_view bytes, Model& model, Settings& settings, int maxTextureSize,
                     const WorkShareTick* tick = nullptr);
int ReadWorkFileData(std::string_view bytes, Model& model, Settings& settings);

/// Solids with at least this many bytes after their name (1 MB unless set)
/// are tokenised on a second thread while their records are built; the
/// result is the same either way.
void SetReadAheadThreshold(std::size_t bytes);

}  // namespace plicora
