// --export to EMF, SVG and PDF through the real executable: exit status,
// what lands in the file, true scale on the printed page, and the messages
// of a file that cannot be written.

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <string>

#include "EmfTestReader.h"
#include "TestSupport.h"

namespace plicora {
namespace {

struct ViewerRun {
  int status = -1;
  std::string output;  ///< stdout and stderr together
};

ViewerRun RunViewer(const std::string& arguments) {
  ViewerRun run;
  const std::string command = std::string("'") + PLICORA_VIEWER_EXE + "' --no-profile " + arguments + " 2>&1";
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  return run;
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
  ASSERT_EQ(run.status, 0) << run.output;
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
  ASSERT_EQ(run.status, 0) << run.output;
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
  ASSERT_EQ(run.status, 0) << run.output;
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

TEST(VectorExportCli, UnwritableFilesAndUnknownFormats) {
  const std::string input = test::FixturePath("open_square.plc");
  for (const char* name : {"/nonexistent-folder/x.emf", "/nonexistent-folder/x.svg", "/nonexistent-folder/x.pdf"}) {
    const ViewerRun run = RunViewer(std::string("--export ") + name + " '" + input + "'");
    EXPECT_EQ(run.status, 1) << name << ": " << run.output;
    EXPECT_NE(run.output.find("Cannot write to file"), std::string::npos) << name << ": " << run.output;
  }
  test::TempDir dir;
  const ViewerRun run = RunViewer("--export '" + dir.File("x.wmf") + "' '" + input + "'");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.output.find("Specified file format is not supported"), std::string::npos) << run.output;
}

}  // namespace
}  // namespace plicora
