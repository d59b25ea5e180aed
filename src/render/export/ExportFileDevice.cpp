#include "render/export/ExportFileDevice.h"

#include "core/export/ExportFile.h"

namespace plicora {

ExportFileDevice::ExportFileDevice(const std::string& path) : path_(path), stream_(path) {
  open(QIODevice::WriteOnly);
}

qint64 ExportFileDevice::writeData(const char* data, qint64 size) {
  if (!stream_.Write(std::string_view(data, static_cast<std::size_t>(size)))) return -1;
  return size;
}

bool ExportFileDevice::Finish() {
  close();
  return FinishExportFile(stream_, path_);
}

}  // namespace plicora
