#include "core/development/PartGraph.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <queue>
#include <set>
#include <tuple>

#include "core/development/Pages.h"

namespace plicora {
namespace {

/// The pages whose tiles a side from a to b (centimetres) passes through:
/// per column it crosses, the rows of the stretch inside that column.
void AddSidePages(Point2 a, Point2 b, double w, double h, std::set<std::pair<int, int>>& pages) {
  if (!(w > 0) || !(h > 0)) return;
  if (a.x > b.x) std::swap(a, b);
  const int first = static_cast<int>(std::floor(a.x / w));
  const int last = static_cast<int>(std::floor(b.x / w));
  for (int c = first; c <= last; ++c) {
    const double x0 = std::max(a.x, c * w);
    const double x1 = std::min(b.x, (c + 1) * w);
    auto yAt = [&](double x) { return b.x == a.x ? a.y : a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x); };
    const double y0 = b.x == a.x ? std::min(a.y, b.y) : std::min(yAt(x0), yAt(x1));
    const double y1 = b.x == a.x ? std::max(a.y, b.y) : std::max(yAt(x0), yAt(x1));
    for (int r = static_cast<int>(std::floor(y0 / h)); r <= static_cast<int>(std::floor(y1 / h)); ++r)
      pages.insert({r, c});
  }
}

}  // namespace

std::vector<PartSummary> SummarizeParts(const Model& model, const Settings& settings) {
  std::vector<PartSummary> parts(model.parts.size());
  std::vector<std::map<int, int>> shared(model.parts.size());
  const double w = PrintableWidth(settings);
  const double h = PrintableHeight(settings);
  for (std::size_t i = 0; i < model.parts.size(); ++i) {
    const Part& part = model.parts[i];
    PartSummary& summary = parts[i];
    summary.index = static_cast<int>(i);
    summary.faces = static_cast<int>(part.faces.size());
    std::set<std::pair<int, int>> pages;
    for (const Face* face : part.faces) {
      for (const HalfEdge* side : face->ring) {
        if (!side->next) continue;
        const Point2 a = CornerOf(*side, part);
        const Point2 b = CornerOf(*side->next, part);
        AddSidePages({a.x * model.devScale, a.y * model.devScale}, {b.x * model.devScale, b.y * model.devScale}, w, h,
                     pages);
        const Edge* edge = side->edge;
        if (!edge || edge->joinNumber <= 0) continue;
        summary.joinNumbers.push_back(edge->joinNumber);
        const HalfEdge* other = side->partner;
        const int otherPart = other && other->face ? other->face->partIndex : -1;
        if (otherPart >= 0 && otherPart != summary.index && static_cast<std::size_t>(otherPart) < parts.size())
          ++shared[i][otherPart];
      }
    }
    for (const auto& [row, column] : pages) summary.pages.push_back(PageRef{column, row});
    std::sort(summary.joinNumbers.begin(), summary.joinNumbers.end());
    summary.joinNumbers.erase(std::unique(summary.joinNumbers.begin(), summary.joinNumbers.end()),
                              summary.joinNumbers.end());
    summary.neighbours.assign(shared[i].begin(), shared[i].end());
  }
  return parts;
}

std::vector<int> BuildOrder(const std::vector<PartSummary>& parts) {
  // Candidates by (shared with the placed parts, faces, lower index); an
  // entry whose shared count has grown since it was queued is stale.
  using Key = std::tuple<int, int, int>;  // shared, faces, -index
  std::priority_queue<Key> queue;
  std::vector<int> sharedWithPlaced(parts.size(), 0);
  std::vector<bool> placed(parts.size(), false);
  for (const PartSummary& p : parts) queue.emplace(0, p.faces, -p.index);
  std::vector<int> order;
  order.reserve(parts.size());
  while (!queue.empty()) {
    const auto [shared, faces, negIndex] = queue.top();
    queue.pop();
    const int index = -negIndex;
    if (placed[index] || shared != sharedWithPlaced[index]) continue;
    placed[index] = true;
    order.push_back(index);
    for (const auto& [neighbour, count] : parts[index].neighbours) {
      if (placed[neighbour]) continue;
      sharedWithPlaced[neighbour] += count;
      queue.emplace(sharedWithPlaced[neighbour], parts[neighbour].faces, -neighbour);
    }
  }
  return order;
}

std::vector<int> JoinsToEarlierParts(const Model& model, const std::vector<int>& order, std::size_t position) {
  std::vector<int> numbers;
  if (position >= order.size()) return numbers;
  std::vector<bool> earlier(model.parts.size(), false);
  for (std::size_t i = 0; i < position; ++i) earlier[order[i]] = true;
  for (const Face* face : model.parts[order[position]].faces) {
    for (const HalfEdge* side : face->ring) {
      if (!side->edge || side->edge->joinNumber <= 0 || !side->partner || !side->partner->face) continue;
      const int other = side->partner->face->partIndex;
      if (other >= 0 && static_cast<std::size_t>(other) < earlier.size() && earlier[other])
        numbers.push_back(side->edge->joinNumber);
    }
  }
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  return numbers;
}

}  // namespace plicora
