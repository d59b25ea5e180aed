// Loading, saving and resetting the preferences, and the colour table.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/document/SettingsStore.h"
#include "core/model/Model.h"
#include "core/platform/ProfileFile.h"

namespace plicora {
namespace {

Settings LoadFrom(const std::string& settingsLines) {
  Settings s;
  LoadSettings(s, ProfileFile::Parse("[Settings]\n" + settingsLines));
  return s;
}

TEST(LoadSettingsTest, MissingProfileKeepsDefaultsAndStartsFirstRun) {
  Settings s;
  s.bFirstStartUp = false;
  LoadSettings(s, ProfileFile());
  EXPECT_TRUE(s.bFirstStartUp);
  EXPECT_TRUE(s.bDrawColorEdge);
  EXPECT_EQ(s.iPrintPPIIndex, 1);
  EXPECT_EQ(s.printPpi, 100);
  EXPECT_EQ(s.iTextureLimitSizeIndex, 3);
  EXPECT_EQ(s.textureLimitSize, 512);
  EXPECT_EQ(s.printoutLineWidth, 1.0);
  EXPECT_EQ(s.colors, kDefaultColors);
}

TEST(LoadSettingsTest, ReadsIntegersFlagsAndColours) {
  const Settings s = LoadFrom(
      "bDrawColorEdge=0\nbCullFace=2\niEdgeNumberFontSize=0x10\niPrintPPIIndex=03\nbFirstStartUp=0\n"
      "bRenderAllGL=0\ncolor3=255\ncolor1=-1\ncolor7=0\ncolor8=65280\n");
  EXPECT_FALSE(s.bDrawColorEdge);
  EXPECT_TRUE(s.bCullFace);  // any non-zero number is true
  EXPECT_EQ(s.iEdgeNumberFontSize, 16);
  EXPECT_EQ(s.iPrintPPIIndex, 3);
  EXPECT_EQ(s.printPpi, 200);
  EXPECT_FALSE(s.bFirstStartUp);  // the stored value wins over the first-run default
  EXPECT_FALSE(s.bRenderAllGL);
  EXPECT_EQ(s.colors[3], 255u);               // red
  EXPECT_EQ(s.colors[1], kDefaultColors[1]);  // -1 keeps the colour
  EXPECT_EQ(s.colors[7], 0u);
  EXPECT_EQ(s.colors[kColorJoinHighlight], MakeColorRef(0, 255, 0));  // the join highlight's own key
}

TEST(LoadSettingsTest, UnreadableValuesKeepTheCurrentValue) {
  const Settings s = LoadFrom("bDrawColorEdge=yes\niEdgeNumberFontSize=12pt\nbPrintOmitPage=\ncolor0=blue\n");
  EXPECT_TRUE(s.bDrawColorEdge);
  EXPECT_EQ(s.iEdgeNumberFontSize, 8);
  EXPECT_TRUE(s.bPrintOmitPage);
  EXPECT_EQ(s.colors[0], kDefaultColors[0]);
}

TEST(LoadSettingsTest, OutOfRangeIndexesBecomeZero) {
  Settings s = LoadFrom("iPrintPPIIndex=7\niTextureLimitSizeIndex=-1\n");
  EXPECT_EQ(s.iPrintPPIIndex, 0);
  EXPECT_EQ(s.printPpi, 75);
  EXPECT_EQ(s.iTextureLimitSizeIndex, 0);
  EXPECT_EQ(s.textureLimitSize, 64);

  s = LoadFrom("iTextureLimitSizeIndex=9\niPrintPPIIndex=4\n");
  EXPECT_EQ(s.iTextureLimitSizeIndex, 0);
  EXPECT_EQ(s.iPrintPPIIndex, 0);

  s = Settings();
  s.lineWidthIndex = 8;
  LoadSettings(s, ProfileFile());
  EXPECT_EQ(s.lineWidthIndex, 0);
  EXPECT_EQ(s.printoutLineWidth, 0.25);
  s.lineWidthIndex = 7;
  LoadSettings(s, ProfileFile());
  EXPECT_EQ(s.printoutLineWidth, 5.0);
}

TEST(SaveSettingsTest, WritesEveryKeyInOrderAsDecimalText) {
  Settings s;
  s.bCullFace = true;
  s.iEdgeNumberFontSize = 12;
  s.colors[6] = 0x123456;
  ProfileFile p;
  SaveSettings(s, p);
  EXPECT_FALSE(s.bFirstStartUp);
  EXPECT_EQ(p.Serialize(),
            "[Settings]\n"
            "bDrawColorEdge=1\niEdgeNumberFontSize=12\nbCullFace=1\nbPrintRaster=0\nbEnhanceCutEdgeOpen=1\n"
            "iPrintPPIIndex=1\nbEdgeIdReverse=0\nbPageDivide=1\nbLineSmooth=0\nbZoomWheelInvert=0\nbZoomAtCursor=0\n"
            "bTextureSmooth=1\nbPrintTombo=0\nbPrintOmitPage=1\nbPrintPageNumber=0\nbLimitTextureSize=0\n"
            "iTextureLimitSizeIndex=3\nbSlideColorToWhite=1\nbOmitMaterialWhenModelRotate=0\nbFirstStartUp=0\n"
            "bRenderAllGL=1\niCutToleranceMicrons=100\niRegistrationMarks=0\niRegistrationMarkSizeMicrons=5000\n"
            "iRegistrationLineMicrons=500\niRegistrationInsetMicrons=10000\niFrameCutWidthMicrons=235000\n"
            "iFrameCutHeightMicrons=171000\nbPrintScaleGauge=0\n"
            "color0=16767449\ncolor1=16711680\ncolor2=16776960\ncolor3=0\ncolor4=25855\ncolor5=65535\n"
            "color6=1193046\ncolor7=16777215\ncolor8=33023\n");
}

TEST(SaveSettingsTest, RoundTripNormalisesFlagsAndKeepsOtherSections) {
  test::TempDir dir;
  const std::string path = test::WriteFile(
      dir.File("p.ini"), "[Window]\nleft=4\n\n[settings]\nbCullFace=2\nunknown=x\n\n[Recent File List]\nFile1=a\n");
  Settings s;
  ASSERT_TRUE(LoadSettingsFile(s, path));
  EXPECT_TRUE(s.bCullFace);
  ASSERT_TRUE(SaveSettingsFile(s, path));

  const ProfileFile saved = ProfileFile::Parse(test::ReadFile(path));
  EXPECT_EQ(saved.GetString("Settings", "bCullFace"), "1");
  EXPECT_EQ(saved.GetString("Settings", "unknown"), "x");
  EXPECT_EQ(saved.GetString("Settings", "bFirstStartUp"), "0");
  EXPECT_EQ(saved.GetString("Window", "left"), "4");
  EXPECT_EQ(saved.GetString("Recent File List", "File1"), "a");
  const std::string text = test::ReadFile(path);
  EXPECT_LT(text.find("[Window]"), text.find("[settings]"));
  EXPECT_LT(text.find("[settings]"), text.find("[Recent File List]"));

  Settings again;
  ASSERT_TRUE(LoadSettingsFile(again, path));
  EXPECT_FALSE(again.bFirstStartUp);
  EXPECT_TRUE(again.bCullFace);
}

TEST(SaveSettingsTest, CreatesTheFolderAndRefusesToOverwriteAnUnreadableFile) {
  test::TempDir dir;
  Settings s;
  const std::string nested = dir.File("config/plicora-viewer/plicora-viewer.ini");
  ASSERT_TRUE(SaveSettingsFile(s, nested));
  EXPECT_EQ(ProfileFile::Parse(test::ReadFile(nested)).GetInt("Settings", "color7"), 16777215);

  std::string error;
  EXPECT_FALSE(SaveSettingsFile(s, dir.File("config"), &error));  // a folder, not a profile
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(LoadSettingsFile(s, dir.File("config")));
  EXPECT_TRUE(LoadSettingsFile(s, dir.File("absent.ini")));
}

TEST(ResetToDefaultTest, RestoresPreferencesDocumentValuesAndColoursButKeepsThree) {
  Settings s;
  // Everything away from its built-in value.
  s.bDrawColorEdge = false, s.iEdgeNumberFontSize = 30, s.bCullFace = true, s.bPrintRaster = true;
  s.bEnhanceCutEdgeOpen = false, s.iPrintPPIIndex = 3, s.bEdgeIdReverse = true, s.bPageDivide = false;
  s.bLineSmooth = true, s.bZoomWheelInvert = true, s.bTextureSmooth = false, s.bPrintTombo = true;
  s.bPrintOmitPage = false, s.bPrintPageNumber = true, s.bLimitTextureSize = true, s.iTextureLimitSizeIndex = 0;
  s.bSlideColorToWhite = false, s.bOmitMaterialWhenModelRotate = true, s.bFirstStartUp = false;
  s.bRenderAllGL = false;
  s.iCutToleranceMicrons = 700, s.iRegistrationMarks = 2, s.iRegistrationInsetMicrons = 3000;
  s.bPrintScaleGauge = true;
  s.iCutLineType = 1, s.iYamaLineType = 3, s.iTaniLineType = 0, s.lineWidthIndex = 7, s.bCullEdge = false;
  s.iAngleEps = 90, s.dTextureLineAlpha = 0.9, s.flapWidth = 0.8, s.bDrawFlap = false, s.bDrawNumber = true;
  s.iPageType = 3, s.paperWidth = 42.0, s.paperHeight = 29.7, s.dPageMarginTop = 0.2, s.dPageMarginSide = 0.3;
  s.colors.fill(0x010203);
  UpdateDerivedSettings(s);
  Model model(0x010203);

  ResetToDefault(s, &model);

  EXPECT_TRUE(s.bDrawColorEdge);
  EXPECT_EQ(s.iEdgeNumberFontSize, 8);
  EXPECT_FALSE(s.bCullFace);
  EXPECT_FALSE(s.bPrintRaster);
  EXPECT_TRUE(s.bEnhanceCutEdgeOpen);
  EXPECT_EQ(s.iPrintPPIIndex, 1);
  EXPECT_EQ(s.printPpi, 100);
  EXPECT_FALSE(s.bEdgeIdReverse);
  EXPECT_TRUE(s.bPageDivide);
  EXPECT_FALSE(s.bLineSmooth);
  EXPECT_FALSE(s.bZoomWheelInvert);
  EXPECT_TRUE(s.bTextureSmooth);
  EXPECT_FALSE(s.bPrintTombo);
  EXPECT_TRUE(s.bPrintOmitPage);
  EXPECT_FALSE(s.bPrintPageNumber);
  EXPECT_FALSE(s.bLimitTextureSize);
  EXPECT_EQ(s.iTextureLimitSizeIndex, 3);
  EXPECT_EQ(s.textureLimitSize, 512);
  EXPECT_TRUE(s.bSlideColorToWhite);
  EXPECT_EQ(s.iCutToleranceMicrons, Settings().iCutToleranceMicrons);
  EXPECT_EQ(s.iRegistrationMarks, Settings().iRegistrationMarks);
  EXPECT_EQ(s.iRegistrationInsetMicrons, Settings().iRegistrationInsetMicrons);
  EXPECT_FALSE(s.bPrintScaleGauge);
  // Kept.
  EXPECT_TRUE(s.bOmitMaterialWhenModelRotate);
  EXPECT_FALSE(s.bFirstStartUp);
  EXPECT_FALSE(s.bRenderAllGL);
  // Document values.
  EXPECT_EQ(s.iCutLineType, 0);
  EXPECT_EQ(s.iYamaLineType, 1);
  EXPECT_EQ(s.iTaniLineType, 2);
  EXPECT_EQ(s.lineWidthIndex, 3);
  EXPECT_EQ(s.printoutLineWidth, 1.0);
  EXPECT_TRUE(s.bCullEdge);
  EXPECT_EQ(s.iAngleEps, 178);
  EXPECT_EQ(s.dTextureLineAlpha, 0.5);
  EXPECT_EQ(s.flapWidth, 0.5);
  EXPECT_TRUE(s.bDrawFlap);
  EXPECT_FALSE(s.bDrawNumber);
  EXPECT_EQ(s.iPageType, 0);
  EXPECT_EQ(s.paperWidth, 21.0);
  EXPECT_EQ(s.paperHeight, 29.7);
  EXPECT_EQ(s.dPageMarginTop, 1.5);
  EXPECT_EQ(s.dPageMarginSide, 1.5);
  // Colours, with colour 0 copied into the model.
  EXPECT_EQ(s.colors, (std::array<ColorRef, kColorSlotCount>{16767449, 16711680, 16776960, 0, 25855, 65535, 255,
                                                             16777215, MakeColorRef(0xFF, 0x80, 0x00)}));
  EXPECT_FLOAT_EQ(model.defaultMaterial.ambient[0], 217.f / 255.f);
  EXPECT_FLOAT_EQ(model.defaultMaterial.diffuse[2], 1.f);
}

TEST(ResetToDefaultTest, LeavesValuesOutsideItsListAlone) {
  Settings s;
  s.bNorishiroReverse = true, s.bUseMaterial = false, s.bDrawWhiteBkLine = true, s.scaleProduct = 3.0;
  s.maxTextureSize = 4096;
  ResetToDefault(s);
  EXPECT_TRUE(s.bNorishiroReverse);
  EXPECT_FALSE(s.bUseMaterial);
  EXPECT_TRUE(s.bDrawWhiteBkLine);
  EXPECT_EQ(s.scaleProduct, 3.0);
  EXPECT_EQ(s.maxTextureSize, 4096);
}

TEST(ColorTableTest, ColourZeroReachesTheModelOthersDoNot) {
  Settings s;
  Model model;
  const Material before = Material::FromColor(kDefaultColors[0]);
  EXPECT_TRUE(SetColor(s, 2, MakeColorRef(1, 2, 3), &model));
  EXPECT_EQ(GetColor(s, 2), MakeColorRef(1, 2, 3));
  EXPECT_EQ(model.defaultMaterial.ambient, before.ambient);

  EXPECT_TRUE(SetColor(s, 0, MakeColorRef(255, 0, 51), &model));
  EXPECT_EQ(model.defaultMaterial.ambient, (std::array<float, 4>{1.f, 0.f, 0.2f, 1.f}));
  EXPECT_EQ(model.defaultMaterial.diffuse, (std::array<float, 4>{1.f, 0.f, 0.2f, 1.f}));

  EXPECT_FALSE(SetColor(s, kColorSlotCount, 1, &model));
  EXPECT_FALSE(SetColor(s, -1, 1, &model));
  EXPECT_EQ(GetColor(s, kColorSlotCount), 0u);

  ResetColors(s, &model);
  EXPECT_EQ(s.colors, kDefaultColors);
  EXPECT_EQ(model.defaultMaterial.ambient, before.ambient);
}

}  // namespace
}  // namespace plicora
