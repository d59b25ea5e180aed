#include "gui/development/DevelopmentPrinting.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QPageSetupDialog>
#include <QPaintEngine>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QScreen>
#include <memory>

#include "core/development/DevelopmentGeometry.h"
#include "core/export/ExportFile.h"
#include "core/platform/MessageSink.h"
#include "gui/platform/WorkProgress.h"

namespace plicora {
namespace {

/// From this many faces on a print shows its progress from the start.
constexpr int kLargeDevelopmentFaces = 50000;

/// The preview window draws its pages through a recording paint engine;
/// its own Print button sends the same request with a real printer.
bool IsPreviewDevice(QPrinter* printer) {
  return printer->paintEngine() && printer->paintEngine()->type() == QPaintEngine::Picture;
}

/// Qt's page setup dialog opens on a print queue's first paper instead of
/// the printer's own when the queue names its papers differently from Qt
/// (ANSI A for Letter), and OK then gives the printer that paper: the
/// dialog's paper list is set to the printer's paper before it shows.
void ShowPrinterPaper(QPageSetupDialog& dialog, const QPrinter& printer) {
  auto* papers = dialog.findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
  if (!papers) return;
  const QPageSize paper = printer.pageLayout().pageSize();
  for (int i = 0; i < papers->count(); ++i) {
    if (papers->itemData(i).value<QPageSize>().isEquivalentTo(paper)) {
      papers->setCurrentIndex(i);
      return;
    }
  }
}

/// A print that did not start says why: a PDF file that cannot be written,
/// or a printer that refused the job.
void ReportNotStarted(const QPrinter& printer) {
  ShowMessage(
      printer.outputFormat() == QPrinter::PdfFormat ? std::string(kCannotWriteToFile) : "Printing could not be started",
      MessageKind::Error);
}

}  // namespace

DevelopmentPrinting::DevelopmentPrinting(CVorlanDoc& doc, QWidget* owner, std::function<void()> cancelPaneMode)
    : doc_(doc), owner_(owner), cancelPaneMode_(std::move(cancelPaneMode)) {}

void DevelopmentPrinting::FollowPaperSetting() {
  const Settings& settings = doc_.settings();
  const QSizeF paper(settings.paperWidth, settings.paperHeight);
  if (paper != paperGiven_) {
    SetPrinterPaper(printer_, settings);
    paperGiven_ = paper;
  }
}

int DevelopmentPrinting::PreparePrinting() {
  BuildPageList(doc_.model(), doc_.settings(), doc_.pages());
  FollowPaperSetting();
  return static_cast<int>(doc_.pages().pages.size());
}

PrintOutcome DevelopmentPrinting::PrintPages(QPrinter& printer, bool preview, bool showProgress) {
  const int count = static_cast<int>(doc_.pages().pages.size());
  PrintRun run;
  run.preview = preview;
  // Every raster page clears the face marks itself; the pane is told once.
  bool paneToldToCancel = false;
  run.cancelPaneMode = [this, &paneToldToCancel] {
    if (paneToldToCancel || !cancelPaneMode_) return;
    paneToldToCancel = true;
    cancelPaneMode_();
  };
  if (preview) {
    for (int n = 1; n <= count; ++n) run.sheets.push_back(n);
  } else {
    run.sheets = SheetsToPrint(printer, count);
  }
  std::unique_ptr<WorkProgress> progress;
  if (showProgress) {
    const QString label = preview ? QStringLiteral("Preparing the preview...") : QStringLiteral("Printing...");
    progress = std::make_unique<WorkProgress>(owner_, label, static_cast<int>(run.sheets.size()));
    run.progress = [&progress](int done) { return progress->Reach(done); };
    run.tick = progress->AsTick();
    // A large development takes a while before its first sheet is done.
    if (doc_.model()->totalFaces >= kLargeDevelopmentFaces) progress->ShowNow();
  }
  const PrintOutcome outcome = PrintDevelopmentPages(printer, *doc_.model(), doc_.settings(), doc_.pages(), run);
  progress.reset();
  if (outcome == PrintOutcome::Cancelled && showStatus_)
    showStatus_(preview ? QStringLiteral("The preview was cancelled.") : QStringLiteral("The print was cancelled."));
  if (outcome == PrintOutcome::NotStarted) ReportNotStarted(printer);
  return outcome;
}

bool DevelopmentPrinting::HasSomethingToPrint() const {
  return doc_.model() && doc_.hasDevelopment() && CheckDevelopmentToDraw(*doc_.model());
}

void DevelopmentPrinting::Print() {
  if (!HasSomethingToPrint()) return;
  const int count = PreparePrinting();
  if (count == 0) return;
  QPrintDialog dialog(&printer_, owner_);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  // Every print starts from all pages of this development: a range chosen
  // for the last print would otherwise hide under the dialog's options.
  dialog.setMinMax(1, count);
  printer_.setPrintRange(QPrinter::AllPages);
  dialog.setFromTo(1, count);
  if (dialog.exec() != QDialog::Accepted) return;
  PrintPages(printer_, false, true);
}

void DevelopmentPrinting::PrintPreview() {
  if (!HasSomethingToPrint()) return;
  PreparePrinting();
  QPrintPreviewDialog dialog(&printer_, owner_);
  dialog.resize(previewSize_.isEmpty() ? DefaultPreviewSize() : previewSize_);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this, &dialog](QPrinter* printer) {
    const bool preview = IsPreviewDevice(printer);
    // A preview the user stopped closes once the preview has taken the
    // sheets drawn so far.
    if (PrintPages(*printer, preview, true) == PrintOutcome::Cancelled && preview)
      QMetaObject::invokeMethod(&dialog, &QDialog::reject, Qt::QueuedConnection);
  });
  dialog.exec();
  previewSize_ = dialog.size();
  if (previewSizeChanged_) previewSizeChanged_(previewSize_);
}

QSize DevelopmentPrinting::DefaultPreviewSize() const {
  // Most of the screen, so that a whole page shows large enough to check.
  const QScreen* screen = owner_ ? owner_->screen() : QGuiApplication::primaryScreen();
  if (!screen) return {800, 1000};
  return screen->availableSize() * 0.85;
}

void DevelopmentPrinting::SetStatusReport(std::function<void(const QString&)> showStatus) {
  showStatus_ = std::move(showStatus);
}

void DevelopmentPrinting::SetPreviewSize(QSize size, std::function<void(QSize)> changed) {
  previewSize_ = size;
  previewSizeChanged_ = std::move(changed);
}

void DevelopmentPrinting::PrinterSetup() {
  // The dialog starts from the paper the development is laid out on, and
  // what the user picks there stays until that setting changes.
  FollowPaperSetting();
  QPageSetupDialog dialog(&printer_, owner_);
  ShowPrinterPaper(dialog, printer_);
  dialog.exec();
}

}  // namespace plicora
