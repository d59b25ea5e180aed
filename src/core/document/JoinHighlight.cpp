#include "core/document/JoinHighlight.h"

namespace plicora {
namespace {

/// The page's place in print order (from 1), 0 when it is not printed.
int PrintNumberOf(const PageRef& page, const PageLayout& pages) {
  for (std::size_t i = 0; i < pages.pages.size(); ++i)
    if (pages.pages[i].column == page.column && pages.pages[i].row == page.row) return static_cast<int>(i) + 1;
  return 0;
}

std::string EndText(const JoinEnd& end, const PageLayout& pages) {
  const int printed = PrintNumberOf(end.page, pages);
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

}  // namespace plicora
