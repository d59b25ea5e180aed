#include "core/document/SettingsStore.h"

#include <array>
#include <cstdio>
#include <string_view>

#include "core/model/Model.h"
#include "core/platform/ProfileFile.h"
#include "core/platform/ProfileLocation.h"

namespace plicora {
namespace {

constexpr std::array<ProfileKey, 29> kProfileKeys = {{
    {"bDrawColorEdge", &Settings::bDrawColorEdge, nullptr},
    {"iEdgeNumberFontSize", nullptr, &Settings::iEdgeNumberFontSize},
    {"bCullFace", &Settings::bCullFace, nullptr},
    {"bPrintRaster", &Settings::bPrintRaster, nullptr},
    {"bEnhanceCutEdgeOpen", &Settings::bEnhanceCutEdgeOpen, nullptr},
    {"iPrintPPIIndex", nullptr, &Settings::iPrintPPIIndex},
    {"bEdgeIdReverse", &Settings::bEdgeIdReverse, nullptr},
    {"bPageDivide", &Settings::bPageDivide, nullptr},
    {"bLineSmooth", &Settings::bLineSmooth, nullptr},
    {"bZoomWheelInvert", &Settings::bZoomWheelInvert, nullptr},
    {"bZoomAtCursor", &Settings::bZoomAtCursor, nullptr},
    {"bTextureSmooth", &Settings::bTextureSmooth, nullptr},
    {"bPrintTombo", &Settings::bPrintTombo, nullptr},
    {"bPrintOmitPage", &Settings::bPrintOmitPage, nullptr},
    {"bPrintPageNumber", &Settings::bPrintPageNumber, nullptr},
    {"bLimitTextureSize", &Settings::bLimitTextureSize, nullptr},
    {"iTextureLimitSizeIndex", nullptr, &Settings::iTextureLimitSizeIndex},
    {"bSlideColorToWhite", &Settings::bSlideColorToWhite, nullptr},
    {"bOmitMaterialWhenModelRotate", &Settings::bOmitMaterialWhenModelRotate, nullptr},
    {"bFirstStartUp", &Settings::bFirstStartUp, nullptr},
    {"bRenderAllGL", &Settings::bRenderAllGL, nullptr},
    {"iCutToleranceMicrons", nullptr, &Settings::iCutToleranceMicrons},
    {"iRegistrationMarks", nullptr, &Settings::iRegistrationMarks},
    {"iRegistrationMarkSizeMicrons", nullptr, &Settings::iRegistrationMarkSizeMicrons},
    {"iRegistrationLineMicrons", nullptr, &Settings::iRegistrationLineMicrons},
    {"iRegistrationInsetMicrons", nullptr, &Settings::iRegistrationInsetMicrons},
    {"iFrameCutWidthMicrons", nullptr, &Settings::iFrameCutWidthMicrons},
    {"iFrameCutHeightMicrons", nullptr, &Settings::iFrameCutHeightMicrons},
    {"bPrintScaleGauge", &Settings::bPrintScaleGauge, nullptr},
}};

/// Reset to Default leaves these alone: how the model turns, whether this is
/// the first start, and whether the development pane renders in full.
bool KeptByReset(std::string_view key) {
  return key == "bOmitMaterialWhenModelRotate" || key == "bFirstStartUp" || key == "bRenderAllGL";
}

template <std::size_t N, typename T>
int ClampIndex(int index, const std::array<T, N>&) {
  return (index < 0 || index >= static_cast<int>(N)) ? 0 : index;
}

}  // namespace

std::span<const ProfileKey> ProfileKeys() {
  return kProfileKeys;
}

const char* ColorKey(int index) {
  static const std::array<std::string, kColorSlotCount> names = [] {
    std::array<std::string, kColorSlotCount> made;
    for (std::size_t i = 0; i < made.size(); ++i) made[i] = "color" + std::to_string(i);
    return made;
  }();
  return index >= 0 && index < static_cast<int>(names.size()) ? names[static_cast<std::size_t>(index)].c_str() : "";
}

void UpdateDerivedSettings(Settings& s) {
  s.iPrintPPIIndex = ClampIndex(s.iPrintPPIIndex, kPrintPpi);
  s.lineWidthIndex = ClampIndex(s.lineWidthIndex, kLineWidthPoints);
  s.iTextureLimitSizeIndex = ClampIndex(s.iTextureLimitSizeIndex, kTextureLimitSizes);
  s.printoutLineWidth = kLineWidthPoints[static_cast<std::size_t>(s.lineWidthIndex)];
  s.printPpi = kPrintPpi[static_cast<std::size_t>(s.iPrintPPIIndex)];
  s.textureLimitSize = kTextureLimitSizes[static_cast<std::size_t>(s.iTextureLimitSizeIndex)];
}

void LoadSettings(Settings& s, const ProfileFile& profile) {
  s.bFirstStartUp = true;
  for (const ProfileKey& key : kProfileKeys) {
    const auto value = profile.GetInt(kSettingsSection, key.name);
    if (!value) continue;
    if (key.flag)
      s.*key.flag = *value != 0;
    else
      s.*key.number = *value;
  }
  UpdateDerivedSettings(s);
  for (int i = 0; i < static_cast<int>(kColorSlotCount); ++i) {
    const auto value = profile.GetInt(kSettingsSection, ColorKey(i));
    if (value && *value != -1) s.colors[static_cast<std::size_t>(i)] = static_cast<ColorRef>(*value);
  }
}

void SaveSettings(Settings& s, ProfileFile& profile) {
  s.bFirstStartUp = false;
  for (const ProfileKey& key : kProfileKeys) {
    if (key.flag)
      profile.SetString(kSettingsSection, key.name, s.*key.flag ? "1" : "0");
    else
      profile.SetInt(kSettingsSection, key.name, s.*key.number);
  }
  for (int i = 0; i < static_cast<int>(kColorSlotCount); ++i)
    profile.SetInt(kSettingsSection, ColorKey(i), static_cast<int>(s.colors[static_cast<std::size_t>(i)]));
}

bool LoadSettingsFile(Settings& settings, const std::string& path) {
  ProfileFile profile;
  const auto result = profile.Load(path);
  LoadSettings(settings, profile);
  return result != ProfileFile::LoadResult::Failed;
}

bool SaveSettingsFile(Settings& settings, const std::string& path, std::string* error) {
  ProfileFile profile;
  if (profile.Load(path) == ProfileFile::LoadResult::Failed) {
    if (error) *error = "cannot read " + path;
    return false;
  }
  SaveSettings(settings, profile);
  if (!EnsureProfileFolder(path)) {
    if (error) *error = "cannot create the folder of " + path;
    return false;
  }
  return profile.Save(path, error);
}

void ResetToDefault(Settings& s, Model* model) {
  const Settings d;
  // Every preference of section "Settings" but the three that are kept.
  for (const ProfileKey& key : kProfileKeys) {
    if (KeptByReset(key.name)) continue;
    if (key.flag)
      s.*key.flag = d.*key.flag;
    else
      s.*key.number = d.*key.number;
  }
  // Document values: line types and width, near-surface edges, texture line
  // alpha, flaps, join numbers, paper and margins.
  s.iCutLineType = d.iCutLineType;
  s.iYamaLineType = d.iYamaLineType;
  s.iTaniLineType = d.iTaniLineType;
  s.lineWidthIndex = d.lineWidthIndex;
  s.bCullEdge = d.bCullEdge;
  s.iAngleEps = d.iAngleEps;
  s.dTextureLineAlpha = d.dTextureLineAlpha;
  s.flapWidth = d.flapWidth;
  s.bDrawFlap = d.bDrawFlap;
  s.bDrawNumber = d.bDrawNumber;
  s.iPageType = d.iPageType;
  s.paperWidth = d.paperWidth;
  s.paperHeight = d.paperHeight;
  s.dPageMarginTop = d.dPageMarginTop;
  s.dPageMarginSide = d.dPageMarginSide;
  UpdateDerivedSettings(s);
  ResetColors(s, model);
}

bool SetColor(Settings& s, int index, ColorRef color, Model* model) {
  if (index < 0 || index >= static_cast<int>(s.colors.size())) return false;
  s.colors[static_cast<std::size_t>(index)] = color;
  if (index == kColorMaterial && model) model->SetDefaultMaterialColor(color);
  return true;
}

ColorRef GetColor(const Settings& s, int index) {
  if (index < 0 || index >= static_cast<int>(s.colors.size())) return 0;
  return s.colors[static_cast<std::size_t>(index)];
}

void ResetColors(Settings& s, Model* model) {
  for (int i = 0; i < static_cast<int>(kDefaultColors.size()); ++i)
    SetColor(s, i, kDefaultColors[static_cast<std::size_t>(i)], model);
}

}  // namespace plicora
