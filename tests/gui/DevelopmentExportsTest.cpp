// Exports from the window: the size dialog's linked boxes and its checks,
// the clipboard contents after both copies, and Save Development's choice of
// format by extension with nothing left behind when a write fails.

#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <filesystem>
#include <regex>

#include "GuiDocumentFixture.h"
#include "TestSupport.h"
#include "core/platform/AtomicFileWriter.h"
#include "gui/export/BitmapSizeDialog.h"
#include "gui/export/DevelopmentClipboard.h"
#include "gui/export/SaveDevelopment.h"
#include "render/export/CutterSvgExport.h"
#include "render/export/DevelopmentFileExport.h"
#include "render/export/DxfExport.h"
#include "render/export/MetafileExport.h"
#include "render/export/PdfExport.h"
#include "render/export/SvgExport.h"

namespace plicora {
namespace {

QLineEdit* Box(BitmapSizeDialog& dialog, const char* name) {
  return dialog.findChild<QLineEdit*>(name);
}

void Type(QLineEdit* box, const char* text) {
  box->selectAll();
  QTest::keyClicks(box, QString::fromLatin1(text));
}

std::string Boxes(BitmapSizeDialog& dialog) {
  return (Box(dialog, "width")->text() + "x" + Box(dialog, "height")->text() + "@" + Box(dialog, "scale")->text())
      .toStdString();
}

TEST(BitmapSizeDialogTest, TypingIntoOneBoxRecomputesTheOthers) {
  // 10 cm x 5 cm at 72 pixels per inch: 283 x 141 at 100 %.
  BitmapSizeDialog dialog({10.0, 5.0, 1.0}, 1024);
  EXPECT_EQ(Boxes(dialog), "283x141@100");
  Type(Box(dialog, "width"), "566");
  EXPECT_EQ(Boxes(dialog), "566x283@200");
  Type(Box(dialog, "scale"), "50");
  EXPECT_EQ(Boxes(dialog), "141x71@50");
  Type(Box(dialog, "height"), "100");
  EXPECT_EQ(Boxes(dialog), "200x100@71");
  Type(Box(dialog, "width"), "0");  // not positive: the others stay
  EXPECT_EQ(Boxes(dialog), "0x100@71");
}

TEST(BitmapSizeDialogTest, OkChecksTheSizeAndAsksBeforeALargePicture) {
  struct Case {
    int max;
    const char* width;
    const char* height;
    bool answer;
    const char* message;  // shown, or null
    bool asked;
    bool accepted;
  };
  const std::string range1024 = "Specify a value of 1 - 1024 for vertical and horizontal pixel number";
  const std::string range4096 = "Specify a value of 1 - 4096 for vertical and horizontal pixel number";
  const Case cases[] = {
      {1024, "0", "100", true, range1024.c_str(), false, false},
      {1024, "1025", "100", true, range1024.c_str(), false, false},
      {1024, "100", "1025", true, range1024.c_str(), false, false},
      {4096, "4097", "100", true, range4096.c_str(), false, false},
      {4096, "abc", "100", true, "Please enter an integer.", false, false},
      {4096, "2400", "2400", false, nullptr, true, false},  // 17 MB, answered No
      {4096, "2400", "2400", true, nullptr, true, true},
      {4096, "2300", "2300", true, nullptr, false, true},  // 15 MB: no question
      {1024, "1024", "512", true, nullptr, false, true},
  };
  for (const Case& c : cases) {
    test::FixedAnswerSink sink;
    sink.answer = c.answer;
    ScopedMessageSink scoped(sink);
    BitmapSizeDialog dialog({200.0, 50.0, 1.0}, c.max);
    Box(dialog, "width")->setText(QString::fromLatin1(c.width));
    Box(dialog, "height")->setText(QString::fromLatin1(c.height));
    dialog.accept();
    const std::string label = std::string(c.width) + "x" + c.height + " max " + std::to_string(c.max);
    EXPECT_EQ(sink.messages, c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{}) << label;
    EXPECT_EQ(sink.questions.size(), c.asked ? 1u : 0u) << label;
    EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted) << label;
    if (c.accepted) {
      EXPECT_EQ(std::to_string(dialog.size().width), c.width) << label;
    }
  }
  test::FixedAnswerSink sink;
  ScopedMessageSink scoped(sink);
  BitmapSizeDialog dialog({200.0, 50.0, 1.0}, 4096);
  Box(dialog, "width")->setText(QStringLiteral("2400"));
  Box(dialog, "height")->setText(QStringLiteral("2400"));
  dialog.accept();
  ASSERT_EQ(sink.questions.size(), 1u);
  EXPECT_EQ(sink.questions[0],
            "The BMP file size will be about 17 MB.\nIt may not be saved correctly in Windows98/ME. Continue?");
}

class DevelopmentExportsTest : public test::GuiDocumentFixture {
 protected:
  void SetUp() override {
    Open("labels_arial_ascii.plc");
    questions.bitmapSize = [this](const BitmapExtent& extent, int max,
                                  const char* format) -> std::optional<BitmapSize> {
      askedMax = max;
      askedFormats.push_back(format);
      if (!acceptSize) return std::nullopt;
      return EditBitmapWidth(extent, ProposeBitmapSize(extent, max), 200);
    };
    questions.epsOptions = [this](const std::string& notice, EpsOptions& options) {
      epsNotice = notice;
      options.dontFillSurfaces = true;
      return true;
    };
    context.questions = questions;
    context.epsOptions = &epsOptions;
    context.cancelPaneMode = services.cancelPaneMode;
  }
  std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  ExportQuestions questions;
  SaveDevelopmentContext context;
  EpsOptions epsOptions;
  bool acceptSize = true;
  int askedMax = 0;
  std::vector<std::string> askedFormats;  ///< the size dialog is titled after them
  std::string epsNotice;
  test::TempDir dir;
};

TEST_F(DevelopmentExportsTest, ClipboardOffersThePictureAndTheMetafileInTheirFormats) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  doc.shell().developmentEditMode = kCheckCorrespondingSurfaceMode;

  acceptSize = false;  // cancelled: nothing happens
  EXPECT_FALSE(CopyBitmapToClipboard(model(), settings, questions, services.cancelPaneMode));
  const QMimeData* untouched = clipboard->mimeData();
  EXPECT_TRUE(!untouched || !untouched->hasFormat(QStringLiteral("image/png")));
  EXPECT_EQ(doc.shell().developmentEditMode, kCheckCorrespondingSurfaceMode);

  acceptSize = true;
  ASSERT_TRUE(CopyBitmapToClipboard(model(), settings, questions, services.cancelPaneMode));
  EXPECT_EQ(askedMax, 1024);
  EXPECT_EQ(doc.shell().developmentEditMode, 0);  // the raster render cancels the pane's mode
  const QMimeData* data = clipboard->mimeData();
  ASSERT_TRUE(data->hasImage());
  const QImage png = QImage::fromData(data->data(QStringLiteral("image/png")), "PNG");
  const QImage bmp = QImage::fromData(data->data(QStringLiteral("image/bmp")), "BMP");
  EXPECT_EQ(png.width(), 200);
  EXPECT_GT(png.height(), 0);
  EXPECT_EQ(bmp.size(), png.size());
  EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).size(), png.size());

  ASSERT_TRUE(CopyMetafileToClipboard(model(), settings));
  data = clipboard->mimeData();
  const QByteArray emf = data->data(QStringLiteral("image/x-emf"));
  ASSERT_GT(emf.size(), 44);
  EXPECT_EQ(emf[0], 1);  // the header record
  EXPECT_EQ(emf.mid(40, 4), QByteArray(" EMF"));
  EXPECT_TRUE(data->data(QStringLiteral("image/svg+xml")).contains("<svg"));
  EXPECT_FALSE(data->hasFormat(QStringLiteral("image/png")));
  EXPECT_TRUE(sink.messages.empty());
}

TEST_F(DevelopmentExportsTest, SaveDevelopmentWritesTheFormatItsExtensionNames) {
  struct Case {
    const char* name;
    const char* start;  // the file's first bytes, or null for no file
  };
  const Case cases[] = {
      {"a.bmp", "BM"},         {"b.BMP", "BM"},          {"c.png", "\x89PNG"}, {"d.eps", "%!PS-Adobe-3.0 EPSF-3.0\n"},
      {"e.EPS", "%!PS-Adobe"}, {"f.emf", "\x01"},        {"g.svg", "<?xml"},   {"h.pdf", "%PDF"},
      {"i.jpg", nullptr},      {"noextension", nullptr}, {"j.dxf", "999\n"},
  };
  for (const Case& c : cases) {
    sink.messages.clear();
    const std::string path = dir.File(c.name);
    const bool saved = SaveDevelopmentAs(path, model(), settings, context);
    EXPECT_EQ(saved, c.start != nullptr) << c.name;
    if (c.start) {
      EXPECT_EQ(test::ReadFile(path).rfind(c.start, 0), 0u) << c.name;
      EXPECT_TRUE(sink.messages.empty()) << c.name;
    } else {
      EXPECT_FALSE(std::filesystem::exists(path)) << c.name;
      EXPECT_EQ(sink.messages, std::vector<std::string>{"Specified file format is not supported"}) << c.name;
    }
  }
  EXPECT_EQ(askedMax, 4096);
  EXPECT_EQ(askedFormats, (std::vector<std::string>{"BMP", "BMP", "PNG"}));
  EXPECT_EQ(epsNotice, "* Text output is not supported");
  EXPECT_TRUE(epsOptions.dontFillSurfaces);  // kept for the next save
  // Only the written files: no temporary file stays behind.
  EXPECT_EQ(FilesIn(dir.path()).size(), 9u);

  // The cutter SVG's filter writes the SVG with the cutting layers.
  SaveDevelopmentContext cutter = context;
  cutter.cutterSvg = true;
  ASSERT_TRUE(SaveDevelopmentAs(dir.File("k.svg"), model(), settings, cutter));
  EXPECT_NE(test::ReadFile(dir.File("k.svg")).find("inkscape:label=\"CUT\""), std::string::npos);
}

TEST_F(DevelopmentExportsTest, FailedSaveShowsItsMessageAndLeavesNoFile) {
  // The program's text, the path and the reason, then what the picture
  // exports add.
  struct Case {
    const char* name;
    const char* text;
    std::vector<std::string> more;
  };
  const Case cases[] = {
      {"a.bmp", "write error", {"Failed to create BMP"}},
      {"b.png", "write error", {"Failed to create PNG"}},
      {"c.eps", "Cannot write to file", {}},
      {"d.emf", "Cannot write to file", {}},
      {"e.pdf", "Cannot write to file", {}},
  };
  // A folder that does not exist, and one without write permission (which
  // only holds for a user without the power to ignore permissions).
  const std::string locked = dir.File("locked");
  std::filesystem::create_directory(locked);
  chmod(locked.c_str(), 0555);
  std::vector<std::pair<std::string, std::string>> folders = {{dir.File("missing"), "No such file or directory"}};
  if (geteuid() != 0) folders.emplace_back(locked, "Permission denied");
  for (const auto& [folder, reason] : folders) {
    for (const Case& c : cases) {
      sink.messages.clear();
      const std::string path = folder + "/" + c.name;
      EXPECT_FALSE(SaveDevelopmentAs(path, model(), settings, context)) << c.name;
      std::vector<std::string> expected = {std::string(c.text) + "\n" + path + ": " + reason};
      expected.insert(expected.end(), c.more.begin(), c.more.end());
      EXPECT_EQ(sink.messages, expected) << folder << " " << c.name;
    }
  }
  EXPECT_TRUE(FilesIn(locked).empty());
  chmod(locked.c_str(), 0755);

  // A write that fails at its very end leaves an existing file as it was.
  const std::string existing = test::WriteFile(dir.File("old.svg"), "old");
  SetAtomicWriteFaultForTesting(AtomicWriteStep::Rename);
  sink.messages.clear();
  EXPECT_FALSE(SaveDevelopmentAs(existing, model(), settings, context));
  SetAtomicWriteFaultForTesting(std::nullopt);
  EXPECT_EQ(sink.messages, std::vector<std::string>{"Cannot write to file\n" + existing + ": Input/output error"});
  EXPECT_EQ(test::ReadFile(existing), "old");
  EXPECT_EQ(FilesIn(dir.path()), (std::vector<std::string>{"locked", "old.svg"}));
}

// A long save or copy can be stopped: the stopped one leaves no file (nor a
// temporary one) and the clipboard as it was, says nothing, and stops the
// drawing at once; one that runs to its end writes the same bytes as
// without a progress window.
TEST_F(DevelopmentExportsTest, StoppedSaveOrCopyLeavesNothing) {
  Open("cow_materials.plc");  // enough faces for several ticks
  using Export = std::function<bool(const std::string&, const WorkTick*)>;
  const auto picture = [&](DevelopmentFileFormat format) {
    return [&, format](const std::string& p, const WorkTick* t) {
      DevelopmentExport request;
      request.format = format;
      request.path = p;
      request.pictureSize = {600, 400};
      request.tick = t;
      return WriteDevelopmentFile(model(), settings, request);
    };
  };
  const std::pair<const char*, Export> formats[] = {
      {"pdf", [&](const std::string& p, const WorkTick* t) { return ExportPdf(model(), settings, p, t); }},
      {"emf", [&](const std::string& p, const WorkTick* t) { return ExportMetafile(model(), settings, p, 96.0, t); }},
      {"svg", [&](const std::string& p, const WorkTick* t) { return ExportSvg(model(), settings, p, t); }},
      {"bmp", picture(DevelopmentFileFormat::Bmp)},
      {"png", picture(DevelopmentFileFormat::Png)},
      {"dxf", [&](const std::string& p, const WorkTick* t) { return ExportDxf(model(), settings, p, t); }},
      {"cut.svg", [&](const std::string& p, const WorkTick* t) { return ExportCutterSvg(model(), settings, p, t); }},
  };
  for (const auto& [ext, write] : formats) {
    int ticks = 0;
    const WorkTick stopSecond = [&ticks] { return ++ticks < 2; };
    EXPECT_FALSE(write(dir.File(std::string("stopped.") + ext), &stopSecond)) << ext;
    EXPECT_EQ(ticks, 2) << ext;
    EXPECT_TRUE(FilesIn(dir.File("")).empty()) << ext;
    const WorkTick goOn = [] { return true; };
    ASSERT_TRUE(write(dir.File(std::string("ticked.") + ext), &goOn)) << ext;
    ASSERT_TRUE(write(dir.File(std::string("plain.") + ext), nullptr)) << ext;
    // The same bytes, but for the clock time a PDF file records.
    auto bytes = [&](const char* name) {
      const std::string text = test::ReadFile(dir.File(std::string(name) + "." + ext));
      return std::regex_replace(text, std::regex("/CreationDate \\(D:[0-9Z+']*\\)"), "");
    };
    EXPECT_EQ(bytes("ticked"), bytes("plain")) << ext;
    for (const std::string& name : FilesIn(dir.File(""))) std::filesystem::remove(dir.File(name));
  }
  QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
  int ticks = 0;
  const WorkTick stopThird = [&ticks] { return ++ticks < 3; };
  EXPECT_FALSE(CopyMetafileToClipboard(model(), settings, &stopThird));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
  ticks = 0;
  EXPECT_FALSE(CopyPictureToClipboard(model(), settings, {600, 400}, {}, &stopThird));
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
  EXPECT_TRUE(sink.messages.empty());
}

}  // namespace
}  // namespace plicora
