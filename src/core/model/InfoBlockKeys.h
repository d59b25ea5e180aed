#pragma once
// The keys of a work file's info block and where each value lives: in the
// model (its scales, the development's extent, switches about the model) or
// among the document values of the settings record. The reader stores what a
// file holds through this table, and settings by name ("--set") use it too.

#include <span>

#include "core/model/Model.h"
#include "core/model/Settings.h"

namespace plicora {

enum class InfoValueKind { Flag, Integer, Real, Dropped };

/// One key with exactly one target, or none for a Dropped key (its value is
/// read and not used).
struct InfoBlockKey {
  const char* name;
  InfoValueKind kind;
  bool Settings::*flag = nullptr;
  int Settings::*number = nullptr;
  double Settings::*real = nullptr;
  bool Model::*modelFlag = nullptr;
  double Model::*modelReal = nullptr;
};

/// Every key, the model's first; the names are spelled (and cased) as files
/// write them.
std::span<const InfoBlockKey> InfoBlockKeys();

}  // namespace plicora
