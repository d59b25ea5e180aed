// Any bytes as a work file: reading, measuring, reversing and counting must
// neither crash nor read out of bounds, and the model must stay linked.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/model/MeshTopology.h"
#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "core/model/WorkFileReader.h"
#include "core/platform/MessageSink.h"

using namespace plicora;

namespace {

class QuietSink final : public MessageSink {
 public:
  void Show(std::string_view, MessageKind) override {}
  void Note(std::string_view) override {}
};

void CheckLinks(const Model& model) {
  for (const Solid& s : model.solids) {
    for (const Face& f : s.faces) {
      for (const HalfEdge* h : f.ring) {
        if (h->face != &f || !h->vertex) std::abort();
        if (h->next && PrevOf(*h->next) != h) std::abort();
      }
      if (f.part && (f.partIndex < 0 || static_cast<std::size_t>(f.partIndex) >= model.parts.size())) std::abort();
    }
    for (const Edge& e : s.edges)
      if (!e.vertexA || !e.vertexB) std::abort();
  }
  for (const Material& m : model.materials)
    if (m.image && m.image->pixels.size() != static_cast<std::size_t>(m.image->width) * m.image->height * 3)
      std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static QuietSink sink;
  static ScopedMessageSink scope(sink);
  Model model;
  Settings settings;
  const int result = ReadWorkFileData(std::string_view(reinterpret_cast<const char*>(data), size), model, settings);
  if (result != kReadOk && result != kReadFailed && result != kReadRefused && result != kReadNoVersion) std::abort();
  CheckLinks(model);
  MeasureModel(model);
  (void)CountModelInfo(model);
  ReverseSurfaceDirection(model);
  CheckLinks(model);
  return 0;
}
