#pragma once
// An export written while it is drawn: its bytes go straight to the
// temporary file beside the target, so that a large drawing is never held
// whole in memory and the disk works while the drawing goes on. Like every
// export (see ExportFile.h), the file takes the target's name only when it
// is complete, and a failure leaves an existing file untouched.

#include <QIODevice>
#include <string>

#include "core/platform/AtomicFileWriter.h"

namespace plicora {

class ExportFileDevice : public QIODevice {
 public:
  /// Opened for writing at once.
  explicit ExportFileDevice(const std::string& path);

  /// False once a write failed, or when the file could not be created.
  bool failed() const { return stream_.failed(); }
  /// Puts the file in place, or shows "Cannot write to file" with the path
  /// and the system's reason and returns false.
  bool Finish();

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override;

 private:
  std::string path_;
  AtomicFileStream stream_;
};

}  // namespace plicora
