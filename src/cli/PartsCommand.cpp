// --parts FILE: every part with its face count, the pages it lies on and the
// parts it shares join numbers with, and the build order, as one JSON object
// on stdout.

#include <cstdio>
#include <string>

#include "cli/BatchDocument.h"
#include "cli/Commands.h"
#include "core/development/PartGraph.h"
#include "core/platform/MessageSink.h"

namespace plicora {
namespace {

std::string PartJson(const PartSummary& part) {
  std::string pages, neighbours;
  for (const PageRef& page : part.pages)
    pages += (pages.empty() ? "[" : ", [") + std::to_string(page.column) + ", " + std::to_string(page.row) + "]";
  for (const auto& [other, shared] : part.neighbours)
    neighbours += (neighbours.empty() ? "[" : ", [") + std::to_string(other) + ", " + std::to_string(shared) + "]";
  return "{\"index\": " + std::to_string(part.index) + ", \"faces\": " + std::to_string(part.faces) + ", \"pages\": [" +
         pages + "], \"neighbours\": [" + neighbours + "]}";
}

}  // namespace

int RunPartsCommand(const CommandLineOptions& options) {
  BatchDocument document;
  if (const int status = OpenBatchDocument(options, document); status != kExitOk) return status;
  const Model& model = *document.model;
  if (!model.hasDevelopment) {
    ShowMessage("This file doesn't have developed pattern.", MessageKind::Warning);
    return kExitNoDevelopment;
  }
  const std::vector<PartSummary> parts = SummarizeParts(model, CurrentSettings());
  std::string json = "{\"parts\": [";
  for (std::size_t i = 0; i < parts.size(); ++i) json += (i ? ", " : "") + PartJson(parts[i]);
  json += "], \"buildOrder\": [";
  const std::vector<int> order = BuildOrder(parts);
  for (std::size_t i = 0; i < order.size(); ++i) json += (i ? ", " : "") + std::to_string(order[i]);
  json += "]}\n";
  std::fputs(json.c_str(), stdout);
  return kExitOk;
}

}  // namespace plicora
