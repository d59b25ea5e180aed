#include "core/export/ExportFile.h"

#include <cerrno>
#include <cstring>

#include "core/platform/AtomicFileWriter.h"
#include "core/platform/MessageSink.h"

namespace plicora {

std::string ExportFailureMessage(std::string_view text, const std::string& path, int errorNumber) {
  std::string message = AboutFile(text, path);
  if (errorNumber != 0) message += std::string(": ") + std::strerror(errorNumber);
  return message;
}

bool WriteExportFile(const std::string& path, std::string_view bytes, std::string_view failureText) {
  AtomicFileStream stream(path);
  stream.Write(bytes);
  return FinishExportFile(stream, path, failureText);
}

bool FinishExportFile(AtomicFileStream& stream, const std::string& path, std::string_view failureText) {
  if (stream.Commit()) return true;
  ShowMessage(ExportFailureMessage(failureText, path, LastAtomicWriteErrno()), MessageKind::Error);
  return false;
}

ExportFileSet::ExportFileSet() = default;
ExportFileSet::~ExportFileSet() = default;

bool ExportFileSet::Add(const std::string& path, std::string_view bytes) {
  auto stream = std::make_unique<AtomicFileStream>(path);
  stream->Write(bytes);
  if (!stream->Seal()) {
    ShowMessage(ExportFailureMessage(kCannotWriteToFile, path, LastAtomicWriteErrno()), MessageKind::Error);
    return false;
  }
  files_.emplace_back(path, std::move(stream));
  return true;
}

bool ExportFileSet::Publish() {
  for (auto& [path, stream] : files_) {
    if (!stream->Publish()) {
      ShowMessage(ExportFailureMessage(kCannotWriteToFile, path, LastAtomicWriteErrno()), MessageKind::Error);
      return false;
    }
  }
  return true;
}

bool ReportExportOutOfMemory(const std::string& path) {
  ShowMessage(ExportFailureMessage(kCannotWriteToFile, path, ENOMEM), MessageKind::Error);
  return false;
}

}  // namespace plicora
