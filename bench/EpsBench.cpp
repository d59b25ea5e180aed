// EPS export of a large work file against a minimal writer that formats the
// same numbers with the same "%f" conversion into a file, in the same run.
//
//   eps_bench WORKFILE [SCRATCH_DIR]
//
// Prints both times and, last, "eps: ratio X (goal <= 1.5)".

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/development/DevelopmentGeometry.h"
#include "core/export/EpsWriter.h"
#include "core/model/MeshTopology.h"
#include "core/model/Settings.h"
#include "core/model/WorkFileReader.h"

using namespace plicora;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

/// Every number written with "%f" (six digits after the point) in the file.
std::vector<double> FixedPointNumbers(const std::string& path) {
  std::vector<double> numbers;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return numbers;
  std::string token;
  auto finish = [&] {
    const std::size_t dot = token.find('.');
    if (dot != std::string::npos && token.size() - dot == 7 && dot > 0)
      numbers.push_back(std::strtod(token.c_str(), nullptr));
    token.clear();
  };
  std::vector<char> block(1 << 20);
  std::size_t n;
  while ((n = std::fread(block.data(), 1, block.size(), file)) > 0) {
    for (std::size_t i = 0; i < n; ++i) {
      const char c = block[i];
      if (c == '\n' || c == ' ' || c == '(' || c == ')') {
        finish();
      } else {
        token.push_back(c);
      }
    }
  }
  finish();
  std::fclose(file);
  return numbers;
}

double TimeEps(Model& model, const Settings& settings, const std::string& out) {
  const Clock::time_point start = Clock::now();
  std::FILE* file = std::fopen(out.c_str(), "wb");
  if (!file) return -1;
  WriteEps(file, model, settings, EpsOptions{});
  std::fclose(file);
  return Seconds(start);
}

/// The least a writer can do: one "%f" per number into a buffer, written in
/// blocks of 1 MiB.
double TimeBaseline(const std::vector<double>& numbers, const std::string& out) {
  const Clock::time_point start = Clock::now();
  std::FILE* file = std::fopen(out.c_str(), "wb");
  if (!file) return -1;
  std::vector<char> buffer(1 << 20);
  std::size_t used = 0;
  for (double v : numbers) {
    if (buffer.size() - used < 512) {
      std::fwrite(buffer.data(), 1, used, file);
      used = 0;
    }
    used += static_cast<std::size_t>(std::snprintf(buffer.data() + used, buffer.size() - used, "%f\n", v));
  }
  std::fwrite(buffer.data(), 1, used, file);
  std::fclose(file);
  return Seconds(start);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: eps_bench WORKFILE [SCRATCH_DIR]\n");
    return 2;
  }
  const std::string scratch = argc > 2 ? argv[2] : "/tmp";
  const std::string epsPath = scratch + "/eps_bench_out.eps";
  const std::string basePath = scratch + "/eps_bench_base.txt";

  Settings settings;
  Model model;
  Clock::time_point start = Clock::now();
  if (ReadWorkFile(argv[1], model, settings) != kReadOk) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  MeasureModel(model);
  ComputeDevelopmentBounds(model);
  const int numbered = AssignJoinNumbers(model);
  std::printf("read: %.2f s, %d faces, %zu parts, %d join numbers\n", Seconds(start), model.totalFaces,
              model.parts.size(), numbered);

  TimeEps(model, settings, epsPath);  // warm-up: page cache and allocations
  const std::vector<double> numbers = FixedPointNumbers(epsPath);
  std::printf("numbers formatted with %%f: %zu\n", numbers.size());

  double bestEps = 1e300, bestBase = 1e300;
  for (int round = 0; round < 3; ++round) {
    const double eps = TimeEps(model, settings, epsPath);
    const double base = TimeBaseline(numbers, basePath);
    if (eps < bestEps) bestEps = eps;
    if (base < bestBase) bestBase = base;
    std::printf("round %d: eps %.3f s, minimal writer %.3f s\n", round + 1, eps, base);
  }
  std::remove(epsPath.c_str());
  std::remove(basePath.c_str());
  std::printf("eps: ratio %.2f (goal <= 1.5)\n", bestEps / bestBase);
  return 0;
}
