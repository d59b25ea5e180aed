// Printing from the window: the pages a print chooses (page range, pages
// without development left out), a print to a PDF file matching the batch
// PDF export page for page, the page range the print dialog offers, and the
// preview drawing every listed page as raster pictures.

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QStringList>
#include <QTest>
#include <cstdlib>
#include <filesystem>

#include "GuiDocumentFixture.h"
#include "TestSupport.h"
#include "gui/app/MainFrame.h"
#include "gui/app/PrintCommands.h"
#include "gui/commands/CommandIds.h"
#include "gui/commands/CommandRegistry.h"
#include "gui/development/DevelopmentPrinting.h"
#include "gui/development/PrintJob.h"
#include "gui/export/BitmapSizeDialog.h"
#include "render/development/PrintPage.h"
#include "render/export/PdfExport.h"

namespace plicora {
namespace {

/// The pdfinfo lines "Pages:" and "Page size:" of a PDF file.
struct PdfFacts {
  int pages = 0;
  std::string pageSize;
};

PdfFacts ReadPdfFacts(const std::string& path) {
  QProcess info;
  info.start(QStringLiteral("pdfinfo"), {QString::fromStdString(path)});
  info.waitForFinished();
  PdfFacts facts;
  for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split(QLatin1Char('\n'))) {
    if (line.startsWith(QLatin1String("Pages:"))) facts.pages = line.mid(6).trimmed().toInt();
    if (line.startsWith(QLatin1String("Page size:"))) facts.pageSize = line.mid(10).trimmed().toStdString();
  }
  return facts;
}

/// Page `page` (from 1) of a PDF file as a grey picture at 20 dots per inch.
QImage RasterisePdfPage(const std::string& path, int page, const std::string& prefix) {
  QProcess run;
  run.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-gray"), QStringLiteral("-r"), QStringLiteral("20"), QStringLiteral("-f"),
             QString::number(page), QStringLiteral("-l"), QString::number(page), QStringLiteral("-singlefile"),
             QString::fromStdString(path), QString::fromStdString(prefix)});
  run.waitForFinished();
  return QImage(QString::fromStdString(prefix + ".pgm"));
}

/// Mean grey difference of two pictures of the same size (255 for sizes
/// that differ).
double MeanDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size() || a.isNull()) return 255.0;
  double sum = 0.0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) sum += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
  return sum / (a.width() * a.height());
}

int DarkPixels(const QImage& image) {
  int dark = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 128;
  return dark;
}

class PrintCommandsTest : public test::GuiDocumentFixture {
 protected:
  void SetUp() override { Open("sphere_multipage_a4.plc"); }
  /// A PDF file printer with the document's paper and all pages.
  void PrintToPdf(DevelopmentPrinting& printing, const std::string& path) {
    printing.printer().setOutputFormat(QPrinter::PdfFormat);
    printing.printer().setOutputFileName(QString::fromStdString(path));
  }
  test::TempDir dir;
};

TEST_F(PrintCommandsTest, PageRangeAndOmittedPagesChooseThePrintedSheets) {
  struct Case {
    bool omitEmpty;
    int from, to;  // 0, 0: all pages
    int expectedPages;
  };
  // The sphere's 4 x 3 grid holds development on 10 of its 12 pages.
  const Case cases[] = {
      {true, 0, 0, 10}, {false, 0, 0, 12}, {true, 2, 4, 3}, {true, 9, 15, 2}, {false, 12, 12, 1},
  };
  for (const Case& c : cases) {
    settings.bPrintOmitPage = c.omitEmpty;
    DevelopmentPrinting printing(doc, nullptr, services.cancelPaneMode);
    const std::string out = dir.File("range.pdf");
    PrintToPdf(printing, out);
    const int count = printing.PreparePrinting();
    EXPECT_EQ(count, c.omitEmpty ? 10 : 12);
    if (c.from > 0) {
      printing.printer().setPrintRange(QPrinter::PageRange);
      printing.printer().setFromTo(c.from, c.to);
    }
    ASSERT_EQ(printing.PrintPages(printing.printer(), false, false), PrintOutcome::Printed);
    EXPECT_EQ(ReadPdfFacts(out).pages, c.expectedPages) << c.omitEmpty << " " << c.from << "-" << c.to;
  }
  // A PDF file that cannot be written: nothing starts, and the user is told.
  {
    DevelopmentPrinting printing(doc, nullptr, services.cancelPaneMode);
    PrintToPdf(printing, dir.File("missing/out.pdf"));
    printing.PreparePrinting();
    EXPECT_EQ(printing.PrintPages(printing.printer(), false, false), PrintOutcome::NotStarted);
    EXPECT_EQ(sink.messages, std::vector<std::string>{"Cannot write to file"});
  }
  // The progress can stop a run between sheets.
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(dir.File("cancelled.pdf")));
  PrintRun run;
  run.sheets = {1, 2, 3, 4};
  std::vector<int> seen;
  run.progress = [&seen](int done) {
    seen.push_back(done);
    return done < 2;
  };
  EXPECT_EQ(PrintDevelopmentPages(printer, model(), settings, doc.pages(), run), PrintOutcome::Cancelled);
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
}

// A print reaches its file only when it is finished: a cancel, between
// sheets or in the middle of a large sheet, leaves no file (nor a half-made
// one beside it) and stops the drawing at once, whether the sheets are drawn
// as vectors or as pictures; a finished run reports every sheet done.
TEST_F(PrintCommandsTest, CancelledPrintSendsNothingToThePrinter) {
  Open("cow_materials.plc");  // 5804 faces on 2 sheets: many ticks a sheet
  BuildPageList(&model(), settings, doc.pages());
  struct Case {
    int stopAtSheet;  // progress answers false when this many sheets are done (-1: never)
    int stopAtTick;   // the tick answers false at its n-th call (-1: never)
    bool raster;      // the sheets are printed as pictures
  };
  const Case cases[] = {{-1, -1, false}, {1, -1, false}, {-1, 3, false}, {-1, 1, false}, {-1, -1, true}, {-1, 3, true}};
  for (const Case& c : cases) {
    settings.bPrintRaster = c.raster;
    const std::string out = dir.File("job.pdf");
    std::filesystem::remove(out);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(out));
    PrintRun run;
    run.sheets = {1, 2};
    int lastDone = -1, ticks = 0, ticksAfterStop = 0;
    run.progress = [&](int done) {
      lastDone = done;
      return done != c.stopAtSheet;
    };
    run.tick = [&] {
      ++ticks;
      if (c.stopAtTick > 0 && ticks > c.stopAtTick) ++ticksAfterStop;
      return ticks != c.stopAtTick && ticksAfterStop == 0;
    };
    const PrintOutcome outcome = PrintDevelopmentPages(printer, model(), settings, doc.pages(), run);
    const bool cancelled = c.stopAtSheet >= 0 || c.stopAtTick >= 0;
    EXPECT_EQ(outcome, cancelled ? PrintOutcome::Cancelled : PrintOutcome::Printed)
        << c.stopAtSheet << c.stopAtTick << c.raster;
    EXPECT_EQ(std::filesystem::exists(out), !cancelled) << c.stopAtSheet << " " << c.stopAtTick;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("")), {}), cancelled ? 0 : 1);
    EXPECT_EQ(ticksAfterStop, 0);
    if (c.stopAtTick > 0) {
      EXPECT_EQ(ticks, c.stopAtTick);  // no drawing went on after the stop
    }
    if (!cancelled) {
      EXPECT_EQ(lastDone, 2);            // the progress reached its end
      EXPECT_GT(ticks, 20) << c.raster;  // and heard from the drawing within each sheet
      EXPECT_EQ(ReadPdfFacts(out).pages, 2);
    }
    EXPECT_EQ(printer.outputFileName(), QString::fromStdString(out));  // the printer keeps its file
  }
}

// A preview whose drawing is stopped keeps the sheets it drew, and they can
// still be painted (the preview must not lose them while showing them).
TEST_F(PrintCommandsTest, CancelledPreviewKeepsTheSheetsItDrew) {
  Open("cow_materials.plc");
  BuildPageList(&model(), settings, doc.pages());
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewWidget preview(&printer);
  PrintOutcome outcome = PrintOutcome::Printed;
  QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, [&](QPrinter* device) {
    PrintRun run;
    run.preview = true;
    run.sheets = {1, 2};
    run.progress = [](int done) { return done < 1; };
    outcome = PrintDevelopmentPages(*device, model(), settings, doc.pages(), run);
  });
  preview.resize(400, 500);
  preview.updatePreview();
  EXPECT_EQ(outcome, PrintOutcome::Cancelled);
  EXPECT_EQ(preview.pageCount(), 1);
  const QImage shown = preview.grab().toImage();
  int dark = 0;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x) dark += qGray(shown.pixel(x, y)) < 96;
  EXPECT_GT(dark, 50);  // the first sheet's lines
}

// A print dialog always opens on all pages of the development, whatever
// range the last print used.
TEST_F(PrintCommandsTest, EveryPrintDialogOffersAllPages) {
  DevelopmentPrinting printing(doc, nullptr, services.cancelPaneMode);
  printing.printer().setPrintRange(QPrinter::PageRange);  // as a print of page 1 left it
  printing.printer().setFromTo(1, 1);
  for (int run = 0; run < 2; ++run) {
    QPrinter::PrintRange range = QPrinter::PageRange;
    int from = -1, to = -1;
    test::OnNextDialog<QPrintDialog>([&](QPrintDialog* dialog) {
      range = dialog->printer()->printRange();
      from = dialog->fromPage();
      to = dialog->toPage();
      dialog->printer()->setPrintRange(QPrinter::PageRange);
      dialog->printer()->setFromTo(2, 2);
    });
    printing.Print();
    EXPECT_EQ(range, QPrinter::AllPages) << run;
    EXPECT_EQ(from, 1) << run;
    EXPECT_EQ(to, 10) << run;
  }
}

// The paper picked in Printer Setup is the paper of the next print and of
// the next Printer Setup, while the development's own paper stays the same.
TEST_F(PrintCommandsTest, PaperChosenInPrinterSetupReachesThePrint) {
  auto pickLetter = [](QPageSetupDialog* dialog) {
    bool picked = false;
    for (QComboBox* box : dialog->findChildren<QComboBox*>())
      for (int i = 0; i < box->count(); ++i)
        if (box->itemData(i).value<QPageSize>().isEquivalentTo(QPageSize(QPageSize::Letter))) {
          box->setCurrentIndex(i);
          picked = true;
        }
    return picked;
  };
  // A PDF file, and the print queue named for the queue test (whose own
  // paper names made the dialog fall back to its first paper).
  const char* queue = std::getenv("PLICORA_TEST_PRINT_QUEUE");
  for (const bool toQueue : {false, queue != nullptr}) {
    DevelopmentPrinting printing(doc, nullptr, services.cancelPaneMode);
    const std::string out = dir.File("letter.pdf");
    if (toQueue) {
      printing.printer().setPrinterName(QString::fromLocal8Bit(queue));
    } else {
      PrintToPdf(printing, out);
    }
    bool picked = false;
    test::OnNextDialog<QPageSetupDialog>([&](QPageSetupDialog* dialog) { picked = pickLetter(dialog); },
                                         QDialog::Accepted);
    printing.PrinterSetup();
    ASSERT_TRUE(picked);
    EXPECT_TRUE(printing.printer().pageLayout().pageSize().isEquivalentTo(QPageSize(QPageSize::Letter))) << toQueue;
    // The next Printer Setup shows it and keeps it.
    test::OnNextDialog<QPageSetupDialog>([](QPageSetupDialog*) {}, QDialog::Accepted);
    printing.PrinterSetup();
    EXPECT_TRUE(printing.printer().pageLayout().pageSize().isEquivalentTo(QPageSize(QPageSize::Letter))) << toQueue;
    printing.PreparePrinting();
    EXPECT_TRUE(printing.printer().pageLayout().pageSize().isEquivalentTo(QPageSize(QPageSize::Letter))) << toQueue;
    if (toQueue) break;
    ASSERT_EQ(printing.PrintPages(printing.printer(), false, false), PrintOutcome::Printed);
    EXPECT_EQ(ReadPdfFacts(out).pageSize, "612 x 792 pts (letter)");
  }
}

// The preview shows its sheets small: at the preview's opening zoom (about
// 39 % of a 96 dpi screen) the page's lines must still be there, as many
// line pixels as the printed page shows at that size.
TEST_F(PrintCommandsTest, PreviewAtLowZoomKeepsTheLines) {
  BuildPageList(&model(), settings, doc.pages());
  settings.bPrintRaster = false;
  const double scale = 0.39 * 96.0 / 1200.0;
  auto darkAtLowZoom = [&](bool preview) {
    PrintDevice device;
    device.dpiX = device.dpiY = 1200.0;
    device.physicalWidth = 21.0 / 2.54 * 1200.0;
    device.physicalHeight = 29.7 / 2.54 * 1200.0;
    device.preview = preview;
    QImage image(static_cast<int>(device.physicalWidth * scale), static_cast<int>(device.physicalHeight * scale),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    EXPECT_TRUE(PrintOnePage(painter, model(), settings, doc.pages(), 6, device));
    painter.end();
    return DarkPixels(image);
  };
  const int printed = darkAtLowZoom(false);
  EXPECT_GT(printed, 200);
  EXPECT_GT(darkAtLowZoom(true), printed * 9 / 10);
}

TEST_F(PrintCommandsTest, PrintToPdfFileMatchesTheBatchPdfExport) {
  struct Case {
    const char* file;
    int pages;
    std::vector<int> compared;
  };
  // A4 upright over a 4 x 3 grid, and one landscape B4 sheet.
  const Case cases[] = {{"sphere_multipage_a4.plc", 10, {1, 6, 10}}, {"info_all_keys_changed.plc", 1, {1}}};
  for (const Case& c : cases) {
    Open(c.file);
    doc.shell().developmentEditMode = kCheckCorrespondingSurfaceMode;
    DevelopmentPrinting printing(doc, nullptr, services.cancelPaneMode);
    const std::string printed = dir.File("printed.pdf");
    const std::string exported = dir.File("exported.pdf");
    PrintToPdf(printing, printed);
    printing.PreparePrinting();
    ASSERT_EQ(printing.PrintPages(printing.printer(), false, false), PrintOutcome::Printed);
    ASSERT_TRUE(ExportPdf(model(), settings, exported));

    const PdfFacts a = ReadPdfFacts(printed), b = ReadPdfFacts(exported);
    EXPECT_EQ(a.pages, c.pages) << c.file;
    EXPECT_EQ(a.pages, b.pages) << c.file;
    EXPECT_EQ(a.pageSize, b.pageSize) << c.file;
    for (int page : c.compared) {
      const QImage p = RasterisePdfPage(printed, page, dir.File("p"));
      const QImage e = RasterisePdfPage(exported, page, dir.File("e"));
      EXPECT_LT(MeanDifference(p, e), 2.0) << c.file << " page " << page;
      EXPECT_GT(DarkPixels(p), 20) << c.file << " page " << page;
    }
    // Vector printing without textures renders no raster and keeps the mode.
    EXPECT_EQ(doc.shell().developmentEditMode, kCheckCorrespondingSurfaceMode) << c.file;
    EXPECT_EQ(paneModeCancels, 0) << c.file;
  }
}

// A real queue, when the machine has one that writes PDF files (CUPS with
// cups-pdf): PLICORA_TEST_PRINT_QUEUE names it, PLICORA_TEST_PRINT_OUTPUT is
// the folder its files appear in.
TEST_F(PrintCommandsTest, PrintThroughASystemQueue) {
  const char* queue = std::getenv("PLICORA_TEST_PRINT_QUEUE");
  const char* output = std::getenv("PLICORA_TEST_PRINT_OUTPUT");
  if (!queue || !output) GTEST_SKIP() << "no print queue named";
  namespace fs = std::filesystem;
  auto pdfs = [output] {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(output))
      if (entry.path().extension() == ".pdf") files.push_back(entry.path());
    return files;
  };
  const std::vector<std::string> before = pdfs();
  DevelopmentPrinting printing(doc, nullptr, services.cancelPaneMode);
  printing.printer().setPrinterName(QString::fromLocal8Bit(queue));
  ASSERT_EQ(printing.printer().outputFormat(), QPrinter::NativeFormat);
  printing.PreparePrinting();
  ASSERT_EQ(printing.PrintPages(printing.printer(), false, false), PrintOutcome::Printed);
  std::vector<std::string> after;
  for (int wait = 0; wait < 300 && after.size() <= before.size(); ++wait) {
    QTest::qWait(100);
    after = pdfs();
  }
  ASSERT_GT(after.size(), before.size());
  std::string printed;
  for (const std::string& file : after)
    if (std::find(before.begin(), before.end(), file) == before.end()) printed = file;
  QTest::qWait(500);  // the queue may still be closing the file
  const std::string exported = dir.File("exported.pdf");
  ASSERT_TRUE(ExportPdf(model(), settings, exported));
  EXPECT_EQ(ReadPdfFacts(printed).pages, 10);
  EXPECT_EQ(ReadPdfFacts(printed).pageSize, ReadPdfFacts(exported).pageSize);
  const QImage p = RasterisePdfPage(printed, 6, dir.File("p"));
  const QImage e = RasterisePdfPage(exported, 6, dir.File("e"));
  EXPECT_LT(MeanDifference(p, e), 4.0);
}

TEST_F(PrintCommandsTest, PrintDialogOffersThePageCount) {
  CommandRegistry registry;
  RegisterPrintCommands(registry, services);
  for (bool omitEmpty : {true, false}) {
    settings.bPrintOmitPage = omitEmpty;
    int minPage = -1, maxPage = -1;
    test::OnNextDialog<QPrintDialog>([&](QPrintDialog* dialog) {
      minPage = dialog->minPage();
      maxPage = dialog->maxPage();
    });
    EXPECT_TRUE(registry.Run(ID_FILE_PRINT, CommandStateOf(doc)));
    EXPECT_EQ(minPage, 1);
    EXPECT_EQ(maxPage, omitEmpty ? 10 : 12);
  }
}

TEST_F(PrintCommandsTest, PreviewShowsEveryListedPageAsRaster) {
  CommandRegistry registry;
  RegisterPrintCommands(registry, services);
  doc.shell().developmentEditMode = kCheckCorrespondingSurfaceMode;
  settings.bPrintRaster = false;
  int pages = -1;
  test::OnNextDialog<QPrintPreviewDialog>([&](QPrintPreviewDialog* dialog) {
    if (auto* preview = dialog->findChild<QPrintPreviewWidget*>()) pages = preview->pageCount();
  });
  EXPECT_TRUE(registry.Run(ID_FILE_PRINT_PREVIEW, CommandStateOf(doc)));
  EXPECT_EQ(pages, 10);
  // The previewed pages went through the raster renderer, which cancels the
  // pane's mode (the pane is told once per run).
  EXPECT_GE(paneModeCancels, 1);
  EXPECT_EQ(doc.shell().developmentEditMode, 0);
  EXPECT_TRUE(sink.messages.empty());
}

TEST_F(PrintCommandsTest, CommandsNeedADevelopmentExceptPrinterSetup) {
  CommandRegistry registry;
  RegisterPrintCommands(registry, services);
  doc.CloseDocument();
  for (int id :
       {ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_COPY_DEVELOPMENT_BMP, ID_COPY_DEVELOPMENT_EMF, ID_SAVE_DEVELOPMENT})
    EXPECT_FALSE(registry.IsEnabled(id, CommandStateOf(doc))) << id;
  EXPECT_TRUE(registry.IsEnabled(ID_FILE_PRINT_SETUP, CommandStateOf(doc)));
}

// A development with nothing on it: printing, preview, both copies and
// Save Development say so (no dialog opens, nothing is printed).
TEST_F(PrintCommandsTest, EmptyDevelopmentIsRefusedWithTheNoDevelopmentMessage) {
  Open("parts_before_solids.plc");
  CommandRegistry registry;
  RegisterPrintCommands(registry, services);
  for (int id :
       {ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_COPY_DEVELOPMENT_BMP, ID_COPY_DEVELOPMENT_EMF, ID_SAVE_DEVELOPMENT}) {
    sink.messages.clear();
    EXPECT_TRUE(registry.Run(id, CommandStateOf(doc))) << id;
    EXPECT_EQ(sink.messages, std::vector<std::string>{"This file doesn't have developed pattern."}) << id;
  }
}

TEST(WindowPrintCommandsTest, CtrlPAndTheMenuItemsReachTheCommands) {
  test::TempDir dir;
  Settings settings;
  CVorlanDoc doc(settings);
  test::FixedAnswerSink sink;
  ScopedMessageSink scoped(sink);
  CMainFrame frame(doc, dir.File("profile.ini"));
  frame.resize(900, 600);
  frame.show();
  frame.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
  ASSERT_TRUE(frame.OpenWorkFile(test::FixturePath("sphere_multipage_a4.plc")));
  QApplication::processEvents();  // the event loop runs once before a user's next key

  int maxPage = -1;
  test::OnNextDialog<QPrintDialog>([&](QPrintDialog* dialog) { maxPage = dialog->maxPage(); });
  QTest::keyClick(&frame, Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(maxPage, 10);

  auto trigger = [&frame](int id) {
    QAction* act = frame.findChild<QAction*>(QStringLiteral("command%1").arg(id));
    ASSERT_TRUE(act) << id;
    EXPECT_TRUE(act->isEnabled()) << id;
    act->trigger();
  };
  int previewPages = -1;
  test::OnNextDialog<QPrintPreviewDialog>([&](QPrintPreviewDialog* dialog) {
    if (auto* preview = dialog->findChild<QPrintPreviewWidget*>()) previewPages = preview->pageCount();
  });
  trigger(ID_FILE_PRINT_PREVIEW);
  EXPECT_EQ(previewPages, 10);

  bool setupShown = false;
  test::OnNextDialog<QPageSetupDialog>([&](QPageSetupDialog*) { setupShown = true; });
  trigger(ID_FILE_PRINT_SETUP);
  EXPECT_TRUE(setupShown);

  QString proposedWidth;
  test::OnNextDialog<BitmapSizeDialog>([&](BitmapSizeDialog* dialog) {
    proposedWidth = dialog->findChild<QLineEdit*>(QStringLiteral("width"))->text();
  });
  trigger(ID_COPY_DEVELOPMENT_BMP);
  EXPECT_FALSE(proposedWidth.isEmpty());

  QStringList offered;
  test::OnNextDialog<QFileDialog>([&](QFileDialog* dialog) { offered = dialog->nameFilters(); });
  trigger(ID_SAVE_DEVELOPMENT);
  ASSERT_EQ(offered.size(), 8);  // the two cut files for cutting machines last
  EXPECT_EQ(offered[6], QStringLiteral("DXF for Cutting Machines (*.dxf)"));
  EXPECT_EQ(offered[7], QStringLiteral("SVG for Cutting Machines (*.svg)"));

  trigger(ID_COPY_DEVELOPMENT_EMF);
  EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("image/x-emf")));
  EXPECT_TRUE(sink.messages.empty());
}

TEST(PrintJob, PrinterDeviceKnowsItsUnprintableBorder) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setResolution(1200);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
  const PrintDevice device = MakePrintDevice(printer, true);
  EXPECT_EQ(device.dpiX, 1200.0);
  // Qt keeps page geometry in whole points (1200 / 72 units).
  const double point = 1200.0 / 72.0;
  EXPECT_NEAR(device.offsetX, 10.0 / 25.4 * 1200.0, point);
  EXPECT_NEAR(device.offsetY, 10.0 / 25.4 * 1200.0, point);
  EXPECT_NEAR(device.physicalWidth, 210.0 / 25.4 * 1200.0, point);
  EXPECT_NEAR(device.physicalHeight, 297.0 / 25.4 * 1200.0, point);
  EXPECT_TRUE(device.preview);
  printer.setFullPage(true);
  EXPECT_EQ(MakePrintDevice(printer, false).offsetX, 0.0);
}

}  // namespace
}  // namespace plicora
