// The values the configuration dialogs edit, without any widget: the ranges
// their integer boxes accept and the messages they refuse with, the lists
// their drop-downs offer, and the way values come from and go back into the
// settings (derived values, colours, textures, the hint for the views).

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>

#include "core/configuration/ColorConfiguration.h"
#include "core/configuration/FlapConfiguration.h"
#include "core/configuration/JoinNumberConfiguration.h"
#include "core/configuration/LineTypeConfiguration.h"
#include "core/configuration/OtherConfigurations.h"
#include "core/configuration/PagePrintSettings.h"
#include "core/document/SettingsStore.h"
#include "core/document/UpdateHints.h"
#include "core/model/Model.h"

namespace plicora {
namespace {

/// Every value a dialog edits away from its built-in value.
Settings Unusual() {
  Settings s;
  s.bEdgeIdReverse = true, s.iEdgeNumberFontSize = 30, s.bDrawNumber = true, s.bDrawColorEdge = false;
  s.bZoomWheelInvert = true, s.bTextureSmooth = false, s.bOmitMaterialWhenModelRotate = true, s.bRenderAllGL = false;
  s.bLimitTextureSize = true, s.iTextureLimitSizeIndex = 0, s.bSlideColorToWhite = false;
  s.bPrintPageNumber = true, s.bPrintTombo = true, s.bPrintOmitPage = false, s.bPrintRaster = true;
  s.iPrintPPIIndex = 3, s.iCutLineType = 1, s.iYamaLineType = 3, s.iTaniLineType = 0, s.lineWidthIndex = 7;
  s.bCullEdge = false, s.iAngleEps = 90, s.bDrawFlap = false, s.flapWidth = 0.8;
  s.bPrintScaleGauge = true, s.iRegistrationMarks = 1;
  for (std::size_t i = 0; i < s.colors.size(); ++i) s.colors[i] = MakeColorRef(static_cast<int>(i), 1, 2);
  UpdateDerivedSettings(s);
  return s;
}

/// Sets one integer field of the values the built-in settings give and
/// returns the message Validate refuses it with (none when accepted),
/// checking that the problem names that field.
template <typename Values>
std::function<std::optional<std::string>(int)> Refusal(int Values::*field) {
  return [field](int value) -> std::optional<std::string> {
    Values values = Values::FromSettings(Settings{});
    values.*field = value;
    const auto problem = values.Validate();
    if (!problem) return std::nullopt;
    EXPECT_TRUE(problem->field == field);
    return problem->message;
  };
}

TEST(ConfigurationValuesTest, IntegerFieldsAcceptTheirRangeAndRefuseBeyondIt) {
  struct Case {
    const char* field;
    int low;
    int high;
    const char* message;
    std::function<std::optional<std::string>(int)> refusal;
  };
  const Case cases[] = {
      {"join number font size", 1, 100, "Please enter an integer between 1 and 100.",
       Refusal(&JoinNumberConfiguration::fontSize)},
      {"other configurations' join number font size", 1, 100, "Please enter an integer between 1 and 100.",
       Refusal(&OtherConfigurations::joinNumberFontSize)},
      {"near-surface angle", 90, 180, "Please enter an integer between 90 and 180.",
       Refusal(&LineTypeConfiguration::nearSurfaceAngle)},
      {"flap width", 1, 50, "Please enter an integer between 1 and 50.", Refusal(&FlapConfiguration::widthMillimetres)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    for (const int inside : {c.low, c.low + 1, c.high - 1, c.high})
      EXPECT_EQ(c.refusal(inside), std::nullopt) << inside;
    for (const int outside : {INT_MIN, c.low - 1, c.high + 1, INT_MAX})
      EXPECT_EQ(c.refusal(outside), c.message) << outside;
  }
  // The built-in settings pass every dialog.
  const Settings builtIn;
  EXPECT_FALSE(PagePrintSettings::FromSettings(builtIn).Validate());
  EXPECT_FALSE(ColorConfiguration::FromSettings(builtIn).Validate());
}

TEST(ConfigurationValuesTest, ListsOfferTheSettingsTables) {
  EXPECT_EQ(LineTypeConfiguration::LineWidthChoices(),
            (ChoiceList{"0.25", "0.5", "0.75", "1（標準）", "2", "3", "4", "5"}));
  EXPECT_EQ(OtherConfigurations::LineWidthChoices(), (ChoiceList{"0.25", "0.5", "0.75", "1(default)", "2", "3"}));
  EXPECT_EQ(PagePrintSettings::ResolutionChoices(), (ChoiceList{"75", "100", "150", "200"}));
  EXPECT_EQ(OtherConfigurations::TextureLimitChoices(),
            (ChoiceList{"64 x 64", "128 x 128", "256 x 256", "512 x 512", "1024 x 1024"}));
  EXPECT_EQ(LineTypeConfiguration::CutLineChoices().size(), 2u);
  EXPECT_EQ(LineTypeConfiguration::FoldLineChoices().size(), 4u);
  EXPECT_EQ(LineTypeConfiguration::FoldLineChoices().back(), LineTypeConfiguration::CutLineChoices().back());
}

template <typename Values>
void Apply(const Values& values, Settings& s) {
  if constexpr (requires { values.ApplyTo(s, nullptr); })
    values.ApplyTo(s, nullptr);
  else
    values.ApplyTo(s);
}

/// Values read from one settings record and applied to another read back
/// the same; applied to the record they came from they change nothing.
template <typename Values>
void ExpectRoundTrips() {
  const Settings records[] = {Settings{}, Unusual()};
  for (const Settings& from : records) {
    for (const Settings& onto : records) {
      Settings s = onto;
      const Values values = Values::FromSettings(from);
      Apply(values, s);
      EXPECT_TRUE(Values::FromSettings(s) == values);
      if (&from == &onto) {
        EXPECT_TRUE(s == from);
      }
    }
  }
}

TEST(ConfigurationValuesTest, ValuesGoFromSettingsToSettingsUnchanged) {
  {
    SCOPED_TRACE("join numbers");
    ExpectRoundTrips<JoinNumberConfiguration>();
  }
  {
    SCOPED_TRACE("flaps");
    ExpectRoundTrips<FlapConfiguration>();
  }
  {
    SCOPED_TRACE("line types");
    ExpectRoundTrips<LineTypeConfiguration>();
  }
  {
    SCOPED_TRACE("page and print");
    ExpectRoundTrips<PagePrintSettings>();
  }
  {
    SCOPED_TRACE("other");
    ExpectRoundTrips<OtherConfigurations>();
  }
  {
    SCOPED_TRACE("colours");
    ExpectRoundTrips<ColorConfiguration>();
  }
}

TEST(ConfigurationValuesTest, AppliedValuesSetTheSettingsAndTheirDerivedValues) {
  Settings s;
  LineTypeConfiguration lines = LineTypeConfiguration::FromSettings(Unusual());
  lines.ApplyTo(s);
  EXPECT_EQ(LineTypeConfiguration::FromSettings(s), lines);
  EXPECT_EQ(s.printoutLineWidth, 5.0);

  PagePrintSettings print = PagePrintSettings::FromSettings(Unusual());
  print.ApplyTo(s);
  EXPECT_EQ(PagePrintSettings::FromSettings(s), print);
  EXPECT_EQ(s.printPpi, 200);

  JoinNumberConfiguration numbers = JoinNumberConfiguration::FromSettings(Unusual());
  numbers.ApplyTo(s);
  EXPECT_EQ(JoinNumberConfiguration::FromSettings(s), numbers);

  // Flap widths: whole millimetres shown, tenths of a centimetre stored.
  const std::pair<double, int> widths[] = {{0.5, 5}, {0.79, 7}, {0.8, 8}, {5.0, 50}, {0.05, 0}};
  for (const auto& [cm, mm] : widths) {
    Settings flapped;
    flapped.flapWidth = cm;
    EXPECT_EQ(FlapConfiguration::FromSettings(flapped).widthMillimetres, mm) << cm;
  }
  FlapConfiguration flaps{false, 12};
  flaps.ApplyTo(s);
  EXPECT_FALSE(s.bDrawFlap);
  EXPECT_DOUBLE_EQ(s.flapWidth, 1.2);

  // Other Configurations: the texture limit, the inverse speed-up switch
  // and the hint that tells the views whether texture smoothing changed.
  OtherConfigurations other = OtherConfigurations::FromSettings(Settings{});
  other.limitTextureSize = true;
  other.textureLimitIndex = 1;
  other.simpleDisplay = true;
  Model model;
  model.materials.emplace_back();
  model.materials[0].hasTexture = true;
  model.materials[0].image = std::make_unique<TextureImage>();
  model.materials[0].image->width = model.materials[0].image->height = 512;
  model.materials[0].image->pixels.assign(512 * 512 * 3, 9);
  EXPECT_EQ(other.ApplyTo(s, &model), HINT_NONE);
  EXPECT_EQ(s.textureLimitSize, 128);
  EXPECT_FALSE(s.bRenderAllGL);
  EXPECT_EQ(model.materials[0].image->width, 128);
  other.smoothTexture = !other.smoothTexture;
  EXPECT_EQ(other.ApplyTo(s, &model), HINT_TEXTURE_FILTER_CHANGED);
  EXPECT_EQ(other.ApplyTo(s, &model), HINT_NONE);
}

TEST(ConfigurationValuesTest, ColoursReachTheTableAndColourZeroTheModelOnlyWhenApplied) {
  Settings s;
  Model model(MakeColorRef(9, 9, 9));  // a material colour the table does not hold
  const auto untouched = model.defaultMaterial.diffuse;

  ColorConfiguration colors = ColorConfiguration::FromSettings(s);
  colors.colors[kColorConvexFold] = MakeColorRef(0, 128, 0);
  EXPECT_EQ(s.colors, kDefaultColors);  // editing the values changes nothing yet
  colors.ApplyTo(s, &model);
  EXPECT_EQ(s.colors[kColorConvexFold], MakeColorRef(0, 128, 0));
  EXPECT_EQ(model.defaultMaterial.diffuse, untouched);  // colour 0 unchanged: the model keeps its own

  colors.colors[kColorMaterial] = MakeColorRef(255, 0, 51);
  colors.ApplyTo(s, &model);
  EXPECT_EQ(model.defaultMaterial.diffuse, Material::FromColor(MakeColorRef(255, 0, 51)).diffuse);

  colors.ResetColors();
  EXPECT_EQ(colors.colors, kDefaultColors);
  EXPECT_NE(s.colors, kDefaultColors);
  colors.ApplyTo(s, &model);
  EXPECT_EQ(s.colors, kDefaultColors);
  EXPECT_EQ(model.defaultMaterial.diffuse, Material::FromColor(kDefaultColors[kColorMaterial]).diffuse);

  // Other Configurations sets the background and no other colour.
  OtherConfigurations other = OtherConfigurations::FromSettings(s);
  other.backgroundColor = MakeColorRef(10, 20, 30);
  other.ApplyTo(s, &model);
  std::array<ColorRef, kColorSlotCount> expected = kDefaultColors;
  expected[kColorBackground] = MakeColorRef(10, 20, 30);
  EXPECT_EQ(s.colors, expected);
}

}  // namespace
}  // namespace plicora
