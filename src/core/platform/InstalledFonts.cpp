#include "core/platform/InstalledFonts.h"

#include <fontconfig/fontconfig.h>

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

bool IsFontFaceInstalled(const std::string& faceName) {
  if (faceName.empty() || !FcInit()) return false;
  if (FaceOrAliasInstalled(faceName)) return true;
  for (const std::string& substitute : OwnFontSubstitutes(faceName))
    if (FamilyInstalled(substitute.c_str())) return true;
  return false;
}

}  // namespace plicora
