#include "core/model/MeshTopology.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <sstream>
#include <thread>
#include <unordered_map>
#include <utility>

#include "core/model/EdgeTypes.h"
#include "core/model/Geometry.h"
#include "core/model/Prefetch.h"
#include "core/model/Units.h"
#include "core/platform/MessageSink.h"

namespace plicora {
namespace {

Point3 PositionOf(const Vertex* v) {
  return v ? Point3{v->x, v->y, v->z} : Point3{};
}

struct Vec3 {
  double x, y, z;
};
Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(const Vec3& a, const Vec3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
double Norm(const Vec3& a) {
  return std::sqrt(Dot(a, a));
}
Vec3 NormalOf(const Face* f) {
  return {f->plane[0], f->plane[1], f->plane[2]};
}

constexpr double kHalfPi = 1.570796326794895;

/// Convexity of a paired edge: the cross product of the first face's normal
/// with the second's points along vertexA -> vertexB. Undefined directions
/// (parallel normals, a zero-length edge) count as convex.
bool IsConvex(const Vec3& nA, const Vec3& nB, const Vec3& along) {
  Vec3 m = Cross(nA, nB);
  const double mLength = Norm(m);
  const double dLength = Norm(along);
  if (mLength == 0.0 || dLength == 0.0) return true;
  m = {m.x / mLength, m.y / mLength, m.z / mLength};
  const Vec3 d = {along.x / dLength, along.y / dLength, along.z / dLength};
  const double a = std::atan2(Norm(Cross(m, d)), Dot(m, d));
  return std::isnan(a) || std::fabs(a) < kHalfPi;
}

void WritePosition(std::ostream& out, const Vertex* v) {
  out << "(" << v->x << "," << v->y << "," << v->z << ")";
}

/// Index of half-edges by their start and end vertex. Entries of a pair keep
/// their order; a paired entry is cleared (null) rather than removed.
class HalfEdgeIndex {
 public:
  struct Entry {
    HalfEdge* half;
    Vertex* start;
    Vertex* end;
  };
  std::vector<std::size_t>* Find(Vertex* s, Vertex* e) {
    auto it = map_.find({s, e});
    return it == map_.end() ? nullptr : &it->second;
  }
  void Add(Vertex* s, Vertex* e, HalfEdge* h) {
    map_[{s, e}].push_back(entries_.size());
    entries_.push_back({h, s, e});
  }
  Entry& At(std::size_t i) { return entries_[i]; }
  const std::vector<Entry>& entries() const { return entries_; }

 private:
  struct PairHash {
    std::size_t operator()(const std::pair<Vertex*, Vertex*>& p) const {
      const auto a = reinterpret_cast<std::uintptr_t>(p.first);
      const auto b = reinterpret_cast<std::uintptr_t>(p.second);
      return std::hash<std::uintptr_t>()(a * 0x9E3779B97F4A7C15ull ^ (b + (a << 6) + (a >> 2)));
    }
  };
  std::unordered_map<std::pair<Vertex*, Vertex*>, std::vector<std::size_t>, PairHash> map_;
  std::vector<Entry> entries_;
};

}  // namespace

bool IsRepeatedCorner(const HalfEdge& a, const HalfEdge& b) {
  if (a.vertex == b.vertex) return true;
  if (!a.vertex || !b.vertex) return false;
  return Distance3D(PositionOf(a.vertex), PositionOf(b.vertex)) == 0.0;
}

bool CornerRepeatsRing(const std::vector<HalfEdge*>& ring, const HalfEdge& corner) {
  if (ring.empty()) return false;
  if (IsRepeatedCorner(*ring.back(), corner)) return true;
  return ring.size() >= 2 && IsRepeatedCorner(*ring.front(), corner);
}

void LinkRing(Face& face) {
  auto& ring = face.ring;
  const std::size_t n = ring.size();
  if (n <= 2) {
    for (HalfEdge* h : ring) h->next = nullptr;
    return;
  }
  for (std::size_t i = 0; i < n; ++i) ring[i]->next = ring[(i + 1) % n];
}

HalfEdge* PrevOf(const HalfEdge& half) {
  if (!half.next || !half.face) return nullptr;
  for (HalfEdge* h : half.face->ring)
    if (h->next == &half) return h;
  return nullptr;
}

Point3 FaceRefPoint(const Face& face) {
  const std::size_t n = face.ring.size();
  if (n <= 2) return {};
  double x = 0, y = 0, z = 0;
  for (const HalfEdge* h : face.ring) {
    const Point3 p = PositionOf(h->vertex);
    x += p.x;
    y += p.y;
    z += p.z;
  }
  const double count = static_cast<double>(n);
  return {x / count, y / count, z / count};
}

Point3 OpenedPositionOf(const HalfEdge& half) {
  if (!half.face || !half.face->solid) return {};
  const std::vector<Point3>& positions = half.face->solid->openedPositions;
  return half.index < positions.size() ? positions[half.index] : Point3{};
}

void CleanRing(Face& face) {
  auto& ring = face.ring;
  if (!ring.empty()) {
    // Each corner is compared with the one before it in the ring as it was.
    CornerRing kept;
    kept.push_back(ring[0]);
    for (std::size_t i = 1; i < ring.size(); ++i)
      if (!IsRepeatedCorner(*ring[i - 1], *ring[i])) kept.push_back(ring[i]);
    if (kept.size() > 2 && IsRepeatedCorner(*kept.back(), *kept.front())) kept.pop_back();
    ring = std::move(kept);
  }
  LinkRing(face);
}

namespace {

/// Measures one edge; returns its length.
double MeasureEdge(Edge& e) {
  e.length = Distance3D(PositionOf(e.vertexA), PositionOf(e.vertexB));
  if (!e.halfA || !e.halfB || !e.halfA->face || !e.halfB->face) {
    e.type = kEdgeOneSided;
    return e.length;
  }
  const Vec3 nA = NormalOf(e.halfA->face), nB = NormalOf(e.halfB->face);
  const Point3 a = PositionOf(e.vertexA), b = PositionOf(e.vertexB);
  e.convex = IsConvex(nA, nB, {b.x - a.x, b.y - a.y, b.z - a.z});
  const double angle = std::atan2(Norm(Cross(nA, nB)), Dot(nA, nB));
  e.dihedral = 180.0 - std::fabs(angle) * kFoldDegreesPerRadian;
  return e.length;
}

/// Asks for the records an edge reads a few edges before it is measured:
/// first its half-edges and vertices, later (once those have arrived) the
/// faces the half-edges point to.
class EdgePrefetcher {
 public:
  EdgePrefetcher(StableVector<Edge>::iterator begin, StableVector<Edge>::iterator end)
      : near_(begin), far_(begin), end_(end) {
    for (int i = 0; i < kFar && far_ != end_; ++i) Far();
    for (int i = 0; i < kNear && near_ != end_; ++i) Near();
  }
  void Advance() {
    if (far_ != end_) Far();
    if (near_ != end_) Near();
  }

 private:
  static constexpr int kFar = 16;
  static constexpr int kNear = 8;
  void Far() {
    Prefetch(far_->halfA);
    Prefetch(far_->halfB);
    Prefetch(far_->vertexA);
    Prefetch(far_->vertexB);
    ++far_;
  }
  void Near() {
    for (const HalfEdge* h : {near_->halfA, near_->halfB})
      if (h && h->face) Prefetch(h->face->plane.data());
    ++near_;
  }
  StableVector<Edge>::iterator near_, far_, end_;
};

/// Edges of at least this many are measured half on a second thread.
constexpr std::size_t kEdgesForTwoThreads = 1 << 16;

void MeasureEdges(StableVector<Edge>::iterator begin, StableVector<Edge>::iterator end) {
  EdgePrefetcher prefetcher(begin, end);
  for (auto e = begin; e != end; ++e) {
    prefetcher.Advance();
    MeasureEdge(*e);
  }
}

}  // namespace

void MeasureSolid(Solid& solid) {
  const auto begin = solid.edges.begin(), end = solid.edges.end();
  const std::ptrdiff_t count = end - begin;
  if (static_cast<std::size_t>(count) >= kEdgesForTwoThreads && std::thread::hardware_concurrency() > 1) {
    const auto middle = begin + count / 2;
    std::thread second([middle, end] { MeasureEdges(middle, end); });
    MeasureEdges(begin, middle);
    second.join();
  } else {
    MeasureEdges(begin, end);
  }
  // Summed in edge order, whichever thread measured them.
  double sum = 0.0;
  for (const Edge& e : solid.edges) sum += e.length;
  solid.meanEdgeLength = solid.edges.empty() ? 0.0 : sum / static_cast<double>(solid.edges.size());
}

void MeasureModel(Model& model) {
  double sum = 0.0;
  for (Solid& s : model.solids) {
    MeasureSolid(s);
    sum += s.meanEdgeLength;
  }
  model.meanEdgeLength = model.solids.empty() ? 0.0 : sum / static_cast<double>(model.solids.size());
}

void PairHalfEdges(Solid& solid) {
  HalfEdgeIndex index;
  for (Face& face : solid.faces) {
    for (HalfEdge* h : face.ring) {
      if (!h->next) continue;  // rings of one or two corners have no sides
      Vertex* s = h->vertex;
      Vertex* e = h->next->vertex;
      if (index.Find(s, e)) {
        std::ostringstream line;
        line << "Warning: the halfedge between vertex(";
        WritePosition(line, s);
        line << ") and vertex (";
        WritePosition(line, e);
        line << " have been already defined.\n";
        WriteNote(line.str());
      }
      index.Add(s, e, h);
      std::vector<std::size_t>* reverse = index.Find(e, s);
      if (!reverse || !index.At(reverse->front()).half) continue;
      HalfEdge* partner = index.At(reverse->front()).half;
      h->partner = partner;
      partner->partner = h;
      Edge& edge = solid.edges.emplace_back();
      edge.halfA = h;
      edge.halfB = partner;
      edge.vertexA = s;
      edge.vertexB = e;
      h->edge = &edge;
      partner->edge = &edge;
      index.At(reverse->front()).half = nullptr;
      index.At(index.Find(s, e)->front()).half = nullptr;
      if (reverse->size() > 1) WriteNote("Warning: two or more halfedges are assigned to one halfedge\n");
    }
  }
  // What is left unpaired becomes one-sided edges, in the order it was found.
  for (const HalfEdgeIndex::Entry& entry : index.entries()) {
    if (!entry.half) continue;
    Edge& edge = solid.edges.emplace_back();
    edge.halfA = entry.half;
    edge.vertexA = entry.start;
    edge.vertexB = entry.end;
    entry.half->edge = &edge;
  }
}

namespace {

struct UnorderedPairHash {
  std::size_t operator()(const std::pair<const Vertex*, const Vertex*>& p) const {
    return std::hash<const void*>()(p.first) * 31 + std::hash<const void*>()(p.second);
  }
};

std::pair<const Vertex*, const Vertex*> UnorderedPair(const Vertex* a, const Vertex* b) {
  return std::less<const Vertex*>()(a, b) ? std::make_pair(a, b) : std::make_pair(b, a);
}

void ReverseSolid(Solid& solid) {
  StableVector<Edge> oldEdges = std::move(solid.edges);
  solid.edges = StableVector<Edge>();
  for (Face& face : solid.faces) {
    for (double& value : face.plane) value = -value;
    for (HalfEdge* h : face.ring) {
      h->next = h->partner = h->devPartner = nullptr;
      h->edge = nullptr;
    }
    std::reverse(face.ring.begin(), face.ring.end());
    CleanRing(face);
  }
  PairHalfEdges(solid);
  MeasureSolid(solid);
  // Edge marks (cut, keep, ...) follow the two end vertices.
  std::unordered_map<std::pair<const Vertex*, const Vertex*>, std::vector<Edge*>, UnorderedPairHash> byEnds;
  for (Edge& e : solid.edges) byEnds[UnorderedPair(e.vertexA, e.vertexB)].push_back(&e);
  for (const Edge& old : oldEdges) {
    if (old.type == kEdgeOrdinary) continue;
    auto it = byEnds.find(UnorderedPair(old.vertexA, old.vertexB));
    if (it == byEnds.end()) continue;
    for (Edge* e : it->second) e->type = old.type;
  }
}

}  // namespace

void ReverseSurfaceDirection(Model& model) {
  for (Solid& s : model.solids)
    if (s.selected) ReverseSolid(s);
}

}  // namespace plicora
