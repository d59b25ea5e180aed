#include "app/SettingKeys.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "app/SettingsStore.h"
#include "development/PaperTable.h"
#include "model/Model.h"
#include "platform/ProfileFile.h"

namespace plicora {
namespace {

enum class Kind { Flag, Integer, Real, Color };

/// Where a named setting lives; exactly one target is set.
struct Entry {
  const char* name;
  Kind kind;
  bool Settings::*flag = nullptr;
  int Settings::*number = nullptr;
  double Settings::*real = nullptr;
  bool Model::*modelFlag = nullptr;
  double Model::*modelReal = nullptr;
  int colorIndex = -1;
  int tableSize = 0;  ///< for an index into a table: its size
};

Entry Flag(const char* name, bool Settings::*field) {
  return {name, Kind::Flag, field};
}
Entry Integer(const char* name, int Settings::*field, int tableSize = 0) {
  Entry e{name, Kind::Integer};
  e.number = field;
  e.tableSize = tableSize;
  return e;
}
Entry Real(const char* name, double Settings::*field) {
  Entry e{name, Kind::Real};
  e.real = field;
  return e;
}
Entry ModelFlag(const char* name, bool Model::*field) {
  Entry e{name, Kind::Flag};
  e.modelFlag = field;
  return e;
}
Entry ModelReal(const char* name, double Model::*field) {
  Entry e{name, Kind::Real};
  e.modelReal = field;
  return e;
}

std::vector<Entry> BuildEntries() {
  std::vector<Entry> entries = {
      // Values the model holds.
      ModelReal("dMag3d", &Model::modelScale),
      ModelReal("dMag2d", &Model::devScale),
      ModelReal("dVorlanzuX", &Model::devX),
      ModelReal("dVorlanzuY", &Model::devY),
      ModelReal("dVorlanzuWidth", &Model::devWidth),
      ModelReal("dVorlanzuHeight", &Model::devHeight),
      ModelReal("dVorlanzuMargin", &Model::devMargin),
      ModelFlag("bReverse", &Model::mirrored),
      ModelFlag("bFinished", &Model::hasDevelopment),
      ModelFlag("bTextureCoodinates", &Model::hasUV),
      // Document values shared by the whole program.
      Integer("iAngleEps", &Settings::iAngleEps),
      Flag("bCullEdge", &Settings::bCullEdge),
      Integer("iCutLineType", &Settings::iCutLineType),
      Integer("iYamaLineType", &Settings::iYamaLineType),
      Integer("iTaniLineType", &Settings::iTaniLineType),
      Flag("bDrawFlap", &Settings::bDrawFlap),
      Flag("bNorishiroReverse", &Settings::bNorishiroReverse),
      Flag("bDrawNumber", &Settings::bDrawNumber),
      Flag("bEdgeIdReverse", &Settings::bEdgeIdReverse),
      Integer("iEdgeNumberFontSize", &Settings::iEdgeNumberFontSize),
      Flag("bUseMaterial", &Settings::bUseMaterial),
      Real("dTextureLineAlpha", &Settings::dTextureLineAlpha),
      Integer("iPageType", &Settings::iPageType, static_cast<int>(kPaperTable.size())),
      Real("dPageMarginSide", &Settings::dPageMarginSide),
      Real("dPageMarginTop", &Settings::dPageMarginTop),
      Flag("bDrawWhiteBkLine", &Settings::bDrawWhiteBkLine),
  };
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
  static const char* const kColorNames[8] = {"color0", "color1", "color2", "color3",
                                             "color4", "color5", "color6", "color7"};
  for (int i = 0; i < 8; ++i) {
    Entry e{kColorNames[i], Kind::Color};
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
  if (e.kind == Kind::Color) {
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
  if (e->kind == Kind::Real) {
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
