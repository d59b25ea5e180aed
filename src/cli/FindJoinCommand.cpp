// --find-join N FILE: where both ends of a join number lie, as one JSON
// object on stdout: each end's part, the midpoint of its side on paper
// (centimetres from the development's origin) and the page that holds it.

#include <cstdio>
#include <string>

#include "cli/BatchDocument.h"
#include "cli/Commands.h"
#include "cli/JsonNumber.h"
#include "core/development/JoinEnds.h"
#include "core/platform/MessageSink.h"

namespace plicora {
namespace {

std::string EndJson(const JoinEnd& end) {
  return "{\"part\": " + std::to_string(end.part) + ", \"x\": " + JsonNumber(end.midCm.x) +
         ", \"y\": " + JsonNumber(end.midCm.y) + ", \"page\": [" + std::to_string(end.page.column) + ", " +
         std::to_string(end.page.row) + "]}";
}

}  // namespace

int RunFindJoinCommand(const CommandLineOptions& options) {
  BatchDocument document;
  if (const int status = OpenBatchDocument(options, document); status != kExitOk) return status;
  const Model& model = *document.model;
  if (!model.hasDevelopment) {
    ShowMessage("This file doesn't have developed pattern.", MessageKind::Warning);
    return kExitNoDevelopment;
  }
  const auto ends = FindJoinEnds(model, CurrentSettings(), options.joinNumber);
  if (!ends) {
    ShowMessage(JoinNumberRangeText(options.joinNumber, document.doc.joinNumbers()), MessageKind::Error);
    return kExitUsage;
  }
  const std::string json = "{\"joinNumber\": " + std::to_string(options.joinNumber) + ", \"ends\": [" +
                           EndJson((*ends)[0]) + ", " + EndJson((*ends)[1]) + "]}\n";
  std::fputs(json.c_str(), stdout);
  return kExitOk;
}

}  // namespace plicora
