// Metafile, SVG and PDF exports of a small development: the metafile's
// records and text pass, the PDF's pages and paper, the SVG's size, and what
// happens when the file cannot be written.

#include <gtest/gtest.h>

#include <QImage>
#include <QRegularExpression>
#include <cstdio>
#include <filesystem>

#include "EmfTestReader.h"
#include "TestSupport.h"
#include "core/development/DevelopmentGeometry.h"
#include "core/export/EmfRecordWriter.h"
#include "core/platform/AtomicFileWriter.h"
#include "core/platform/MessageSink.h"
#include "render/ExportFixture.h"
#include "render/export/MetafileExport.h"
#include "render/export/PdfExport.h"
#include "render/export/PrintAndCut.h"
#include "render/export/SvgExport.h"

namespace plicora {
namespace {

std::string RunCommand(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

// Page count and the size of every page in points, from pdfinfo.
struct PdfPages {
  int count = 0;
  std::vector<QSizeF> sizes;
};

PdfPages ReadPdfPages(const std::string& path) {
  PdfPages pages;
  const QString info = QString::fromStdString(RunCommand("pdfinfo -f 1 -l 99 '" + path + "' 2>&1"));
  const QRegularExpression countRe(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
  const auto count = countRe.match(info);
  if (count.hasMatch()) pages.count = count.captured(1).toInt();
  const QRegularExpression sizeRe(QStringLiteral("size:\\s+([\\d.]+) x ([\\d.]+) pts"));
  for (auto it = sizeRe.globalMatch(info); it.hasNext();) {
    const auto m = it.next();
    pages.sizes.emplace_back(m.captured(1).toDouble(), m.captured(2).toDouble());
  }
  return pages;
}

// One page of the PDF as a grey image at `dpi`.
QImage RasterizePdfPage(const std::string& path, int page, int dpi, const std::string& scratchDir) {
  const std::string stem = scratchDir + "/page";
  RunCommand("pdftoppm -gray -r " + std::to_string(dpi) + " -f " + std::to_string(page) + " -l " +
             std::to_string(page) + " -singlefile '" + path + "' '" + stem + "' 2>&1");
  return QImage(QString::fromStdString(stem + ".pgm"));
}

TEST(MetafileExport, TextPassWritesEveryLabelAsOneGdiString) {
  test::SquareDevelopment square;
  test::TempDir dir;
  const std::string path = dir.File("square.emf");
  ASSERT_TRUE(ExportMetafile(square.model(), square.settings, path, 96.0));
  const test::EmfFile emf = test::ParseEmf(test::ReadFile(path));
  ASSERT_EQ(emf.error, "");
  EXPECT_EQ(emf.U32(48), emf.bytes.size());
  EXPECT_EQ(emf.U32(52), emf.records.size());
  EXPECT_EQ(emf.Text(emf.U32(64), emf.U32(60)), std::u16string(u"VorlanZ\0\0", 9));
  ASSERT_EQ(emf.Texts(), std::vector<std::u16string>{u"Label A"});

  // Records of the pass, in order: transparent background, baseline
  // alignment, the label's colour, its font, the string, black again.
  const double ppcm = 96.0 * 0.39370078740157477;
  const std::size_t text = emf.OfType(84)[0].offset;
  EXPECT_EQ(emf.I32(text + 36), static_cast<int>(3.0 * ppcm));
  EXPECT_EQ(emf.I32(text + 40), static_cast<int>(6.0 * ppcm));
  std::vector<std::pair<std::uint32_t, std::uint32_t>> pass;  // type, first field
  bool afterText = false;
  for (const test::EmfRecord& r : emf.records) {
    if (r.type == 18 || r.type == 22 || r.type == 24 || r.type == 82) pass.emplace_back(r.type, emf.U32(r.offset + 8));
    if (r.offset == text) afterText = true;
    if (r.type == 82) {
      EXPECT_EQ(emf.I32(r.offset + 12), static_cast<int>(20 * ppcm * 0.035277777777777776));  // 26
      EXPECT_EQ(emf.I32(r.offset + 28), 400);
      EXPECT_EQ(emf.Text(r.offset + 40, 6), std::u16string(u"Arial\0", 6));
    }
  }
  ASSERT_TRUE(afterText);
  ASSERT_GE(pass.size(), 5u);
  const auto tail = std::vector<std::pair<std::uint32_t, std::uint32_t>>(pass.end() - 5, pass.end());
  EXPECT_EQ(tail[0], std::make_pair(18u, 1u));
  EXPECT_EQ(tail[1], std::make_pair(22u, 24u));
  EXPECT_EQ(tail[2], std::make_pair(24u, 0x0000FFu));
  EXPECT_EQ(tail[3].first, 82u);
  EXPECT_EQ(tail[4], std::make_pair(24u, 0u));
}

TEST(MetafileExport, ClipboardCopyAndFailures) {
  test::SquareDevelopment square;
  const test::EmfFile emf = test::ParseEmf(RenderMetafile(square.model(), square.settings, 96.0).toStdString());
  ASSERT_EQ(emf.error, "");
  EXPECT_EQ(emf.Text(emf.U32(64), emf.U32(60)), std::u16string(u"Plicora Designer\0\0", 18));

  square.model().hasDevelopment = false;
  EXPECT_TRUE(RenderMetafile(square.model(), square.settings, 96.0).isEmpty());

  CollectingMessageSink sink;
  ScopedMessageSink scope(sink);
  EXPECT_FALSE(ExportMetafile(square.model(), square.settings, "/nonexistent-folder/x.emf", 96.0));
  EXPECT_FALSE(ExportSvg(square.model(), square.settings, "/nonexistent-folder/x.svg"));
  EXPECT_FALSE(ExportPdf(square.model(), square.settings, "/nonexistent-folder/x.pdf"));
  EXPECT_EQ(sink.messages,
            (std::vector<std::string>{"Cannot write to file\n/nonexistent-folder/x.emf: No such file or directory",
                                      "Cannot write to file\n/nonexistent-folder/x.svg: No such file or directory",
                                      "Cannot write to file\n/nonexistent-folder/x.pdf: No such file or directory"}));
}

TEST(VectorExports, HugeScalesStayWithinTheFileFormats) {
  test::SquareDevelopment square;
  square.model().devScale = 1e12;  // a broken file: kilometres of paper
  square.model().texts[0].fontSize = 2000000000;
  const test::EmfFile emf = test::ParseEmf(RenderMetafile(square.model(), square.settings, 96.0).toStdString());
  ASSERT_EQ(emf.error, "");
  EXPECT_EQ(emf.U32(52), emf.records.size());
  EXPECT_LE(emf.I32(8), emf.I32(16));  // bounds still ordered
  EXPECT_GE(emf.I32(16), kEmfCoordinateLimit);
  EXPECT_LE(emf.I32(16), kEmfCoordinateLimit + 0xFFFFF);
  EXPECT_EQ(emf.I32(emf.OfType(82).back().offset + 12), kEmfCoordinateLimit);
  // The other vector formats take such a file without failing either.
  test::TempDir dir;
  EXPECT_TRUE(ExportSvg(square.model(), square.settings, dir.File("huge.svg")));
  EXPECT_TRUE(ExportPdf(square.model(), square.settings, dir.File("huge.pdf")));
}

TEST(SvgExport, SizeIsTheExtentInMillimetres) {
  test::SquareDevelopment square;
  square.model().devScale = 1.5;  // the 10-unit square is 15 cm on paper
  test::TempDir dir;
  const std::string path = dir.File("square.svg");
  ASSERT_TRUE(ExportSvg(square.model(), square.settings, path));
  const QString svg = QString::fromStdString(test::ReadFile(path));
  const auto size =
      QRegularExpression(QStringLiteral("<svg[^>]*width=\"([\\d.]+)mm\" height=\"([\\d.]+)mm\"")).match(svg);
  ASSERT_TRUE(size.hasMatch()) << svg.left(400).toStdString();
  // The extent holds the part and the label's box.
  const DevelopmentBounds extent = DevelopmentBoundsOf(square.model());
  const double widthMm = extent.width * 15.0;
  const double heightMm = extent.height * 15.0;
  EXPECT_NEAR(size.captured(1).toDouble(), widthMm, 0.03);
  EXPECT_NEAR(size.captured(2).toDouble(), heightMm, 0.03);
  const auto box = QRegularExpression(QStringLiteral("viewBox=\"0 0 (\\d+) (\\d+)\"")).match(svg);
  ASSERT_TRUE(box.hasMatch());
  EXPECT_NEAR(box.captured(1).toDouble() * 25.4 / kSvgUnitsPerInch, size.captured(1).toDouble(), 0.001);
  EXPECT_EQ(svg.count(QStringLiteral("<svg")), 1);
  EXPECT_TRUE(svg.contains(QStringLiteral("Label A")));
}

TEST(PdfExport, OnePagePerListedSheetOnThePaperOfThePageType) {
  test::SquareDevelopment square;
  square.model().parts[0].offsetX = 15.0;  // the square now spans columns 0 and 1
  square.settings.iPageType = 6;           // B5 V, 182 x 257 mm
  square.settings.paperWidth = 18.2;
  square.settings.paperHeight = 25.7;
  test::TempDir dir;
  const std::string path = dir.File("square.pdf");
  ASSERT_TRUE(ExportPdf(square.model(), square.settings, path));
  const PdfPages pages = ReadPdfPages(path);
  ASSERT_EQ(pages.count, 2);
  ASSERT_EQ(pages.sizes.size(), 2u);
  // The PDF media box holds whole points (516 x 729 for 515.9 x 728.5).
  for (const QSizeF& size : pages.sizes) {
    EXPECT_NEAR(size.width(), 182.0 / 25.4 * 72.0, 0.5);
    EXPECT_NEAR(size.height(), 257.0 / 25.4 * 72.0, 0.5);
  }
}

TEST(PdfExport, AlignmentCrossesMeasureTrueLengthOnTheSheet) {
  test::SquareDevelopment square;
  square.model().parts[0].offsetX = 15.0;
  square.settings.bPrintTombo = true;
  square.settings.bPrintPageNumber = true;
  square.settings.dPageMarginSide = 2.5;
  square.settings.dPageMarginTop = 2.5;
  square.model().texts.clear();
  test::TempDir dir;
  const std::string path = dir.File("marks.pdf");
  ASSERT_TRUE(ExportPdf(square.model(), square.settings, path));
  const QImage page = RasterizePdfPage(path, 1, 254, dir.path());  // 100 px per cm
  ASSERT_FALSE(page.isNull());
  EXPECT_EQ(page.width(), 2100);
  // The arm of the top-left cross along y = 2.5 cm, x from 0.5 to 4.5 cm
  // (plus the round caps of the 5-unit pen, 0.1 mm).
  int first = -1, last = -1;
  for (int x = 0; x < 600; ++x) {
    if (qGray(page.pixel(x, 250)) < 128) {
      if (first < 0) first = x;
      last = x;
    }
  }
  EXPECT_NEAR(last - first + 1, 400 + 1, 2);
  EXPECT_NEAR((first + last) / 2.0, 250.0, 1.0);
}

}  // namespace
}  // namespace plicora

namespace plicora {
namespace {

std::vector<std::string> FolderListing(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

// A print-and-cut set replaces the sheets of an earlier run only as a
// whole: a disk that fills up in the second sheet, or a failing flush or
// rename, leaves every old sheet as it was and nothing else in the folder.
TEST(PrintAndCut, SheetSetReplacesTheOldOneWholeOrNotAtAll) {
  test::SquareDevelopment square;
  square.model().parts[0].offsetX = 15.0;  // two sheets side by side
  square.settings.dPageMarginSide = square.settings.dPageMarginTop = 1.5;
  for (const PrintAndCutFormat format : {PrintAndCutFormat::Pdf, PrintAndCutFormat::CutterSvg}) {
    test::TempDir scratch, dir;
    ASSERT_TRUE(ExportPrintAndCutPages(square.model(), square.settings, scratch.path(), "set", format));
    const std::uintmax_t first = std::filesystem::file_size(PrintAndCutPagePath(scratch.path(), "set", 1, format));
    const std::uintmax_t second = std::filesystem::file_size(PrintAndCutPagePath(scratch.path(), "set", 2, format));
    for (int n = 1; n <= 3; ++n) test::WriteFile(PrintAndCutPagePath(dir.path(), "set", n, format), "old");
    const std::vector<std::string> oldListing = FolderListing(dir.path());

    struct Failure {
      std::optional<std::uint64_t> space;
      std::optional<AtomicWriteStep> step;
    };
    for (const Failure& failure :
         {Failure{first + second / 2, std::nullopt}, Failure{first / 2, std::nullopt},
          Failure{std::nullopt, AtomicWriteStep::Sync}, Failure{std::nullopt, AtomicWriteStep::Rename}}) {
      CollectingMessageSink sink;
      ScopedMessageSink scoped(sink);
      SetAtomicWriteSpaceForTesting(failure.space);
      SetAtomicWriteFaultForTesting(failure.step);
      EXPECT_FALSE(ExportPrintAndCutPages(square.model(), square.settings, dir.path(), "set", format));
      SetAtomicWriteSpaceForTesting(std::nullopt);
      SetAtomicWriteFaultForTesting(std::nullopt);
      ASSERT_EQ(sink.messages.size(), 1u);
      EXPECT_EQ(sink.messages[0].rfind("Cannot write to file\n", 0), 0u) << sink.messages[0];
      EXPECT_EQ(FolderListing(dir.path()), oldListing);
      for (int n = 1; n <= 3; ++n) EXPECT_EQ(test::ReadFile(PrintAndCutPagePath(dir.path(), "set", n, format)), "old");
    }
    ASSERT_TRUE(ExportPrintAndCutPages(square.model(), square.settings, dir.path(), "set", format));
    // The new sheets (their sizes: a PDF's date may differ by a second).
    EXPECT_EQ(std::filesystem::file_size(PrintAndCutPagePath(dir.path(), "set", 1, format)), first);
    EXPECT_EQ(std::filesystem::file_size(PrintAndCutPagePath(dir.path(), "set", 2, format)), second);
  }
}

}  // namespace
}  // namespace plicora
