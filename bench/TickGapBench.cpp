// How soon a Cancel can be heard while the development is saved: each
// format is written from the 1,000,000-face file with a progress tick that
// notes the time of every call, and the longest wait between two calls
// (from the start to the first, and from the last to the end count too) is
// printed against the half second within which a Cancel must answer.
//
// usage: tick_gap_bench FILE.plc [OUT_DIR]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/BatchDocument.h"
#include "cli/RasterExportSetup.h"
#include "core/development/DevelopmentGeometry.h"
#include "core/model/Settings.h"
#include "render/export/DevelopmentFileExport.h"
#include "render/export/DevelopmentPicture.h"

using namespace plicora;

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kAnswerWithin = 0.5;  // seconds

struct Gaps {
  double first = 0.0;    ///< start to the first tick
  double longest = 0.0;  ///< the longest wait, ends included
  double total = 0.0;
  int ticks = 0;
};

Gaps Measure(const Model& model, const Settings& settings, DevelopmentExport request) {
  std::vector<Clock::time_point> times{Clock::now()};
  const WorkTick tick = [&times] {
    times.push_back(Clock::now());
    return true;
  };
  request.tick = &tick;
  WriteDevelopmentFile(model, settings, request);
  times.push_back(Clock::now());
  Gaps gaps;
  gaps.ticks = static_cast<int>(times.size()) - 2;
  gaps.first = std::chrono::duration<double>(times[1] - times[0]).count();
  gaps.total = std::chrono::duration<double>(times.back() - times.front()).count();
  for (std::size_t i = 1; i < times.size(); ++i)
    gaps.longest = std::max(gaps.longest, std::chrono::duration<double>(times[i] - times[i - 1]).count());
  return gaps;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: tick_gap_bench FILE.plc [OUT_DIR]\n", stderr);
    return 2;
  }
  const std::filesystem::path outDir = argc > 2 ? argv[2] : "/tmp";
  PrepareRasterExport();
  CommandLineOptions options;
  options.inputPath = argv[1];
  options.noProfile = true;
  BatchDocument document;
  if (OpenBatchDocument(options, document) != kExitOk || !document.model) {
    std::fputs("cannot read the file\n", stderr);
    return 1;
  }
  const Model& model = *document.model;
  const Settings& settings = CurrentSettings();
  struct Row {
    const char* name;
    DevelopmentFileFormat format;
    const char* extension;
  };
  const Row rows[] = {{"pdf", DevelopmentFileFormat::Pdf, "pdf"},
                      {"svg", DevelopmentFileFormat::Svg, "svg"},
                      {"emf", DevelopmentFileFormat::Emf, "emf"},
                      {"dxf", DevelopmentFileFormat::Dxf, "dxf"},
                      {"cutter svg", DevelopmentFileFormat::CutterSvg, "svg"},
                      {"png", DevelopmentFileFormat::Png, "png"}};
  double worst = 0.0;
  for (const Row& row : rows) {
    DevelopmentExport request;
    request.format = row.format;
    request.path = (outDir / (std::string("tick_gap_bench.") + row.extension)).string();
    request.pictureSize = ProposeBitmapSize(DevelopmentBitmapExtent(model, settings), kMaxFileBitmapEdge);
    const Gaps gaps = Measure(model, settings, request);
    std::printf("%s: %.2f s, %d ticks, first after %.3f s, longest wait %.3f s\n", row.name, gaps.total, gaps.ticks,
                gaps.first, gaps.longest);
    worst = std::max(worst, gaps.longest);
    std::filesystem::remove(request.path);
  }
  std::printf("tick gap: ratio %.2f (goal <= 1)\n", worst / kAnswerWithin);
  return 0;
}
