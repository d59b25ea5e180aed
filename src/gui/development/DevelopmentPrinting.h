#pragma once
// Print, Print Preview and Printer Setup of the development pane through
// Qt's print support. One printer is kept for the whole run, so the choices
// of Printer Setup and of the print dialog stay for the next print. Before
// each print the page list is rebuilt; the print dialog offers exactly its
// pages.

#include <QPrinter>
#include <QSize>
#include <QSizeF>
#include <functional>

#include "core/document/VorlanDoc.h"
#include "gui/development/PrintJob.h"

class QWidget;

namespace plicora {

class DevelopmentPrinting {
 public:
  /// `cancelPaneMode` cancels the pane's mode; every raster render does.
  DevelopmentPrinting(CVorlanDoc& doc, QWidget* owner, std::function<void()> cancelPaneMode);

  /// The print dialog, then the chosen pages with a cancellable progress.
  void Print();
  /// The preview window; its pages are always drawn as raster pictures.
  void PrintPreview();
  /// The page setup dialog of the printer.
  void PrinterSetup();

  /// Rebuilds the page list and gives the printer the paper of the paper
  /// setting when that setting changed since it was last given; returns the
  /// page count.
  int PreparePrinting();
  /// Prints (or previews) the pages the printer's range chooses on `printer`;
  /// a print that cannot start shows why.
  PrintOutcome PrintPages(QPrinter& printer, bool preview, bool showProgress);

  QPrinter& printer() { return printer_; }

  /// The preview window's size (none: most of the screen) and whom to tell
  /// the size it had when the user closed it.
  void SetPreviewSize(QSize size, std::function<void(QSize)> changed);
  QSize DefaultPreviewSize() const;
  /// Where a cancelled print says so (the status bar).
  void SetStatusReport(std::function<void(const QString&)> showStatus);

 private:
  /// False without a development; a development with nothing on it also
  /// says so, instead of printing blank sheets.
  bool HasSomethingToPrint() const;

  CVorlanDoc& doc_;
  QWidget* owner_;
  std::function<void()> cancelPaneMode_;
  QPrinter printer_{QPrinter::HighResolution};
  QSizeF paperGiven_;  ///< the paper setting last given to the printer (cm)
  std::function<void(const QString&)> showStatus_;
  QSize previewSize_;
  std::function<void(QSize)> previewSizeChanged_;

  /// Gives the printer the paper of the paper setting when that setting
  /// changed since it was last given, so a paper the user chose for the
  /// printer stays while the development's paper stays the same.
  void FollowPaperSetting();
};

}  // namespace plicora
