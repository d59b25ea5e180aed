#include "cli/BatchDocument.h"

#include <sys/stat.h>

#include <cctype>
#include <cstdio>

#include "cli/BatchSettings.h"
#include "development/DevelopmentGeometry.h"
#include "model/MeshTopology.h"
#include "model/WorkFileReader.h"
#include "platform/MessageSink.h"
#include "view3d/OpenedPositions.h"

namespace plicora {
namespace {

bool HasWorkFileExtension(const std::string& path) {
  const auto slash = path.find_last_of('/');
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
  const std::string ext = path.substr(dot);
  if (ext.size() != 4) return false;
  std::string lower;
  for (char c : ext) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower == ".plc";
}

}  // namespace

int CheckWorkFilePath(const std::string& path) {
  struct stat info {};
  std::FILE* file = (::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) ? std::fopen(path.c_str(), "rb") : nullptr;
  if (!file) {
    ShowMessage("Cannot open file", MessageKind::Error);
    return kExitFailed;
  }
  std::fclose(file);
  if (!HasWorkFileExtension(path)) {
    ShowMessage("Cannot load file of specified type", MessageKind::Error);
    return kExitFailed;
  }
  return kExitOk;
}

int LoadBatchProfile(const CommandLineOptions& options, Settings& settings) {
  return PrepareBatchSettings(options, settings);
}

int ReadBatchModel(const std::string& path, Settings& settings, BatchDocument& document) {
  document.model = std::make_unique<Model>(settings.colors[0]);
  settings.scaleProduct = 0.0;  // as when the window starts opening a file
  document.readResult = ReadWorkFile(path, *document.model, settings);
  if (document.readResult == kReadRefused) return kExitRefused;
  if (document.readResult != kReadOk) {
    ShowMessage("Failed to load specified file", MessageKind::Error);
    return kExitFailed;
  }
  document.model->path = path;
  return kExitOk;
}

int ApplySettingOverrides(const CommandLineOptions& options, Settings& settings, Model& model) {
  return ApplyBatchOverrides(options, settings, model);
}

int PrepareDevelopment(const Settings& settings, BatchDocument& document) {
  Model& model = *document.model;
  ComputeOpenedPositions(model);
  ComputeDevelopmentBounds(model);
  UpdatePageGrid(&model, settings, document.pages);
  document.joinNumbers = AssignJoinNumbers(model);
  return kExitOk;
}

int OpenBatchDocument(const CommandLineOptions& options, BatchDocument& document) {
  Settings& settings = CurrentSettings();
  const std::string& path = options.inputPath;
  if (int status = LoadBatchProfile(options, settings); status != kExitOk) return status;
  if (int status = CheckWorkFilePath(path); status != kExitOk) return status;
  if (int status = ReadBatchModel(path, settings, document); status != kExitOk) return status;
  if (int status = ApplySettingOverrides(options, settings, *document.model); status != kExitOk) return status;
  MeasureModel(*document.model);
  if (document.model->hasDevelopment)
    if (int status = PrepareDevelopment(settings, document); status != kExitOk) return status;
  return kExitOk;
}

}  // namespace plicora
