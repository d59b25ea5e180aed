// --pages FILE: the page grid, the printed pages, the development's bounds
// and the number of join numbers, as one JSON object on stdout.

#include <string>

#include "cli/BatchDocument.h"
#include "cli/Commands.h"
#include "cli/JsonNumber.h"
#include "core/development/DevelopmentGeometry.h"
#include "core/development/Pages.h"
#include "core/model/Settings.h"
#include "core/platform/MessageSink.h"

namespace plicora {
namespace {

std::string PagesJson(const PageLayout& layout, const Model& model, int joinNumbers) {
  std::string pages;
  for (const PageRef& page : layout.pages) {
    if (!pages.empty()) pages += ", ";
    pages.append("[").append(std::to_string(page.column)).append(", ").append(std::to_string(page.row)).append("]");
  }
  return "{\"columns\": " + std::to_string(layout.columns) + ", \"rows\": " + std::to_string(layout.rows) +
         ", \"pages\": [" + pages + "], \"bounds\": [" + JsonNumber(model.devX) + ", " + JsonNumber(model.devY) + ", " +
         JsonNumber(model.devWidth) + ", " + JsonNumber(model.devHeight) +
         "], \"joinNumbers\": " + std::to_string(joinNumbers) + "}\n";
}

}  // namespace

int RunPagesCommand(const CommandLineOptions& options) {
  BatchDocument document;
  if (const int status = OpenBatchDocument(options, document); status != kExitOk) return status;
  Model& model = *document.model;
  if (!model.hasDevelopment) {
    ShowMessage(kNoDevelopmentMessage, MessageKind::Warning);
    return kExitNoDevelopment;
  }
  BuildPageList(&model, CurrentSettings(), document.doc.pages());
  const std::string json = PagesJson(document.doc.pages(), model, document.doc.joinNumbers());
  std::fputs(json.c_str(), stdout);
  return kExitOk;
}

}  // namespace plicora
