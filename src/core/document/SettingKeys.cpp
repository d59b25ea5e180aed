#include "core/document/SettingKeys.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "core/document/SettingsStore.h"
#include "core/model/InfoBlockKeys.h"
#include "core/model/Model.h"
#include "core/model/PaperTable.h"
#include "core/platform/ProfileFile.h"

namespace plicora {
namespace {

/// Where a named setting lives: one target as in the info block's table, or
/// a colour of the colour table (an Integer with `colorIndex`, a ColorSlot).
struct Entry : InfoBlockKey {
  int colorIndex = -1;
  int tableSize = 0;  ///< for an index into a table: its size
};

Entry Flag(const char* name, bool Settings::*field) {
  Entry e{{name, InfoValueKind::Flag}};
  e.flag = field;
  return e;
}
Entry Integer(const char* name, int Settings::*field, int tableSize = 0) {
  Entry e{{name, InfoValueKind::Integer}};
  e.number = field;
  e.tableSize = tableSize;
  return e;
}

std::vector<Entry> BuildEntries() {
  std::vector<Entry> entries;
  // The info block's keys (a value files hold but nothing uses is not one).
  for (const InfoBlockKey& key : InfoBlockKeys()) {
    if (key.kind == InfoValueKind::Dropped) continue;
    Entry e{key};
    if (key.number == &Settings::iPageType) e.tableSize = static_cast<int>(kPaperTable.size());
    entries.push_back(e);
  }
  // The profile's preferences (two of them are document values, listed above).
  for (const ProfileKey& key : ProfileKeys()) {
    if (key.flag == &Settings::bEdgeIdReverse || key.number == &Settings::iEdgeNumberFontSize) continue;
    if (key.flag) {
      entries.push_back(Flag(key.name, key.flag));
    } else {
      int tableSize = 0;
      if (key.number == &Settings::iPrintPPIIndex) tableSize = static_cast<int>(kPrintPpi.size());
      if (key.number == &Settings::iTextureLimitSizeIndex) tableSize = static_cast<int>(kTextureLimitSizes.size());
      entries.push_back(Integer(key.name, key.number, tableSize));
    }
  }
  for (int i = 0; i < static_cast<int>(kColorSlotCount); ++i) {
    Entry e{{ColorKey(i), InfoValueKind::Integer}};
    e.colorIndex = i;
    entries.push_back(e);
  }
  return entries;
}

const std::vector<Entry>& Entries() {
  static const std::vector<Entry> entries = BuildEntries();
  return entries;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

const Entry* FindEntry(std::string_view key) {
  for (const Entry& e : Entries())
    if (EqualNoCase(e.name, key)) return &e;
  return nullptr;
}

std::string Quoted(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted.append(1, '"').append(text).append(1, '"');
  return quoted;
}

/// The values that follow from the one just set.
void UpdateAfter(const Entry& e, Settings& s, Model* model) {
  if (e.number == &Settings::iPageType) LookUpPaper(s.iPageType, s.paperWidth, s.paperHeight);
  if (model && (e.modelReal == &Model::modelScale || e.modelReal == &Model::devScale))
    s.scaleProduct = model->devScale * model->modelScale;
  UpdateDerivedSettings(s);
}

std::string ApplyInteger(const Entry& e, int value, Settings& s, Model* model) {
  if (e.colorIndex >= 0) {
    // -1 leaves the colour as it is, as in the profile.
    if (value == -1) return {};
    if (value < 0 || value > 0xFFFFFF) return std::string(e.name) + " must lie between 0 and 16777215 (0xFFFFFF)";
    SetColor(s, e.colorIndex, static_cast<ColorRef>(value), model);
  } else if (e.tableSize > 0 && (value < 0 || value >= e.tableSize)) {
    return std::string(e.name) + " must lie between 0 and " + std::to_string(e.tableSize - 1);
  } else if (e.modelFlag) {
    model->*e.modelFlag = value != 0;
  } else if (e.flag) {
    s.*e.flag = value != 0;
  } else {
    s.*e.number = value;
  }
  return {};
}

}  // namespace

std::optional<double> ParseSettingReal(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  // from_chars takes a minus sign only; a plus sign alone is allowed too.
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return std::nullopt;
  }
  if (text.empty()) return std::nullopt;
  double value = 0.0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::vector<std::string> SettingKeyNames() {
  std::vector<std::string> names;
  for (const Entry& e : Entries()) names.emplace_back(e.name);
  return names;
}

std::string ApplySetting(std::string_view key, std::string_view value, Settings& s, Model* model) {
  const Entry* e = FindEntry(key);
  if (!e) return "unknown setting " + Quoted(key);
  if ((e->modelFlag || e->modelReal) && !model) return std::string(e->name) + " needs a work file";
  if (e->kind == InfoValueKind::Real) {
    const auto real = ParseSettingReal(value);
    if (!real) return std::string(e->name) + " expects a number, got " + Quoted(value);
    if (e->modelReal)
      model->*e->modelReal = *real;
    else
      s.*e->real = *real;
  } else {
    const auto integer = ParseProfileInteger(value);
    if (!integer) return std::string(e->name) + " expects an integer, got " + Quoted(value);
    if (std::string error = ApplyInteger(*e, *integer, s, model); !error.empty()) return error;
  }
  UpdateAfter(*e, s, model);
  return {};
}

}  // namespace plicora
