// --export to EMF, SVG and PDF through the real executable: exit status,
// what lands in the file, true scale on the printed page, and the messages
// of a file that cannot be written.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QImage>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>

#include "EmfTestReader.h"
#include "TestSupport.h"
#include "ViewerProcess.h"

namespace plicora {
namespace {

using test::ViewerRun;

ViewerRun RunViewer(const std::string& arguments) {
  return test::RunViewer("--no-profile " + arguments);
}

std::string Shell(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen((command + " 2>&1").c_str(), "r")) {
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

// The open square of the fixtures at 10 cm per unit: a 10 cm square whose
// sides are cut lines, 0.42 cm from the development origin.
std::string TenCentimetreSquare(const test::TempDir& dir) {
  std::string text = test::ReadFile(test::FixturePath("open_square.plc"));
  const std::size_t at = text.find("dMag2d 16.6");
  if (at == std::string::npos) return {};
  text.replace(at, 11, "dMag2d 10");
  return test::WriteFile(dir.File("square.plc"), text);
}

// Reads a binary PGM written by pdftoppm: width, height and grey bytes.
struct Grey {
  int width = 0, height = 0;
  std::string pixels;
  int At(int x, int y) const { return static_cast<unsigned char>(pixels[static_cast<std::size_t>(y) * width + x]); }
};

Grey ReadPgm(const std::string& path) {
  Grey grey;
  const std::string data = test::ReadFile(path);
  int maxValue = 0, consumed = 0;
  if (std::sscanf(data.c_str(), "P5 %d %d %d%n", &grey.width, &grey.height, &maxValue, &consumed) != 3) return {};
  grey.pixels = data.substr(static_cast<std::size_t>(consumed) + 1);
  if (grey.pixels.size() < static_cast<std::size_t>(grey.width) * grey.height) return {};
  return grey;
}

// Darkness-weighted centre of the first dark run along row y from x0; the
// run's neighbours on both sides give the background it is weighed against.
double RunCentre(const Grey& g, int y, int x0) {
  int x = x0;
  while (x < g.width && g.At(x, y) >= 128) ++x;
  int end = x;
  while (end < g.width && g.At(end, y) < 128) ++end;
  const int from = std::max(0, x - 2), to = std::min(g.width - 1, end + 1);
  const int background = std::max(g.At(from, y), g.At(to, y));
  double sum = 0.0, weight = 0.0;
  for (int i = from; i <= to; ++i) {
    const double w = std::max(0, background - g.At(i, y));
    sum += w * i;
    weight += w;
  }
  return weight > 0.0 ? sum / weight : -1.0;
}

TEST(VectorExportCli, PdfPrintsTheSheetAtTrueScale) {
  test::TempDir dir;
  const std::string input = TenCentimetreSquare(dir);
  ASSERT_FALSE(input.empty());
  const std::string pdf = dir.File("square.PDF");  // extensions compare case-insensitively
  const ViewerRun run = RunViewer("--export '" + pdf + "' '" + input + "'");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string info = Shell("pdfinfo '" + pdf + "'");
  EXPECT_NE(info.find("Pages:           1"), std::string::npos) << info;
  EXPECT_NE(info.find("595 x 842 pts"), std::string::npos) << info;  // A4 in whole points

  Shell("pdftoppm -gray -r 254 -singlefile '" + pdf + "' '" + dir.File("page") + "'");
  const Grey page = ReadPgm(dir.File("page.pgm"));  // 100 px per cm
  ASSERT_EQ(page.width, 2100);
  // Left and right sides at 1.5 + 0.42 and 1.5 + 10.42 cm from the corner.
  const double left = RunCentre(page, 700, 100);
  const double right = RunCentre(page, 700, static_cast<int>(left) + 10);
  EXPECT_NEAR(left, 192.2, 2.0);
  EXPECT_NEAR(right - left, 1000.0, 1.0);  // 10 cm within 0.1 %
}

// The icosahedron with its 100 x 60 texture replaced by a 128 x 60 one
// whose odd columns are `odd` and even columns white: cut down to 64 x 64
// it would keep only the white columns.
std::string StripedIcosahedron(const test::TempDir& dir, const std::string& name, char odd) {
  std::string text = test::ReadFile(test::FixturePath("icosahedron_textured.plc"));
  const std::size_t at = text.find("\n100 60\n");
  if (at == std::string::npos) return {};
  std::string pixels;
  for (int row = 0; row < 60; ++row)
    for (int column = 0; column < 128; ++column) pixels.append(3, column % 2 ? odd : '\xff');
  text.replace(at, 8 + 100 * 60 * 3, "\n128 60\n" + pixels);
  return test::WriteFile(dir.File(name), text);
}

int DarkPixelsOfPdf(const test::TempDir& dir, const std::string& input) {
  const std::string pdf = input + ".pdf";
  if (RunViewer("--export '" + pdf + "' '" + input + "'").status != 0) return -1;
  Shell("pdftoppm -gray -r 100 -singlefile '" + pdf + "' '" + dir.File("page") + "'");
  const Grey page = ReadPgm(dir.File("page.pgm"));
  int dark = 0;
  for (unsigned char c : page.pixels) dark += c < 64 ? 1 : 0;
  return dark;
}

TEST(VectorExportCli, PdfPrintsTexturesAtTheirOwnSizeNotAt64) {
  test::TempDir dir;
  const std::string striped = StripedIcosahedron(dir, "striped.plc", '\0');
  const std::string white = StripedIcosahedron(dir, "white.plc", '\xff');
  ASSERT_FALSE(striped.empty());
  const int lines = DarkPixelsOfPdf(dir, white);
  const int stripes = DarkPixelsOfPdf(dir, striped);
  ASSERT_GT(lines, 0);
  // The black columns survive only when the texture keeps its 128 columns.
  EXPECT_GT(stripes, lines + 2000) << lines << " " << stripes;
}

TEST(VectorExportCli, SvgIsSizedInMillimetres) {
  test::TempDir dir;
  const std::string input = TenCentimetreSquare(dir);
  const std::string svg = dir.File("square.svg");
  const ViewerRun run = RunViewer("--export '" + svg + "' '" + input + "'");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string text = test::ReadFile(svg);
  std::smatch m;
  ASSERT_TRUE(std::regex_search(text, m, std::regex("width=\"([0-9.]+)mm\" height=\"([0-9.]+)mm\"")));
  EXPECT_NEAR(std::stod(m[1]), 100.0, 0.03);
  EXPECT_NEAR(std::stod(m[2]), 100.0, 0.03);
}

TEST(VectorExportCli, MetafileCarriesTheDrawingAndTheLabels) {
  test::TempDir dir;
  const std::string emfPath = dir.File("labels.Emf");
  const ViewerRun run = RunViewer("--export '" + emfPath + "' '" + test::FixturePath("labels_arial_ascii.plc") + "'");
  ASSERT_EQ(run.status, 0) << run.err;
  const test::EmfFile emf = test::ParseEmf(test::ReadFile(emfPath));
  ASSERT_EQ(emf.error, "");
  EXPECT_EQ(emf.U32(48), emf.bytes.size());
  EXPECT_EQ(emf.U32(52), emf.records.size());
  EXPECT_EQ(emf.records.back().type, 14u);
  EXPECT_EQ(emf.Text(emf.U32(64), emf.U32(60)), std::u16string(u"VorlanZ\0\0", 9));
  EXPECT_FALSE(emf.OfType(54).empty()) << "no lines drawn";
  const std::vector<std::u16string> texts = emf.Texts();
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[texts.size() - 2], u"Tetra");
  EXPECT_EQ(texts.back(), u"Fold along dotted lines");
}

// Faces are filled shapes, each drawn with the brush of its colour: every
// brush created is used by a polygon record (single or several polygons),
// and no face is written as an outline-only record.
TEST(VectorExportCli, MetafileFillsTheFacesWithTheirBrushes) {
  constexpr std::uint32_t kPolygon = 3, kPolyPolygon = 8, kPolygon16 = 86, kPolyPolygon16 = 91;
  constexpr std::uint32_t kPolyPolyline = 7, kPolyPolyline16 = 90, kCreateBrush = 39;
  test::TempDir dir;
  for (const char* fixture : {"octahedron_materials.plc", "cube.plc", "spot_quads_obj.plc"}) {
    const std::string emfPath = dir.File(std::string(fixture) + ".emf");
    const ViewerRun run = RunViewer("--export '" + emfPath + "' '" + test::FixturePath(fixture) + "'");
    ASSERT_EQ(run.status, 0) << fixture << ": " << run.err;
    const test::EmfFile emf = test::ParseEmf(test::ReadFile(emfPath));
    ASSERT_EQ(emf.error, "") << fixture;
    const std::size_t brushes = emf.OfType(kCreateBrush).size();
    const std::size_t fills = emf.OfType(kPolygon).size() + emf.OfType(kPolyPolygon).size() +
                              emf.OfType(kPolygon16).size() + emf.OfType(kPolyPolygon16).size();
    EXPECT_GT(brushes, 0u) << fixture;
    EXPECT_GE(fills, brushes) << fixture;
    EXPECT_EQ(emf.OfType(kPolyPolyline).size() + emf.OfType(kPolyPolyline16).size(), 0u) << fixture;
  }
}

TEST(VectorExportCli, UnwritableFilesAndUnknownFormats) {
  const std::string input = test::FixturePath("open_square.plc");
  for (const char* name : {"/nonexistent-folder/x.emf", "/nonexistent-folder/x.svg", "/nonexistent-folder/x.pdf"}) {
    const ViewerRun run = RunViewer(std::string("--export ") + name + " '" + input + "'");
    EXPECT_EQ(run.status, 1) << name << ": " << run.err;
    EXPECT_NE(run.err.find("Cannot write to file"), std::string::npos) << name << ": " << run.err;
  }
  test::TempDir dir;
  const ViewerRun run = RunViewer("--export '" + dir.File("x.wmf") + "' '" + input + "'");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("Specified file format is not supported"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace plicora

namespace plicora {
namespace {

// Every format goes through a temporary file: a full device is reported
// with the path and the reason (never as success), a failed export leaves
// the old file as it was and nothing beside it, and an output that is a hard
// link to the work file replaces the link, not the work file.
TEST(ExportFiles, FailedWritesAreReportedAndLeaveTheOldFile) {
  test::TempDir dir;
  const std::string work = test::WriteFile(dir.File("work.plc"), test::ReadFile(test::FixturePath("cube.plc")));
  struct Case {
    const char* extension;
    const char* message;
  };
  const Case cases[] = {{"svg", "Cannot write to file"}, {"pdf", "Cannot write to file"},
                        {"eps", "Cannot write to file"}, {"emf", "Cannot write to file"},
                        {"png", "write error"},          {"bmp", "write error"}};
  for (const Case& c : cases) {
    const std::string full = dir.File(std::string("full.") + c.extension);
    std::filesystem::create_symlink("/dev/full", full);
    ViewerRun run = RunViewer("--export " + full + " " + work);
    EXPECT_EQ(run.status, 1) << c.extension;
    EXPECT_NE(run.err.find(std::string(c.message) + "\n" + full + ": No space left on device"), std::string::npos)
        << run.err;
    if (std::string(c.extension) == "png") {
      EXPECT_NE(run.err.find("Failed to create PNG"), std::string::npos);
    }

    const std::string linked = dir.File(std::string("linked.") + c.extension);
    std::filesystem::create_hard_link(work, linked);
    EXPECT_EQ(RunViewer("--export " + linked + " " + work).status, 0) << c.extension;
    EXPECT_EQ(test::ReadFile(work), test::ReadFile(test::FixturePath("cube.plc"))) << c.extension;
  }
  if (geteuid() != 0) {
    const std::string locked = dir.File("locked");
    std::filesystem::create_directory(locked);
    const std::string old = test::WriteFile(locked + "/old.svg", "old");
    chmod(locked.c_str(), 0555);
    const ViewerRun run = RunViewer("--export " + old + " " + work);
    chmod(locked.c_str(), 0755);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Cannot write to file\n" + old + ": Permission denied"), std::string::npos);
    EXPECT_EQ(test::ReadFile(old), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(locked), std::filesystem::directory_iterator()), 1);
  }
}

}  // namespace
}  // namespace plicora

namespace plicora {
namespace {

// The SVG's title is the work file's name, escaped, without its folders.
TEST(ExportFiles, SvgTitleIsTheEscapedFileName) {
  test::TempDir dir;
  const std::string work =
      test::WriteFile(dir.File("Tom & Jerry <1>.plc"), test::ReadFile(test::FixturePath("cube.plc")));
  ASSERT_EQ(RunViewer("--export " + dir.File("out.svg") + " '" + work + "'").status, 0);
  const std::string svg = test::ReadFile(dir.File("out.svg"));
  EXPECT_NE(svg.find("<title>Tom &amp; Jerry &lt;1&gt;.plc</title>"), std::string::npos) << svg.substr(0, 400);
  EXPECT_EQ(svg.find(dir.path()), std::string::npos);
}

}  // namespace
}  // namespace plicora

namespace plicora {
namespace {

int DarkPixelsOfPng(const std::string& input, const std::string& sets) {
  const std::string png = input + ".png";
  if (RunViewer(sets + " --export '" + png + "' '" + input + "'").status != 0) return -1;
  const QImage image(QString::fromStdString(png));
  int dark = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 64;
  }
  return dark;
}

// The profile's texture limit (here given by --set) applies to the picture
// as the window applies it: at 64 x 64 the black columns are gone.
TEST(ExportFiles, TextureLimitOfTheSettingsAppliesToThePicture) {
  test::TempDir dir;
  const std::string striped = StripedIcosahedron(dir, "striped.plc", '\0');
  ASSERT_FALSE(striped.empty());
  const int full = DarkPixelsOfPng(striped, "");
  const int limited = DarkPixelsOfPng(striped, "--set bLimitTextureSize=1 --set iTextureLimitSizeIndex=0");
  const int unlimited = DarkPixelsOfPng(striped, "--set bLimitTextureSize=0");
  EXPECT_GT(full, limited + 1000) << full << " " << limited;
  EXPECT_EQ(unlimited, full);
}

}  // namespace
}  // namespace plicora

namespace plicora {
namespace {

struct InkBox {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  void Add(int x, int y) {
    left = std::min(left, x), top = std::min(top, y), right = std::max(right, x), bottom = std::max(bottom, y);
  }
};

// Ghostscript reads the EPS as an EPS: cropped to its bounding box it shows
// the whole drawing, the box no more than a few points larger, and the
// drawing the size of the PNG's at the same 72 pixels per inch.
TEST(ExportFiles, GhostscriptRendersTheEpsLikeThePicture) {
  if (Shell("command -v gs").empty()) GTEST_SKIP() << "ghostscript is not installed";
  test::TempDir dir;
  const std::string cube = test::FixturePath("cube.plc");
  ASSERT_EQ(RunViewer("--export " + dir.File("cube.eps") + " " + cube).status, 0);
  ASSERT_EQ(RunViewer("--export " + dir.File("cube.png") + " " + cube).status, 0);
  Shell("gs -q -dSAFER -dBATCH -dNOPAUSE -dEPSCrop -r72 -sDEVICE=png16m -sOutputFile=" + dir.File("eps.png") + " " +
        dir.File("cube.eps"));
  const QImage eps(QString::fromStdString(dir.File("eps.png")));
  ASSERT_GT(eps.width(), 10) << "no page rendered";
  InkBox epsInk;
  for (int y = 0; y < eps.height(); ++y) {
    for (int x = 0; x < eps.width(); ++x) {
      if (qGray(eps.pixel(x, y)) < 128) epsInk.Add(x, y);
    }
  }
  ASSERT_GE(epsInk.right, 0);
  EXPECT_LE(epsInk.left, 3);
  EXPECT_LE(epsInk.top, 3);
  EXPECT_GE(epsInk.right, eps.width() - 4);
  EXPECT_GE(epsInk.bottom, eps.height() - 4);

  const QImage png(QString::fromStdString(dir.File("cube.png")));
  InkBox pngInk;
  for (int y = 0; y < png.height(); ++y) {
    for (int x = 0; x < png.width(); ++x) {
      if (qGray(png.pixel(x, y)) < 128) pngInk.Add(x, y);
    }
  }
  EXPECT_NEAR(epsInk.right - epsInk.left, pngInk.right - pngInk.left, 3);
  EXPECT_NEAR(epsInk.bottom - epsInk.top, pngInk.bottom - pngInk.top, 3);
}

}  // namespace
}  // namespace plicora
