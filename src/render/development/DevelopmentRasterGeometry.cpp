#include "render/development/DevelopmentRasterGeometry.h"

#include <algorithm>
#include <array>
#include <thread>

#include "core/development/DevelopmentGeometry.h"
#include "render/development/DevelopmentDrawing.h"

namespace plicora {
namespace {

/// Below this many faces the walk stays on one thread.
constexpr std::size_t kFacesPerRun = 1 << 16;

void Put(Point2 p, std::vector<float>& out) {
  out.push_back(static_cast<float>(p.x));
  out.push_back(static_cast<float>(p.y));
}

bool CanTexture(const Material& m) {
  return m.hasTexture && m.image && m.image->width > 0 && m.image->height > 0 &&
         m.image->pixels.size() >= static_cast<std::size_t>(m.image->width) * m.image->height * 3;
}

struct RunInputs {
  const Model& model;
  const Settings& settings;
  const std::vector<char>& textured;
  bool texturedOnly;
  bool highlights;
};

// A face as a fan of triangles from its first corner (faces are convex).
// A corner without texture coordinates keeps the last ones sent; returns
// false when such a corner comes before any with coordinates (the run then
// depends on the runs before it).
bool AddFace(const Face& face, const Part& part, RasterBatch& batch, bool textured, TexCoord& lastUv, bool& uvSent) {
  const std::size_t n = face.ring.size();
  if (n < 3) return true;
  bool own = true;
  auto put = [&](const HalfEdge* h) {
    Put(CornerOf(*h, part), batch.xy);
    if (textured) {
      if (h->hasUv) {
        lastUv = h->uv;
        uvSent = true;
      } else if (!uvSent) {
        own = false;
      }
      batch.uv.push_back(static_cast<float>(lastUv.u));
      batch.uv.push_back(static_cast<float>(lastUv.v));
    }
  };
  for (std::size_t i = 1; i + 1 < n; ++i) {
    put(face.ring[0]);
    put(face.ring[i]);
    put(face.ring[i + 1]);
  }
  return own;
}

void AddFlap(const std::array<Point2, 4>& flap, int n, RasterRun& run) {
  for (int i = 1; i + 1 < n; ++i) {
    Put(flap[0], run.flapFills.xy);
    Put(flap[static_cast<std::size_t>(i)], run.flapFills.xy);
    Put(flap[static_cast<std::size_t>(i + 1)], run.flapFills.xy);
  }
  // An open outline: the side along the edge is left out.
  for (int i = 0; i + 1 < n; ++i) {
    Put(flap[static_cast<std::size_t>(i)], run.flapOutlines.xy);
    Put(flap[static_cast<std::size_t>(i + 1)], run.flapOutlines.xy);
  }
}

/// Fills `run` from parts [first, last); false when the run depends on
/// parts outside it. `ticks` (on the caller's thread only) is stepped part by
/// part; a stop leaves the run incomplete.
bool CollectRun(const RunInputs& in, std::size_t first, std::size_t last, RasterRun& run,
                TickCounter* ticks = nullptr) {
  const Model& model = in.model;
  const Settings& settings = in.settings;
  const int materials = static_cast<int>(model.materials.size());
  for (RasterBatch* b :
       {&run.flapFills, &run.flapOutlines, &run.solid, &run.dot1, &run.dot2, &run.under, &run.highlights})
    b->Clear();
  for (RasterBatch& b : run.faces) b.Clear();
  run.faces.resize(in.textured.size());
  std::vector<TexCoord> lastUv(in.textured.size());
  std::vector<char> uvSent(in.textured.size(), 0);
  const bool flaps = settings.bDrawFlap && !in.texturedOnly;
  DrawnSides drawn;
  const bool flip = model.mirrored != settings.bNorishiroReverse;
  std::array<Point2, 4> flap;
  TexCoord unused;
  bool unusedSent = true;
  bool own = true;
  for (std::size_t p = first; p < last; ++p) {
    const Part& part = model.parts[p];
    if (ticks && !ticks->Step(static_cast<int>(part.faces.size()) + 1)) return own;
    for (const Face* face : part.faces) {
      int index = face->materialIndex;
      if (index < -1 || index >= materials) index = -1;
      const std::size_t slot = static_cast<std::size_t>(index + 1);
      const bool textured = in.textured[slot] != 0;
      if (!in.texturedOnly || textured) {
        bool sent = uvSent[slot] != 0;
        own &= AddFace(*face, part, run.faces[slot], textured, lastUv[slot], sent);
        uvSent[slot] = sent;
      }
      if (in.texturedOnly) continue;
      if (in.highlights && face->marked) AddFace(*face, part, run.highlights, false, unused, unusedSent);
      for (const HalfEdge* h : face->ring) {
        // Whether a fold was drawn from its other side is known within the run only.
        if (h->devPartner && (!h->devPartner->face || h->devPartner->face->part != &part)) own = false;
        const int n = flaps && h->hasFlap ? FlapPolygonOf(*h, part, flip, model.devScale, flap) : 0;
        if (n >= 3) AddFlap(flap, n, run);
        const EdgeLineClass lineClass = ClassifyEdgeLine(*h, settings, drawn);
        if (lineClass == EdgeLineClass::Skip) continue;
        const LineStyle style = StyleOfLine(lineClass, settings);
        const HalfEdge* end = SideEnd(*h);
        if (style == LineStyle::None || !end) continue;
        RasterBatch& target = style == LineStyle::Solid ? run.solid : style == LineStyle::Dot1 ? run.dot1 : run.dot2;
        Put(CornerOf(*h, part), target.xy);
        Put(CornerOf(*end, part), target.xy);
        if (settings.bDrawWhiteBkLine && style != LineStyle::Solid) {
          Put(CornerOf(*h, part), run.under.xy);
          Put(CornerOf(*end, part), run.under.xy);
        }
      }
    }
  }
  return own;
}

/// Part boundaries that split the faces into `runs` runs of about equal size.
std::vector<std::size_t> RunBounds(const Model& model, std::size_t runs) {
  std::size_t total = 0;
  for (const Part& part : model.parts) total += part.faces.size();
  std::vector<std::size_t> bounds{0};
  std::size_t seen = 0;
  for (std::size_t p = 0; p < model.parts.size() && bounds.size() < runs; ++p) {
    seen += model.parts[p].faces.size();
    if (seen * runs >= total * bounds.size() && p + 1 < model.parts.size()) bounds.push_back(p + 1);
  }
  bounds.push_back(model.parts.size());
  return bounds;
}

}  // namespace

std::size_t RasterRunsFor(const Model& model) {
  std::size_t faces = 0;
  for (const Part& part : model.parts) faces += part.faces.size();
  return faces >= 2 * kFacesPerRun && std::thread::hardware_concurrency() > 1 ? 2 : 1;
}

void CollectRasterGeometry(const Model& model, const Settings& settings, bool texturedOnly, bool highlights,
                           std::size_t runs, RasterGeometry& g, TickCounter* ticks) {
  const int materials = static_cast<int>(model.materials.size());
  g.textured.assign(static_cast<std::size_t>(materials + 1), 0);
  for (int index = -1; index < materials; ++index)
    g.textured[static_cast<std::size_t>(index + 1)] = settings.bUseMaterial && CanTexture(model.MaterialOf(index));
  const RunInputs in{model, settings, g.textured, texturedOnly, highlights};
  const std::vector<std::size_t> bounds = RunBounds(model, runs < 1 ? 1 : runs);
  const std::size_t count = bounds.size() - 1;
  g.runs.resize(count);
  std::vector<char> own(count, 1);
  std::vector<std::thread> helpers;
  for (std::size_t r = 1; r < count; ++r)
    helpers.emplace_back([&, r] { own[r] = CollectRun(in, bounds[r], bounds[r + 1], g.runs[r]); });
  own[0] = CollectRun(in, bounds[0], bounds[1], g.runs[0], ticks);
  for (std::thread& t : helpers) t.join();
  for (std::size_t r = 1; r < count; ++r) {
    if (own[r]) continue;
    g.runs.resize(1);
    CollectRun(in, 0, model.parts.size(), g.runs[0], ticks);
    return;
  }
}

void RasterGeometryCache::Index() {
  if (indexed_ || !valid_) return;
  for (RasterRun& run : geometry_.runs) {
    for (RasterBatch* b :
         {&run.flapFills, &run.flapOutlines, &run.solid, &run.dot1, &run.dot2, &run.under, &run.highlights})
      b->index.Build(b->xy);
    for (RasterBatch& b : run.faces) b.index.Build(b.xy);
  }
  indexed_ = true;
}

const RasterGeometry& RasterGeometryCache::Get(const Model& model, const Settings& settings, bool texturedOnly,
                                               bool highlights, TickCounter* ticks) {
  if (valid_ && model_ == &model && settings_ == settings && texturedOnly_ == texturedOnly && highlights_ == highlights)
    return geometry_;
  CollectRasterGeometry(model, settings, texturedOnly, highlights, RasterRunsFor(model), geometry_, ticks);
  valid_ = !(ticks && ticks->stopped());
  indexed_ = false;
  model_ = &model;
  settings_ = settings;
  texturedOnly_ = texturedOnly;
  highlights_ = highlights;
  return geometry_;
}

}  // namespace plicora
