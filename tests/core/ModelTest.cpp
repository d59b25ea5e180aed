#include <gtest/gtest.h>

#include "core/model/Model.h"

namespace plicora {
namespace {

TEST(ModelTest, MaterialOfFallsBackToDefaultOutsideTheList) {
  Model model;
  model.materials.emplace_back().name = "a";
  model.materials.emplace_back().name = "b";
  model.materials.emplace_back().name = "c";
  EXPECT_EQ(&model.MaterialOf(-1), &model.defaultMaterial);
  EXPECT_EQ(&model.MaterialOf(7), &model.defaultMaterial);
  EXPECT_EQ(&model.MaterialOf(3), &model.defaultMaterial);
  EXPECT_EQ(model.MaterialOf(2).name, "c");
}

TEST(ModelTest, DefaultMaterialTakesColourEntryZero) {
  Model model;
  EXPECT_FLOAT_EQ(model.defaultMaterial.ambient[0], 217.f / 255.f);
  EXPECT_FLOAT_EQ(model.defaultMaterial.diffuse[2], 1.f);
  EXPECT_FLOAT_EQ(model.defaultMaterial.ambient[3], 1.f);
  EXPECT_FLOAT_EQ(model.defaultMaterial.emission[3], 1.f);
  model.SetDefaultMaterialColor(255);  // red
  EXPECT_FLOAT_EQ(model.defaultMaterial.ambient[0], 1.f);
  EXPECT_FLOAT_EQ(model.defaultMaterial.diffuse[1], 0.f);
}

TEST(ModelTest, InfoCountsShowOneMaterialWhenThereAreNone) {
  Model model;
  model.totalFaces = 12;
  model.solids.emplace_back().vertices.resize(5);
  model.solids.emplace_back().vertices.resize(3);
  ModelInfoCounts counts = CountModelInfo(model);
  EXPECT_EQ(counts.materials, 1);
  EXPECT_EQ(counts.vertexes, 8);
  EXPECT_EQ(counts.objects, 2);
  EXPECT_EQ(counts.surfaces, 12);
  model.materials.emplace_back().hasTexture = true;
  model.materials.emplace_back();
  counts = CountModelInfo(model);
  EXPECT_EQ(counts.materials, 2);
  EXPECT_EQ(counts.textureImages, 1);
}

TEST(ModelTest, UnnamedObjectsAreNumberedAmongThemselves) {
  Model model;
  model.solids.emplace_back();
  model.solids.emplace_back().name = "wing";
  model.solids.emplace_back();
  const std::vector<std::string> names = ObjectListNames(model);
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[0], "Object-1");
  EXPECT_EQ(names[1], "wing");
  EXPECT_EQ(names[2], "Object-2");
}

}  // namespace
}  // namespace plicora
