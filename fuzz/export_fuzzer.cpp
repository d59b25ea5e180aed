// Any bytes as a work file, and when it opens, every writer: EPS, BMP and
// PNG at a small size, EMF, SVG, PDF, DXF, the cutter SVG, the page list
// and the 3D picture at a small size. None may crash, read out of bounds or
// run for long (libFuzzer's -timeout catches a writer that loops).

#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "cli/BatchDocument.h"
#include "cli/CommandLine.h"
#include "cli/GuiRuntime.h"
#include "cli/RasterExportSetup.h"
#include "core/development/Pages.h"
#include "core/document/UpdateHints.h"
#include "core/export/EpsWriter.h"
#include "core/model/Settings.h"
#include "core/platform/MessageSink.h"
#include "render/export/DevelopmentFileExport.h"
#include "render/export/MetafileExport.h"
#include "render/export/SvgExport.h"
#include "render/view3d/ModelViewEngine.h"

using namespace plicora;

namespace {

class QuietSink final : public MessageSink {
 public:
  void Show(std::string_view, MessageKind) override {}
  void Note(std::string_view) override {}
};

/// A private folder for the input and the exported files, removed at exit.
const std::filesystem::path& WorkFolder() {
  static const std::filesystem::path folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "plicora-export-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    std::atexit([] { std::filesystem::remove_all(WorkFolder()); });
    return std::filesystem::path(pattern);
  }();
  return folder;
}

std::string WriteInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = (WorkFolder() / "input.plc").string();
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) std::abort();
  return path;
}

std::string Output(const char* name) {
  return (WorkFolder() / name).string();
}

void ExportAll(const Model& model, const Settings& settings) {
  EpsOptions eps;
  if (std::FILE* sink = std::fopen("/dev/null", "w")) {
    WriteEps(sink, model, settings, eps);
    std::fclose(sink);
  }
  (void)RenderSvg(model, settings);
  (void)RenderMetafile(model, settings, MetafileReferenceDpi());
  const struct {
    DevelopmentFileFormat format;
    const char* name;
    BitmapSize size;
  } files[] = {{DevelopmentFileFormat::Bmp, "out.bmp", {48, 32}},
               {DevelopmentFileFormat::Png, "out.png", {32, 48}},
               {DevelopmentFileFormat::Pdf, "out.pdf", {}},
               {DevelopmentFileFormat::Dxf, "out.dxf", {}},
               {DevelopmentFileFormat::CutterSvg, "cut.svg", {}}};
  for (const auto& file : files) {
    DevelopmentExport request;
    request.format = file.format;
    request.path = Output(file.name);
    request.pictureSize = file.size;
    WriteDevelopmentFile(model, settings, request);
  }
}

void Render3d(Model& model, Settings& settings) {
  ViewShellState shell;
  shell.hasDevelopment = model.hasDevelopment;
  ModelViewEngine engine(settings, shell);
  engine.Resize(40, 30);
  if (!engine.target()) return;
  engine.SetModel(&model);
  engine.OnUpdate(HINT_FILE_OPENED);
  engine.Paint();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static QuietSink sink;
  static ScopedMessageSink scope(sink);
  static const bool prepared = [] {
    PrepareRasterExport();
    return true;
  }();
  (void)prepared;
  // Every input starts from the built-in settings: a file's info block
  // changes them.
  const int textureLimit = CurrentSettings().maxTextureSize;
  CurrentSettings() = Settings();
  CurrentSettings().maxTextureSize = textureLimit;

  CommandLineOptions options;
  options.inputPath = WriteInput(data, size);
  options.noProfile = true;
  BatchDocument document;
  if (OpenBatchDocument(options, document) != kExitOk) return 0;
  Model& model = *document.model;
  Settings& settings = CurrentSettings();
  if (model.hasDevelopment) {
    BuildPageList(&model, settings, document.doc.pages());
    ExportAll(model, settings);
  }
  Render3d(model, settings);
  return 0;
}
