// Token-stream corner cases of the work-file reader, each with the value
// worked out by hand from the reading rules.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "WorkFileTestSupport.h"
#include "core/model/MeshTopology.h"

namespace plicora {
namespace {

using test::ReadWorkBytes;

constexpr double kLowest = -1.7976931348623157e308;

std::string Triangle(const std::string& selected, const std::string& v1x, const std::string& corners = "3") {
  return "solid\nT\n" + selected + "\nvertices 3\n0 0 0\n" + v1x + " 0 0\n0 1 0\nfaces 1\n-1 -1 0 0 1 0 " + corners +
         "\n0 0 0 0 0 0 1 0\n1 0 0 0 0 0 1 0\n2 0 0 0 0 0 1 0\nedges 0\n";
}

TEST(WorkFileTokenRulesTest, WhatFollowsTheVersionNumber) {
  // A "#" right after the version number is no comment: the words after it
  // are tokens, so "model" is read.
  auto hash = ReadWorkBytes("version 2 # model 1 2 3 4 5 6\n");
  EXPECT_EQ(hash.result, kReadOk);
  EXPECT_EQ(hash.model->boxMax.x, 1.0);
  // The minimum version number is what the top level compares next.
  auto min = ReadWorkBytes("version 2 min_version 2 model 1 2 3 4 5 6\n");
  EXPECT_EQ(min.model->boxMin.z, 6.0);
  // A version that is no number is version 0: too old.
  auto word = ReadWorkBytes("version # 2\n");
  EXPECT_EQ(word.result, kReadRefused);
  // A second "version" right after the number is not checked again.
  auto twice = ReadWorkBytes("version 2 version 1 model 1 2 3 4 5 6\n");
  EXPECT_EQ(twice.result, kReadOk);
  EXPECT_TRUE(twice.messages.empty());
  EXPECT_EQ(twice.model->boxMax.x, 1.0);
  // ... but one that comes later as a token of its own is.
  EXPECT_EQ(ReadWorkBytes("version 2\nmodel 1 2 3 4 5 6\nversion 1\n").result, kReadRefused);
  // "min_version" whose number is missing: minimum 0, so version 3 is refused.
  EXPECT_EQ(ReadWorkBytes("version 3 min_version").result, kReadRefused);
  // A version number in an odd spelling goes through atoi.
  auto odd = ReadWorkBytes("version 2.9 model 1 1 1 1 1 1");
  EXPECT_EQ(odd.result, kReadOk);
  EXPECT_TRUE(odd.messages.empty());
  EXPECT_EQ(ReadWorkBytes("version 0x3").result, kReadRefused);  // atoi gives 0
}

TEST(WorkFileTokenRulesTest, NumbersAsAtoiAndAtof) {
  // Flags: any non-zero integer is 1; "0x10" is 0 for atoi.
  for (const auto& [token, selected] :
       {std::pair{"+5", true}, {"-1", true}, {"0x10", false}, {"0.9", false}, {"2abc", true}, {"-", false}}) {
    auto out = ReadWorkBytes("solids 1\n" + Triangle(token, "1"));
    ASSERT_EQ(out.model->solids.size(), 1u);
    EXPECT_EQ(out.model->solids[0].selected, selected) << token;
  }
  // Reals: leading numeric text, hexadecimal, exponent, infinity.
  for (const auto& [token, x] : {std::pair{"12abc", 12.0},
                                 {"0x10", 16.0},
                                 {"1e3", 1000.0},
                                 {".5", 0.5},
                                 {"+5", 5.0},
                                 {"-", 0.0},
                                 {"abc", 0.0},
                                 {"inf", INFINITY},
                                 {"-0x1p-2", -0.25}}) {
    auto out = ReadWorkBytes("solids 1\n" + Triangle("1", token));
    EXPECT_EQ(out.model->solids[0].vertices[1].x, x) << token;
  }
  EXPECT_TRUE(std::isnan(ReadWorkBytes("solids 1\n" + Triangle("1", "nan")).model->solids[0].vertices[1].x));
  // A corner count of "3abc" is 3.
  EXPECT_EQ(ReadWorkBytes("solids 1\n" + Triangle("1", "1", "3abc")).model->solids[0].faces[0].ring.size(), 3u);
}

TEST(WorkFileTokenRulesTest, InfoBlockKeysAndValues) {
  Settings start;
  start.bDrawWhiteBkLine = true;
  start.iAngleEps = 100;
  // bEnableLineAlpha swallows the next token, even a key; an unknown key is
  // skipped alone, so its value is looked at as a key; the block clears the
  // white lines first.
  auto out = ReadWorkBytes(
      "info bEnableLineAlpha dMag3d 3 unknownKey iAngleEps 170 dMag2d 0.5 dMag3d /info\n"
      "model 1 1 1 1 1 1\n",
      start);
  EXPECT_EQ(out.settings.iAngleEps, 170);
  EXPECT_FALSE(out.settings.bDrawWhiteBkLine);
  EXPECT_EQ(out.model->devScale, 0.5);
  // "dMag3d /info": "/info" is its value (0), and the block goes on to the end.
  EXPECT_EQ(out.model->modelScale, 0.0);
  EXPECT_EQ(out.model->boxMax.x, kLowest);
  EXPECT_EQ(out.settings.scaleProduct, 0.0);

  // Every info block clears the white lines; the scale product and the paper
  // come after each block.
  auto two = ReadWorkBytes("info bDrawWhiteBkLine 1 dMag2d 4 dMag3d 2.5 iPageType 5 /info\ninfo /info\n");
  EXPECT_FALSE(two.settings.bDrawWhiteBkLine);
  EXPECT_EQ(two.settings.scaleProduct, 10.0);
  EXPECT_EQ(two.settings.iPageType, 5);
  EXPECT_TRUE(ReadWorkBytes("info bDrawWhiteBkLine 7 /info").settings.bDrawWhiteBkLine);
  // Flags in the block: non-zero is 1.
  auto flags = ReadWorkBytes("info bFinished -3 bReverse 0x1 bTextureCoodinates 2 /info");
  EXPECT_TRUE(flags.model->hasDevelopment);
  EXPECT_FALSE(flags.model->mirrored);
  EXPECT_TRUE(flags.model->hasUV);
}

TEST(WorkFileTokenRulesTest, MaterialAndTextFields) {
  // The default material keeps its colours (all 20 numbers are dropped) but
  // takes its name and flags.
  const std::string colours = "0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8 0.9 1 1 1 1 1 1 1 64\n0.25 0.5 0.75\n";
  auto out = ReadWorkBytes("defaultmaterial\nmaterial\nDef\n" + colours + "1\n0\nmaterials 1\nmaterial\nM\n" + colours +
                           "0\n0\ntext 1\nlabel\nArial\nHello\n12 1.5 2.5 3 4 7 257 -1 0x10\n");
  const Model& m = *out.model;
  const Material fresh = Material::FromColor(kDefaultMaterialColor);
  EXPECT_EQ(m.defaultMaterial.name, "Def");
  EXPECT_EQ(m.defaultMaterial.ambient, fresh.ambient);
  EXPECT_EQ(m.defaultMaterial.specular, fresh.specular);
  EXPECT_EQ(m.defaultMaterial.shininess, 0.f);
  EXPECT_EQ(m.defaultMaterial.devColor, fresh.devColor);
  EXPECT_TRUE(m.defaultMaterial.hasDevColor);
  ASSERT_EQ(m.materials.size(), 1u);
  EXPECT_EQ(m.materials[0].diffuse[1], 0.6f);
  EXPECT_EQ(m.materials[0].shininess, 64.f);
  EXPECT_EQ(m.materials[0].devColor[2], 0.75f);
  ASSERT_EQ(m.texts.size(), 1u);
  const TextLabel& t = m.texts[0];
  EXPECT_EQ(t.fontName, "Arial");
  EXPECT_EQ(t.text, "Hello");
  EXPECT_EQ(t.fontSize, 12);
  EXPECT_EQ(t.height, 4.0);
  EXPECT_EQ(t.style, 7);
  // Low 8 bits of 257, -1 and atoi("0x10") = 0.
  EXPECT_EQ(t.color, 1u + 255u * 256u);
}

TEST(WorkFileTokenRulesTest, TextureWithASideOfZero) {
  // No bytes follow a texture of 0 x 3 or 5 x 0: the material keeps its
  // (empty) texture and the file is read on.
  const std::string colours = "1 1 1 1 1 1 1 1 0 0 0 1 0 0 0 1 0\n1 1 1\n0\n1\ntex.bmp\n";
  for (const char* size : {"0 3", "5 0", "0 0"}) {
    auto out = ReadWorkBytes("version 2\nmaterials 1\nmaterial\nM\n" + colours + size + "\ntext 1\nlabel\nArial\nA\n" +
                             "12 0 0 1 1 0 0 0 0\ninfo dMag2d 2 /info\n");
    EXPECT_EQ(out.result, kReadOk) << size;
    EXPECT_TRUE(out.messages.empty()) << size;
    ASSERT_EQ(out.model->materials.size(), 1u) << size;
    EXPECT_TRUE(out.model->materials[0].hasTexture) << size;
    EXPECT_EQ(CountModelInfo(*out.model).textureImages, 1) << size;
    EXPECT_EQ(out.model->texts.size(), 1u) << size;
    EXPECT_EQ(out.model->devScale, 2.0) << size;
  }
  // Rows of an empty image that come after the end of the file still fail.
  auto cut = ReadWorkBytes("materials 1\nmaterial\nM\n" + colours + "0 2");
  ASSERT_EQ(cut.messages.size(), 2u);
  EXPECT_EQ(cut.messages[1], "fail linenumber 1");
}

TEST(WorkFileTokenRulesTest, PartFacesInReadingOrderOverSeveralSections) {
  // Object A's face names part 1 before it exists; object B, read after the
  // first "parts", names it too. Part 1 lists A's face first.
  const auto solid = [](const std::string& name) {
    return "solid\n" + name + "\n1\nvertices 0\nfaces 1\n-1 1 0 0 1 0 0\nedges 0\n";
  };
  auto out =
      ReadWorkBytes("solids 1\n" + solid("A") + "parts 1\n0 0 0 0 0\nsolids 1\n" + solid("B") + "parts 1\n1 0 0 0 0\n");
  const Model& m = *out.model;
  ASSERT_EQ(m.parts.size(), 2u);
  EXPECT_TRUE(m.parts[0].faces.empty());
  ASSERT_EQ(m.parts[1].faces.size(), 2u);
  EXPECT_EQ(m.parts[1].faces[0], &m.solids[0].faces[0]);
  EXPECT_EQ(m.parts[1].faces[1], &m.solids[1].faces[0]);
}

TEST(WorkFileTokenRulesTest, TopLevelSeesTheHandlersLastToken) {
  // The count of "parts" is "materials": no parts, then the materials section.
  std::string colours;
  for (int i = 0; i < 20; ++i) colours += "1 ";
  auto out = ReadWorkBytes("parts materials 1\nmaterial\nM\n" + colours + "0 0\n");
  EXPECT_TRUE(out.model->parts.empty());
  EXPECT_EQ(out.model->materials.size(), 1u);
  // A keyword earlier in the order is not seen in the same round.
  auto earlier = ReadWorkBytes("text model 1 2 3 4 5 6\n");
  EXPECT_TRUE(earlier.model->texts.empty());
  EXPECT_EQ(earlier.model->boxMax.x, kLowest);
}

}  // namespace
}  // namespace plicora
