// Settings by name ("--set KEY=VALUE"): value rules and derived values.

#include <gtest/gtest.h>

#include <algorithm>

#include "core/document/SettingKeys.h"
#include "core/model/Model.h"

namespace plicora {
namespace {

TEST(SettingRealTest, AcceptsOnlyACompleteFiniteNumber) {
  EXPECT_EQ(ParseSettingReal("1.5"), 1.5);
  EXPECT_EQ(ParseSettingReal("-2e3"), -2000.0);
  EXPECT_EQ(ParseSettingReal("+.25"), 0.25);
  EXPECT_EQ(ParseSettingReal(" 7 "), 7.0);
  for (const char* text : {"", "abc", "1.5cm", "1,5", "nan", "inf", "-inf", "1e999", "--1", "+-1", "0x1p3", "1 2"})
    EXPECT_FALSE(ParseSettingReal(text).has_value()) << text;
}

TEST(SettingKeysTest, KnowsEveryDocumentProfileModelAndColourKey) {
  const auto names = SettingKeyNames();
  for (const char* key : {"dMag3d",
                          "dMag2d",
                          "dVorlanzuX",
                          "dVorlanzuY",
                          "dVorlanzuWidth",
                          "dVorlanzuHeight",
                          "dVorlanzuMargin",
                          "bReverse",
                          "bFinished",
                          "bTextureCoodinates",
                          "iAngleEps",
                          "bCullEdge",
                          "iCutLineType",
                          "iYamaLineType",
                          "iTaniLineType",
                          "bDrawFlap",
                          "bNorishiroReverse",
                          "bDrawNumber",
                          "bEdgeIdReverse",
                          "iEdgeNumberFontSize",
                          "bUseMaterial",
                          "dTextureLineAlpha",
                          "iPageType",
                          "dPageMarginSide",
                          "dPageMarginTop",
                          "bDrawWhiteBkLine",
                          "bDrawColorEdge",
                          "bCullFace",
                          "bPrintRaster",
                          "bEnhanceCutEdgeOpen",
                          "iPrintPPIIndex",
                          "bPageDivide",
                          "bLineSmooth",
                          "bZoomWheelInvert",
                          "bZoomAtCursor",
                          "bTextureSmooth",
                          "bPrintTombo",
                          "bPrintOmitPage",
                          "bPrintPageNumber",
                          "bLimitTextureSize",
                          "iTextureLimitSizeIndex",
                          "bSlideColorToWhite",
                          "bOmitMaterialWhenModelRotate",
                          "bFirstStartUp",
                          "bRenderAllGL",
                          "iCutToleranceMicrons",
                          "iRegistrationMarks",
                          "iRegistrationMarkSizeMicrons",
                          "iRegistrationLineMicrons",
                          "iRegistrationInsetMicrons",
                          "iFrameCutWidthMicrons",
                          "iFrameCutHeightMicrons",
                          "bPrintScaleGauge",
                          "color0",
                          "color1",
                          "color2",
                          "color3",
                          "color4",
                          "color5",
                          "color6",
                          "color7",
                          "color8"})
    EXPECT_EQ(std::count(names.begin(), names.end(), key), 1) << key;
  EXPECT_EQ(names.size(), 62u);
}

TEST(SettingKeysTest, SetsValuesByTheirRules) {
  Settings s;
  Model model;
  EXPECT_EQ(ApplySetting("bDrawNumber", "1", s, &model), "");
  EXPECT_TRUE(s.bDrawNumber);
  EXPECT_EQ(ApplySetting("BDRAWFLAP", "0x0", s, &model), "");  // names ignore letter case
  EXPECT_FALSE(s.bDrawFlap);
  EXPECT_EQ(ApplySetting("iAngleEps", "010", s, &model), "");
  EXPECT_EQ(s.iAngleEps, 8);
  EXPECT_EQ(ApplySetting("dPageMarginTop", "0.75", s, &model), "");
  EXPECT_EQ(s.dPageMarginTop, 0.75);
  EXPECT_EQ(ApplySetting("bReverse", "5", s, &model), "");
  EXPECT_TRUE(model.mirrored);
  EXPECT_EQ(ApplySetting("dVorlanzuMargin", "2", s, &model), "");
  EXPECT_EQ(model.devMargin, 2.0);
  EXPECT_EQ(ApplySetting("bFirstStartUp", "0", s, &model), "");
  EXPECT_FALSE(s.bFirstStartUp);
}

TEST(SettingKeysTest, RecomputesDerivedValues) {
  Settings s;
  Model model;
  ASSERT_EQ(ApplySetting("iPageType", "3", s, &model), "");
  EXPECT_EQ(s.paperWidth, 42.0);
  EXPECT_EQ(s.paperHeight, 29.7);
  ASSERT_EQ(ApplySetting("dMag2d", "20", s, &model), "");
  ASSERT_EQ(ApplySetting("dMag3d", "0.5", s, &model), "");
  EXPECT_EQ(model.devScale, 20.0);
  EXPECT_EQ(s.scaleProduct, 10.0);
  ASSERT_EQ(ApplySetting("iPrintPPIIndex", "2", s, &model), "");
  EXPECT_EQ(s.printPpi, 150);
  ASSERT_EQ(ApplySetting("iTextureLimitSizeIndex", "4", s, &model), "");
  EXPECT_EQ(s.textureLimitSize, 1024);
  ASSERT_EQ(ApplySetting("color0", "255", s, &model), "");
  EXPECT_EQ(s.colors[0], 255u);
  EXPECT_EQ(model.defaultMaterial.diffuse, (std::array<float, 4>{1.f, 0.f, 0.f, 1.f}));
  ASSERT_EQ(ApplySetting("color0", "-1", s, &model), "");  // as in the profile: no change
  EXPECT_EQ(s.colors[0], 255u);
}

TEST(SettingKeysTest, RefusesUnknownKeysBadValuesAndIndexesOutsideTheirTable) {
  Settings s;
  Model model;
  const Settings before = s;
  EXPECT_EQ(ApplySetting("nope", "1", s, &model), "unknown setting \"nope\"");
  EXPECT_EQ(ApplySetting("iPageType", "abc", s, &model), "iPageType expects an integer, got \"abc\"");
  EXPECT_EQ(ApplySetting("iPageType", "8", s, &model), "iPageType must lie between 0 and 7");
  EXPECT_EQ(ApplySetting("iPrintPPIIndex", "-1", s, &model), "iPrintPPIIndex must lie between 0 and 3");
  EXPECT_EQ(ApplySetting("iTextureLimitSizeIndex", "5", s, &model), "iTextureLimitSizeIndex must lie between 0 and 4");
  EXPECT_EQ(ApplySetting("bDrawNumber", "true", s, &model), "bDrawNumber expects an integer, got \"true\"");
  EXPECT_EQ(ApplySetting("dMag2d", "1.5.2", s, &model), "dMag2d expects a number, got \"1.5.2\"");
  EXPECT_EQ(ApplySetting("color1", "16777216", s, &model), "color1 must lie between 0 and 16777215 (0xFFFFFF)");
  EXPECT_EQ(ApplySetting("dMag3d", "2", s, nullptr), "dMag3d needs a work file");
  EXPECT_EQ(s.iPageType, before.iPageType);
  EXPECT_EQ(s.iPrintPPIIndex, before.iPrintPPIIndex);
  EXPECT_EQ(s.colors, before.colors);
  EXPECT_EQ(model.devScale, 40.0);
}

}  // namespace
}  // namespace plicora
