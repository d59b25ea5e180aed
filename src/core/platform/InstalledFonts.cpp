#include "core/platform/InstalledFonts.h"

#include <fontconfig/fontconfig.h>

#include <filesystem>
#include <map>

#include "core/platform/FontFaceNames.h"

namespace plicora {
namespace {

bool FamilyInstalled(const char* family) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
  FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
  const bool found = fonts && fonts->nfont > 0;
  if (fonts) FcFontSetDestroy(fonts);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  return found;
}

/// The face itself and the aliases fontconfig binds to it firmly (metric
/// aliases); weakly bound fallbacks such as "sans-serif" do not count.
bool FaceOrAliasInstalled(const std::string& faceName) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(faceName.c_str()));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  bool found = false;
  FcValue value;
  FcValueBinding binding;
  for (int i = 0; !found && FcPatternGetWithBinding(pattern, FC_FAMILY, i, &value, &binding) == FcResultMatch; ++i) {
    if (value.type != FcTypeString || (i > 0 && binding == FcValueBindingWeak)) continue;
    found = FamilyInstalled(reinterpret_cast<const char*>(value.u.s));
  }
  FcPatternDestroy(pattern);
  return found;
}

/// The characters of UTF-8 text as a fontconfig set; bytes that do not
/// decode are skipped.
FcCharSet* CharactersOf(const std::string& text) {
  FcCharSet* set = FcCharSetCreate();
  const auto* bytes = reinterpret_cast<const FcChar8*>(text.data());
  int left = static_cast<int>(text.size());
  while (left > 0) {
    FcChar32 c = 0;
    const int length = FcUtf8ToUcs4(bytes, &c, left);
    if (length <= 0) break;
    if (c >= 0x20) FcCharSetAddChar(set, c);
    bytes += length;
    left -= length;
  }
  return set;
}

/// The family the drawing code gets for a face: the face or its alias when
/// installed, else the program's first installed substitute.
std::string DrawnFamilyOf(const std::string& faceName) {
  if (FaceOrAliasInstalled(faceName)) return faceName;
  for (const std::string& substitute : OwnFontSubstitutes(faceName))
    if (FamilyInstalled(substitute.c_str())) return substitute;
  return faceName;
}

}  // namespace

const std::vector<std::string>& OwnFontSubstitutes(const std::string& faceName) {
  static const std::vector<std::string> arial = {"Liberation Sans", "Arimo", "DejaVu Sans"};
  static const std::vector<std::string> gothic = {"IPAGothic", "IPAexGothic", "Noto Sans CJK JP", "DejaVu Sans"};
  static const std::vector<std::string> none;
  static const std::map<std::string, const std::vector<std::string>*> table = {
      {"Arial", &arial}, {kMsGothicFaceName, &gothic}, {"MS Gothic", &gothic}};
  const auto it = table.find(faceName);
  return it == table.end() ? none : *it->second;
}

std::string FontFileNameOf(const std::string& faceName, const std::string& text) {
  if (!FcInit()) return {};
  FcPattern* pattern = FcPatternCreate();
  const std::string family = DrawnFamilyOf(faceName);
  if (!family.empty()) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  // With the characters asked for, a font that lacks some of them loses to
  // one that has them all, as the drawing code falls back glyph by glyph.
  FcCharSet* characters = CharactersOf(text);
  if (FcCharSetCount(characters) > 0) FcPatternAddCharSet(pattern, FC_CHARSET, characters);
  FcCharSetDestroy(characters);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  std::string name;
  FcChar8* file = nullptr;
  if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
    std::error_code error;
    const std::filesystem::path path(reinterpret_cast<const char*>(file));
    const std::filesystem::path real = std::filesystem::canonical(path, error);
    name = (error ? path : real).filename().string();
  }
  if (match) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  return name;
}

bool IsFontFaceInstalled(const std::string& faceName) {
  if (faceName.empty() || !FcInit()) return false;
  if (FaceOrAliasInstalled(faceName)) return true;
  for (const std::string& substitute : OwnFontSubstitutes(faceName))
    if (FamilyInstalled(substitute.c_str())) return true;
  return false;
}

}  // namespace plicora
