#include <gtest/gtest.h>

#include "ImageFiles.h"
#include "TestSupport.h"
#include "core/platform/MessageSink.h"
#include "core/texture/TextureData.h"

namespace plicora {
namespace {

TextureImage Solid(int width, int height) {
  TextureImage image;
  image.width = width;
  image.height = height;
  image.pixels.assign(static_cast<std::size_t>(width) * height * 3, 7);
  return image;
}

TEST(TextureDataTest, SideIsTheNextPowerStrictlyAboveWithinTheLimit) {
  EXPECT_EQ(NextTextureSide(20), 64);
  EXPECT_EQ(NextTextureSide(64), 128);
  EXPECT_EQ(NextTextureSide(255), 256);
  EXPECT_EQ(NextTextureSide(256), 512);
  EXPECT_EQ(NextTextureSide(32767), 32768);
  EXPECT_EQ(NextTextureSide(32768), 0);

  EXPECT_EQ(TextureSideFor(256, 256, 16384), 512);
  EXPECT_EQ(TextureSideFor(256, 256, 256), 256);
  EXPECT_EQ(TextureSideFor(1000, 30, 1024), 1024);
  EXPECT_EQ(TextureSideFor(1000, 30, 512), 512);
  EXPECT_EQ(TextureSideFor(10, 10, 1024), 64);
  EXPECT_EQ(TextureSideFor(30, 1000, 64), 64);
  EXPECT_EQ(TextureSideFor(40000, 40000, 1024), 64);  // no size found counts as the smallest
  EXPECT_EQ(TextureSideFor(40000, 100, 1024), 128);
}

TEST(TextureDataTest, LoadedImagesAreSquareWithTheTopRowFirst) {
  test::TempDir dir;
  // Top half red, bottom half blue; the left column green.
  auto picture = [](int width, int height) {
    return test::MakeBmp24(width, height, [=](int x, int y) -> test::Rgb {
      if (x == 0) return {0, 255, 0};
      return y < height / 2 ? test::Rgb{255, 0, 0} : test::Rgb{0, 0, 255};
    });
  };
  const std::string square = test::WriteFile(dir.File("square.bmp"), picture(256, 256));
  auto texture = LoadTextureImage(square, 16384);
  ASSERT_TRUE(texture);
  EXPECT_EQ(texture->width, 512);
  EXPECT_EQ(texture->height, 512);
  EXPECT_EQ(texture->pixels[3 * 2 + 0], 255);  // first row is the top: red
  EXPECT_EQ(texture->pixels[0 + 1], 255);      // left column green
  EXPECT_EQ(texture->pixels.back(), 255);      // last row is the bottom: blue
  EXPECT_EQ(LoadTextureImage(square, 256)->width, 256);

  const std::string wide = test::WriteFile(dir.File("wide.bmp"), picture(1000, 30));
  EXPECT_EQ(LoadTextureImage(wide, 1024)->width, 1024);
  auto reduced = LoadTextureImage(wide, 512);
  EXPECT_EQ(reduced->width, 512);
  EXPECT_EQ(reduced->height, 512);
  EXPECT_EQ(reduced->pixels.size(), 512u * 512u * 3u);

  const std::string tiny = test::WriteFile(dir.File("tiny.bmp"), picture(10, 10));
  auto grown = LoadTextureImage(tiny, 1024);
  EXPECT_EQ(grown->width, 64);
  EXPECT_EQ(grown->height, 64);
  // Enlargement repeats pixels: source row floor(10 * (63 - i) / 64) counted from the bottom.
  EXPECT_EQ(grown->pixels[(31 * 64 + 10) * 3], 255);  // row 31 -> source row 5 from the bottom -> top half
  EXPECT_EQ(grown->pixels[(32 * 64 + 10) * 3 + 2], 255);

  CollectingMessageSink sink;
  const ScopedMessageSink scope(sink);
  EXPECT_FALSE(LoadTextureImage(dir.File("missing.bmp"), 1024));
  EXPECT_EQ(sink.messages.size(), 1u);
}

TEST(TextureDataTest, ResamplerPicksTheFlooredSourcePixel) {
  TextureImage source;  // 5 x 3, every pixel's red value is its index
  source.width = 5, source.height = 3;
  for (int i = 0; i < 15; ++i) source.pixels.insert(source.pixels.end(), {std::uint8_t(i), 0, 0});
  auto reds = [](const TextureImage& image) {
    std::vector<int> out;
    for (std::size_t i = 0; i < image.pixels.size(); i += 3) out.push_back(image.pixels[i]);
    return out;
  };
  // Rows floor(3i/2) = 0, 1; columns floor(5j/2) = 0, 2.
  EXPECT_EQ(reds(ResampleNearest(source, 2, 2, false)), (std::vector<int>{0, 2, 5, 7}));
  // Flipped: rows floor(3(1-i)/2) = 1, 0.
  EXPECT_EQ(reds(ResampleNearest(source, 2, 2, true)), (std::vector<int>{5, 7, 0, 2}));
  // Enlarged 3 -> 4 rows, flipped: floor(3(3-i)/4) = 2, 1, 0, 0.
  const TextureImage tall = ResampleNearest(source, 1, 4, true);
  EXPECT_EQ(reds(tall), (std::vector<int>{10, 5, 0, 0}));
}

TEST(TextureDataTest, StoredImagesFitTheLimitAtLoad) {
  Settings settings;
  const int glLimit = 1024;
  Material material;
  material.image = std::make_unique<TextureImage>(Solid(2048, 2048));
  material.hasTexture = true;
  FitLoadedTexture(material, EffectiveTextureLimit(settings, glLimit));
  EXPECT_EQ(material.image->width, 1024);
  EXPECT_EQ(material.image->height, 1024);
  EXPECT_TRUE(material.hasTexture);

  settings.bLimitTextureSize = true;
  settings.textureLimitSize = 256;
  material.image = std::make_unique<TextureImage>(Solid(2048, 2048));
  FitLoadedTexture(material, EffectiveTextureLimit(settings, glLimit));
  EXPECT_EQ(material.image->width, 256);

  material.image = std::make_unique<TextureImage>(Solid(1024, 512));
  FitLoadedTexture(material, EffectiveTextureLimit(settings, glLimit));
  EXPECT_EQ(material.image->height, 256);  // a long side makes it square

  settings.bLimitTextureSize = false;
  material.image = std::make_unique<TextureImage>(Solid(300, 200));
  FitLoadedTexture(material, EffectiveTextureLimit(settings, glLimit));
  EXPECT_EQ(material.image->width, 300);
  EXPECT_EQ(material.image->height, 200);
}

TEST(TextureDataTest, ConfirmedLimitReducesEveryTextureOnce) {
  Model model;
  model.materials.emplace_back();
  model.materials.emplace_back();
  model.materials[0].image = std::make_unique<TextureImage>(Solid(512, 512));
  model.materials[0].hasTexture = true;
  model.defaultMaterial.image = std::make_unique<TextureImage>(Solid(256, 64));
  model.defaultMaterial.hasTexture = true;

  Settings settings;
  settings.textureLimitSize = 128;
  EXPECT_EQ(ApplyTextureLimit(model, settings), 0);  // the limit is off
  settings.bLimitTextureSize = true;
  EXPECT_EQ(ApplyTextureLimit(model, settings), 2);
  EXPECT_EQ(model.materials[0].image->width, 128);
  EXPECT_EQ(model.materials[0].image->height, 128);
  EXPECT_EQ(model.defaultMaterial.image->height, 128);
  EXPECT_FALSE(model.materials[1].image);

  settings.textureLimitSize = 1024;
  EXPECT_EQ(ApplyTextureLimit(model, settings), 0);
  EXPECT_EQ(model.materials[0].image->width, 128);
}

TEST(TextureDataTest, AttachAndRemoveMarkTheDocument) {
  Material material;
  int modified = 0;
  auto mark = [&] { ++modified; };
  AttachTexture(material, std::make_unique<TextureImage>(Solid(64, 64)), "/tmp/a.bmp", mark);
  EXPECT_TRUE(material.hasTexture);
  EXPECT_EQ(material.textureFile, "/tmp/a.bmp");
  AttachTexture(material, std::make_unique<TextureImage>(Solid(128, 128)), "/tmp/b.jpg", mark);
  EXPECT_EQ(material.image->width, 128);
  EXPECT_EQ(material.textureFile, "/tmp/b.jpg");
  RemoveTexture(material, mark);
  EXPECT_FALSE(material.hasTexture);
  EXPECT_FALSE(material.image);
  EXPECT_EQ(material.textureFile, "");
  EXPECT_EQ(modified, 3);
}

}  // namespace
}  // namespace plicora
