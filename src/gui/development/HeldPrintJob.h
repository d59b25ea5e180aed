#pragma once
// A print job that reaches its destination only when it is finished. While
// the pages are drawn the printer writes into a temporary file; a finished
// job is then moved onto the chosen PDF file or handed to the print queue,
// and a cancelled one is deleted, so a cancelled print leaves no file and
// sends the printer nothing.

#include <QPrinter>
#include <QString>

namespace plicora {

class HeldPrintJob {
 public:
  /// Points `printer` (not yet painted on) at a temporary file beside its
  /// destination. false when that file cannot be made; the printer is then
  /// left as it was.
  bool Hold(QPrinter& printer);
  /// After the painter on the printer has ended: gives the printer back its
  /// own destination and delivers the finished file there. false when the
  /// file could not be delivered.
  bool Release();
  /// After the painter has ended: gives the printer back its destination and
  /// deletes what was drawn.
  void Discard();
  ~HeldPrintJob();

 private:
  void Restore();

  QPrinter* printer_ = nullptr;
  QString destination_;  ///< the printer's own output file, empty for a queue
  QString held_;         ///< the temporary file the printer writes
};

}  // namespace plicora
