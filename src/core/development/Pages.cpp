#include "core/development/Pages.h"

#include <cstdio>

#include "core/model/Geometry.h"

namespace plicora {

double PrintableWidth(const Settings& settings) {
  return settings.paperWidth - 2 * settings.dPageMarginSide;
}

double PrintableHeight(const Settings& settings) {
  return settings.paperHeight - 2 * settings.dPageMarginTop;
}

double TotalSheetWidth(const Settings& settings, const PageLayout& layout) {
  return 2 * settings.dPageMarginSide + PrintableWidth(settings) * layout.columns;
}

double TotalSheetHeight(const Settings& settings, const PageLayout& layout) {
  return 2 * settings.dPageMarginTop + PrintableHeight(settings) * layout.rows;
}

void UpdatePageGrid(const Model* model, const Settings& settings, PageLayout& layout) {
  ComputePageGrid(model, settings, layout.columns, layout.rows);
}

void BuildPageList(const Model* model, const Settings& settings, PageLayout& layout,
                   const std::vector<PartExtent>* extents) {
  layout.pages.clear();
  if (!model) {
    layout.pages.push_back(PageRef{});
    return;
  }
  std::vector<PartExtent> own;
  if (settings.bPrintOmitPage && !extents) {
    own = PartExtentsOf(*model);
    extents = &own;
  }
  for (int row = 0; row < layout.rows; ++row) {
    for (int column = 0; column < layout.columns; ++column) {
      if (!settings.bPrintOmitPage || PageHasDevelopment(*model, settings, column, row, extents))
        layout.pages.push_back(PageRef{column, row});
    }
  }
}

PageRef LookUpPage(const PageLayout& layout, int number) {
  if (layout.pages.empty()) return PageRef{};
  if (number < 1 || number > static_cast<int>(layout.pages.size())) number = 1;
  return layout.pages[static_cast<std::size_t>(number - 1)];
}

int PrintNumberOfPage(const PageLayout& layout, const PageRef& page) {
  for (std::size_t i = 0; i < layout.pages.size(); ++i)
    if (layout.pages[i].column == page.column && layout.pages[i].row == page.row) return static_cast<int>(i) + 1;
  return 0;
}

bool PageHasDevelopment(const Model& model, const Settings& settings, int column, int row,
                        const std::vector<PartExtent>* extents) {
  const double s = model.devScale;
  const double w = PrintableWidth(settings);
  const double h = PrintableHeight(settings);
  const double x1 = column * w / s, x2 = (column + 1) * w / s;
  const double y1 = row * h / s, y2 = (row + 1) * h / s;
  const Point2 corners[4] = {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}};
  // A side can meet a border only within the small reach that the
  // intersection test allows.
  const Box page = Grow(Box{x1, y1, x2, y2}, 1e-6);
  for (std::size_t p = 0; p < model.parts.size(); ++p) {
    const Part& part = model.parts[p];
    if (extents && p < extents->size() && !(*extents)[p].corners.Overlaps(page)) continue;
    for (const Face* face : part.faces) {
      for (const HalfEdge* half : face->ring) {
        const Point2 a{half->devPos.x + part.offsetX, half->devPos.y + part.offsetY};
        if (x1 < a.x && a.x < x2 && y1 < a.y && a.y < y2) return true;
        const HalfEdge* end = SideEnd(*half);
        if (!end) continue;
        const Point2 b{end->devPos.x + part.offsetX, end->devPos.y + part.offsetY};
        for (int i = 0; i < 4; ++i) {
          Point2 meet;
          if (SegmentIntersection(a, b, corners[i], corners[(i + 1) % 4], meet)) return true;
        }
      }
    }
  }
  // A page that holds part of a text label prints it.
  for (const TextLabel& label : model.texts) {
    const DevelopmentBounds box = TextLabelBoxOf(label, s);
    if (box.x < x2 && x1 < box.x + box.width && box.y < y2 && y1 < box.y + box.height) return true;
  }
  return false;
}

std::string PageCaptionText(int number, const PageRef& page) {
  char text[96];
  std::snprintf(text, sizeof text, "-  page %d [row %d, column %d]  -", number, page.row + 1, page.column + 1);
  return text;
}

std::string PageVerificationText(int number) {
  char text[32];
  std::snprintf(text, sizeof text, " p%d ", number);
  return text;
}

}  // namespace plicora
