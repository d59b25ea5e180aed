#include <gtest/gtest.h>

#include "SyntheticModels.h"
#include "render/development/DevelopmentRasterGeometry.h"

namespace plicora {
namespace {

// The sphere's faces dealt out to `parts` parts, row band by row band.
void SplitIntoParts(Model& model, std::size_t parts) {
  std::vector<Face*> faces = model.parts[0].faces;
  model.parts[0].faces.clear();
  for (std::size_t p = 1; p < parts; ++p) model.parts.emplace_back().solid = model.parts[0].solid;
  for (std::size_t i = 0; i < faces.size(); ++i) {
    Part& part = model.parts[i * parts / faces.size()];
    faces[i]->part = &part;
    part.faces.push_back(faces[i]);
  }
}

// Every array of the runs, one run after the other.
std::vector<std::vector<float>> Joined(const RasterGeometry& g) {
  std::vector<std::vector<float>> arrays;
  auto join = [&](auto member) {
    std::vector<float>& out = arrays.emplace_back();
    for (const RasterRun& run : g.runs) out.insert(out.end(), (run.*member).xy.begin(), (run.*member).xy.end());
  };
  for (auto member : {&RasterRun::flapFills, &RasterRun::flapOutlines, &RasterRun::solid, &RasterRun::dot1,
                      &RasterRun::dot2, &RasterRun::under, &RasterRun::highlights})
    join(member);
  for (std::size_t slot = 0; slot < g.textured.size(); ++slot) {
    std::vector<float> xy, uv;
    for (const RasterRun& run : g.runs) {
      xy.insert(xy.end(), run.faces[slot].xy.begin(), run.faces[slot].xy.end());
      uv.insert(uv.end(), run.faces[slot].uv.begin(), run.faces[slot].uv.end());
    }
    arrays.push_back(std::move(xy));
    arrays.push_back(std::move(uv));
  }
  return arrays;
}

// Walking the parts in several runs at once gives the arrays of one walk:
// with folds inside the parts only, and with folds joining parts (which
// the walk then takes as one run).
TEST(DevelopmentRasterGeometryTest, RunsGiveTheArraysOfOneWalk) {
  for (const bool foldsAcrossParts : {false, true}) {
    SCOPED_TRACE(foldsAcrossParts);
    Model model;
    test::BuildSphere(model, 12, 16, true, 8, foldsAcrossParts);
    SplitIntoParts(model, 7);
    for (std::size_t i = 0; i < model.parts[3].faces.size(); i += 5) model.parts[3].faces[i]->marked = true;
    for (Solid& solid : model.solids)
      for (HalfEdge& h : solid.halfEdges) {
        h.devPos = {h.vertex->x + h.vertex->z, h.vertex->y};
        h.hasFlap = h.index % 3 == 0;
      }
    Settings settings;
    settings.bDrawWhiteBkLine = true;
    RasterGeometry one, several;
    CollectRasterGeometry(model, settings, false, true, 1, one);
    CollectRasterGeometry(model, settings, false, true, 3, several);
    EXPECT_EQ(several.runs.size(), foldsAcrossParts ? 1u : 3u);
    EXPECT_EQ(Joined(several), Joined(one));
    EXPECT_FALSE(one.runs[0].solid.xy.empty());
    EXPECT_FALSE(one.runs[0].flapFills.xy.empty());
    EXPECT_FALSE(one.runs[0].highlights.xy.empty());
  }
}

}  // namespace
}  // namespace plicora
