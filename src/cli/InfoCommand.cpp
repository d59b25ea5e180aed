// --info FILE: the counts of a work file as one JSON object on stdout.

#include <string>

#include "cli/BatchDocument.h"
#include "cli/Commands.h"
#include "cli/JsonNumber.h"
#include "core/model/Model.h"
#include "core/model/WorkFileReader.h"

namespace plicora {
namespace {

std::string InfoJson(int result, const Model& model) {
  const ModelInfoCounts counts = CountModelInfo(model);
  long long faces = 0, halfEdges = 0, edges = 0;
  for (const Solid& s : model.solids) {
    faces += static_cast<long long>(s.faces.size());
    edges += static_cast<long long>(s.edges.size());
    for (const Face& f : s.faces) halfEdges += static_cast<long long>(f.ring.size());
  }
  std::string json = "{";
  auto add = [&json](const char* key, const std::string& value) {
    if (json.size() > 1) json += ", ";
    json += "\"";
    json += key;
    json += "\": ";
    json += value;
  };
  add("result", std::to_string(result));
  add("surfaces", std::to_string(counts.surfaces));
  add("vertexes", std::to_string(counts.vertexes));
  add("materials", std::to_string(counts.materials));
  add("objects", std::to_string(counts.objects));
  add("uv", counts.uv ? "\"Exist\"" : "\"Does not exist\"");
  add("textureImages", std::to_string(counts.textureImages));
  add("solids", std::to_string(model.solids.size()));
  add("faces", std::to_string(faces));
  add("halfEdges", std::to_string(halfEdges));
  add("edges", std::to_string(edges));
  add("parts", std::to_string(model.parts.size()));
  add("texts", std::to_string(model.texts.size()));
  add("hasDevelopment", model.hasDevelopment ? "true" : "false");
  add("meanEdgeLength", JsonNumber(model.meanEdgeLength));
  add("modelScale", JsonNumber(model.modelScale));
  add("devScale", JsonNumber(model.devScale));
  return json + "}\n";
}

}  // namespace

int RunInfoCommand(const CommandLineOptions& options) {
  BatchDocument document;
  const int status = OpenBatchDocument(options, document);
  // Whenever the reader ran, its result is reported (also a refusal); a
  // later step that fails reports only its own message.
  const bool readerDecided = document.readResult >= 0 && (status == kExitOk || document.readResult != kReadOk);
  if (document.model && readerDecided) {
    const std::string json = InfoJson(document.readResult, *document.model);
    std::fputs(json.c_str(), stdout);
  }
  return status;
}

}  // namespace plicora
