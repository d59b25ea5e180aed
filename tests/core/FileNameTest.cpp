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

TEST(DevelopmentFileFormats, SaveDialogListsEveryFormatOnceInItsOrder) {
  EXPECT_EQ(SaveDialogFilter(),
            "BMP Format (*.bmp);;EPS Format (No Texture) (*.eps);;EMF Format (No Texture) (*.emf);;"
            "PNG Format (*.png);;SVG Format (No Texture) (*.svg);;PDF Format (Printed Pages) (*.pdf);;"
            "DXF for Cutting Machines (*.dxf);;SVG for Cutting Machines (*.svg)");
  for (const FileFormatRow& row : DevelopmentFileFormats()) {
    EXPECT_EQ(FindFileFormat(row.format), &row);
    // Every extension names a format; the cut file's shares the plain SVG's.
    const DevelopmentFileFormat named = DevelopmentFileFormatOf(std::string("a.") + row.extension);
    EXPECT_EQ(named, row.format == DevelopmentFileFormat::CutterSvg ? DevelopmentFileFormat::Svg : row.format);
  }
}

}  // namespace
}  // namespace plicora
