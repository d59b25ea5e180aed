#include <gtest/gtest.h>

#include "core/export/DevelopmentFileFormat.h"
#include "core/platform/FileName.h"

namespace plicora {
namespace {

// The extension decides how a file is opened, decoded or written: letter
// case never matters, and only the last component's last dot counts.
TEST(LowerCaseExtension, IsTheLastDotOfTheFileNameOnLowerCased) {
  const struct {
    const char* path;
    const char* extension;
  } cases[] = {
      {"Cube.PLC", ".plc"},  {"/a/b/photo.JpEg", ".jpeg"}, {"dir.x/name", ""}, {"name", ""},
      {"/a/.jpg", ".jpg"},   {"archive.tar.GZ", ".gz"},    {"trailing.", "."}, {"folder/", ""},
      {"x/Y.Ä.BMP", ".bmp"},
  };
  for (const auto& c : cases) EXPECT_EQ(LowerCaseExtension(c.path), c.extension) << c.path;
  EXPECT_EQ(FileNameOf("/home/u/Cube.plc"), "Cube.plc");
  EXPECT_EQ(FileNameOf("Cube.plc"), "Cube.plc");
}

TEST(DevelopmentFileFormatOf, NamesTheFormatByExtension) {
  using F = DevelopmentFileFormat;
  const struct {
    const char* path;
    F format;
  } cases[] = {
      {"out.EPS", F::Eps},
      {"a/b.c/out.png", F::Png},
      {"out.svg", F::Svg},
      {"out.Pdf", F::Pdf},
      {"out.emf", F::Emf},
      {"out.bmp", F::Bmp},
      {"out.jpg", F::Unsupported},
      {"out", F::Unsupported},
      {"/tmp/.eps", F::Unsupported},  // a hidden file named only by the extension
      {"..eps", F::Eps},
  };
  for (const auto& c : cases) EXPECT_EQ(DevelopmentFileFormatOf(c.path), c.format) << c.path;
}

}  // namespace
}  // namespace plicora
