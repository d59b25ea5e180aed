#include "gui/development/HeldPrintJob.h"

#include <cups/cups.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrintEngine>
#include <QTemporaryFile>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace plicora {
namespace {

/// The print engine's list of extra queue options (name, value, name,
/// value ...) that the print dialog's advanced page fills.
constexpr auto kQueueOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

/// A new empty file made from `nameTemplate` (its XXXXXX replaced), kept
/// after this call; empty when it cannot be made.
QString MakeHeldFile(const QString& nameTemplate) {
  QTemporaryFile file(nameTemplate);
  file.setAutoRemove(false);
  if (!file.open()) return {};
  file.close();
  return file.fileName();
}

/// The print queue's options for the job as the printer's settings ask:
/// paper, copies, sides, orientation and the dialog's extra options.
std::vector<std::pair<std::string, std::string>> QueueOptions(const QPrinter& printer) {
  std::vector<std::pair<std::string, std::string>> options;
  const QPageLayout layout = printer.pageLayout();
  const bool landscape = layout.orientation() == QPageLayout::Landscape;
  options.emplace_back("media", layout.pageSize().key().toStdString());
  if (printer.copyCount() > 1) {
    options.emplace_back("copies", std::to_string(printer.copyCount()));
    if (printer.collateCopies()) options.emplace_back("Collate", "True");
  }
  const char* sides = "one-sided";
  switch (printer.duplex()) {
    case QPrinter::DuplexNone:
      break;
    case QPrinter::DuplexAuto:
      sides = landscape ? "two-sided-short-edge" : "two-sided-long-edge";
      break;
    case QPrinter::DuplexLongSide:
      sides = "two-sided-long-edge";
      break;
    case QPrinter::DuplexShortSide:
      sides = "two-sided-short-edge";
      break;
  }
  options.emplace_back("sides", sides);
  if (landscape) options.emplace_back("landscape", "");
  const QStringList extra = printer.printEngine()->property(kQueueOptionsKey).toStringList();
  for (qsizetype i = 0; i + 1 < extra.size(); i += 2)
    options.emplace_back(extra[i].toStdString(), extra[i + 1].toStdString());
  return options;
}

/// Hands `file` to the printer's queue; false when the queue refused it.
bool SendToQueue(const QPrinter& printer, const QString& file) {
  // A printer instance ("queue/instance") prints on its queue.
  const QString queue = printer.printerName().section(QLatin1Char('/'), 0, 0);
  if (queue.isEmpty()) return false;
  const auto options = QueueOptions(printer);
  std::vector<cups_option_t> list;
  for (const auto& [name, value] : options)
    list.push_back(cups_option_t{const_cast<char*>(name.c_str()), const_cast<char*>(value.c_str())});
  const int job = cupsPrintFile(queue.toLocal8Bit().constData(), QFile::encodeName(file).constData(),
                                printer.docName().toLocal8Bit().constData(), static_cast<int>(list.size()),
                                list.empty() ? nullptr : list.data());
  return job > 0;
}

}  // namespace

bool HeldPrintJob::Hold(QPrinter& printer) {
  const QString destination = printer.outputFileName();
  // Beside the destination, so that the finished file only needs renaming.
  const QString held = destination.isEmpty()
                           ? MakeHeldFile(QDir::tempPath() + QStringLiteral("/plicora-print-XXXXXX.job"))
                           : MakeHeldFile(destination + QStringLiteral(".XXXXXX.part"));
  if (held.isEmpty()) return false;
  printer_ = &printer;
  destination_ = destination;
  held_ = held;
  // A name without the ".pdf" ending leaves the printer's output format.
  printer.setOutputFileName(held_);
  return true;
}

void HeldPrintJob::Restore() {
  if (printer_) printer_->setOutputFileName(destination_);
}

bool HeldPrintJob::Release() {
  if (!printer_) return false;
  Restore();
  bool delivered = false;
  if (destination_.isEmpty()) {
    delivered = SendToQueue(*printer_, held_);
    QFile::remove(held_);
  } else {
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(held_).toStdString(), QFile::encodeName(destination_).toStdString(),
                            error);
    delivered = !error;
    if (!delivered) QFile::remove(held_);
  }
  printer_ = nullptr;
  return delivered;
}

void HeldPrintJob::Discard() {
  if (!printer_) return;
  Restore();
  QFile::remove(held_);
  printer_ = nullptr;
}

HeldPrintJob::~HeldPrintJob() {
  Discard();
}

}  // namespace plicora
