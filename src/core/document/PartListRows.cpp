#include "core/document/PartListRows.h"

namespace plicora {
namespace {

std::string PagesText(const std::vector<PageRef>& pages, const PageLayout& printed) {
  std::string text;
  for (const PageRef& page : pages) {
    if (!text.empty()) text += ", ";
    const int number = PrintNumberOfPage(printed, page);
    text += number > 0 ? std::to_string(number)
                       : "c" + std::to_string(page.column + 1) + " r" + std::to_string(page.row + 1);
  }
  return text;
}

std::string GluedText(const std::vector<std::pair<int, int>>& neighbours) {
  std::string text;
  for (const auto& [part, shared] : neighbours) {
    if (!text.empty()) text += ", ";
    text += std::to_string(part) + " (" + std::to_string(shared) + ")";
  }
  return text;
}

}  // namespace

std::vector<PartListRow> PartListRows(const std::vector<PartSummary>& parts, const PageLayout& printed) {
  std::vector<PartListRow> rows;
  rows.reserve(parts.size());
  for (const PartSummary& part : parts)
    rows.push_back({part.index, part.faces, PagesText(part.pages, printed), GluedText(part.neighbours)});
  return rows;
}

}  // namespace plicora
