#include "core/document/JoinHighlight.h"

#include <algorithm>

namespace plicora {
namespace {

std::string EndText(const JoinEnd& end, const PageLayout& pages) {
  const int printed = PrintNumberOfPage(pages, end.page);
  const std::string page = printed > 0 ? "page " + std::to_string(printed) : "an unprinted page";
  return page + " (column " + std::to_string(end.page.column + 1) + ", row " + std::to_string(end.page.row + 1) +
         "), part " + std::to_string(end.part);
}

}  // namespace

std::string JoinEndsStatusText(int number, const std::array<JoinEnd, 2>& ends, const Model& model,
                               const Settings& settings, PageLayout grid) {
  BuildPageList(&model, settings, grid);
  const PageLayout& pages = grid;
  return "Join " + std::to_string(number) + ": one end on " + EndText(ends[0], pages) + "; the other on " +
         EndText(ends[1], pages) + ".";
}

std::vector<const HalfEdge*> NumberedSidesOf(const Face& face) {
  std::vector<const HalfEdge*> sides;
  for (const HalfEdge* h : face.ring)
    if (h->edge && h->edge->joinNumber > 0 && h->partner) sides.push_back(h);
  return sides;
}

std::string FaceJoinsStatusText(const Face& face) {
  std::vector<int> numbers;
  for (const HalfEdge* side : NumberedSidesOf(face)) numbers.push_back(side->edge->joinNumber);
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  const std::string part = "This face of part " + std::to_string(face.partIndex);
  if (numbers.empty()) return part + " has no numbered edge.";
  std::string list;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0) list += i + 1 == numbers.size() ? " and " : ", ";
    list += std::to_string(numbers[i]);
  }
  return part + (numbers.size() == 1 ? " has join number " : " has join numbers ") + list + ".";
}

}  // namespace plicora
