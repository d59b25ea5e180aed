#include "gui/development/DevelopmentPrinting.h"

#include <QPageSetupDialog>
#include <QPaintEngine>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QProgressDialog>
#include <memory>

#include "core/development/DevelopmentGeometry.h"
#include "core/platform/MessageSink.h"

namespace plicora {
namespace {

/// The preview window draws its pages through a recording paint engine;
/// its own Print button sends the same request with a real printer.
bool IsPreviewDevice(QPrinter* printer) {
  return printer->paintEngine() && printer->paintEngine()->type() == QPaintEngine::Picture;
}

/// A print that did not start says why: a PDF file that cannot be written,
/// or a printer that refused the job.
void ReportNotStarted(const QPrinter& printer) {
  ShowMessage(printer.outputFormat() == QPrinter::PdfFormat ? "Cannot write to file" : "Printing could not be started",
              MessageKind::Error);
}

}  // namespace

DevelopmentPrinting::DevelopmentPrinting(CVorlanDoc& doc, QWidget* owner, std::function<void()> cancelPaneMode)
    : doc_(doc), owner_(owner), cancelPaneMode_(std::move(cancelPaneMode)) {}

int DevelopmentPrinting::PreparePrinting() {
  const Settings& settings = doc_.settings();
  BuildPageList(doc_.model(), settings, doc_.pages());
  const QSizeF paper(settings.paperWidth, settings.paperHeight);
  if (paper != paperGiven_) {
    SetPrinterPaper(printer_, settings);
    paperGiven_ = paper;
  }
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
  std::unique_ptr<QProgressDialog> progress;
  if (showProgress) {
    const int sheets = static_cast<int>(run.sheets.size());
    progress =
        std::make_unique<QProgressDialog>(QStringLiteral("Printing..."), QStringLiteral("Cancel"), 0, sheets, owner_);
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(500);
    run.progress = [&progress](int done) {
      progress->setValue(done);
      return !progress->wasCanceled();
    };
  }
  const PrintOutcome outcome = PrintDevelopmentPages(printer, *doc_.model(), doc_.settings(), doc_.pages(), run);
  if (progress) progress->setValue(progress->maximum());
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
  dialog.setMinMax(1, count);
  if (printer_.toPage() > count) {  // a range chosen for a longer page list
    printer_.setFromTo(0, 0);
    printer_.setPrintRange(QPrinter::AllPages);
  }
  if (dialog.exec() != QDialog::Accepted) return;
  PrintPages(printer_, false, true);
}

void DevelopmentPrinting::PrintPreview() {
  if (!HasSomethingToPrint()) return;
  PreparePrinting();
  QPrintPreviewDialog dialog(&printer_, owner_);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this](QPrinter* printer) {
    const bool preview = IsPreviewDevice(printer);
    PrintPages(*printer, preview, !preview);
  });
  dialog.exec();
}

void DevelopmentPrinting::PrinterSetup() {
  QPageSetupDialog dialog(&printer_, owner_);
  dialog.exec();
}

}  // namespace plicora
