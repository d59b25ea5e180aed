#include "core/model/InfoBlockKeys.h"

#include <array>

namespace plicora {
namespace {

constexpr InfoBlockKey ModelReal(const char* name, double Model::*field) {
  return {.name = name, .kind = InfoValueKind::Real, .modelReal = field};
}
constexpr InfoBlockKey ModelFlag(const char* name, bool Model::*field) {
  return {.name = name, .kind = InfoValueKind::Flag, .modelFlag = field};
}
constexpr InfoBlockKey Real(const char* name, double Settings::*field) {
  return {.name = name, .kind = InfoValueKind::Real, .real = field};
}
constexpr InfoBlockKey Integer(const char* name, int Settings::*field) {
  return {.name = name, .kind = InfoValueKind::Integer, .number = field};
}
constexpr InfoBlockKey Flag(const char* name, bool Settings::*field) {
  return {.name = name, .kind = InfoValueKind::Flag, .flag = field};
}

constexpr std::array kKeys = {
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
    Integer("iPageType", &Settings::iPageType),
    Real("dPageMarginSide", &Settings::dPageMarginSide),
    Real("dPageMarginTop", &Settings::dPageMarginTop),
    Flag("bDrawWhiteBkLine", &Settings::bDrawWhiteBkLine),
    InfoBlockKey{.name = "bEnableLineAlpha", .kind = InfoValueKind::Dropped},
};

}  // namespace

std::span<const InfoBlockKey> InfoBlockKeys() {
  return kKeys;
}

}  // namespace plicora
