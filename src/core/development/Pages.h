#pragma once
// The paper sheets: the printable area of a sheet, the page grid with the
// list of pages that are printed, page look-up and the page mark texts.
// The development point (0, 0) sits at the printable top-left corner of the
// page in column 0, row 0; page (c, r) shows the tile c * W .. (c + 1) * W
// across and r * H .. (r + 1) * H down (centimetres).

#include <string>
#include <vector>

#include "core/development/DevelopmentGeometry.h"
#include "core/development/PartExtents.h"
#include "core/model/Model.h"
#include "core/model/Settings.h"

namespace plicora {

/// The page grid and the pages that are printed, in print order.
struct PageLayout {
  int columns = 1;
  int rows = 1;
  std::vector<PageRef> pages{PageRef{}};
};

/// Paper width minus both side margins (centimetres).
double PrintableWidth(const Settings& settings);
/// Paper height minus the top and bottom margins (centimetres).
double PrintableHeight(const Settings& settings);
/// Width of the whole grid as one sheet: both margins plus every column.
double TotalSheetWidth(const Settings& settings, const PageLayout& layout);
/// Height of the whole grid as one sheet: both margins plus every row.
double TotalSheetHeight(const Settings& settings, const PageLayout& layout);

/// Recomputes the columns and rows of the grid for the model (or none).
void UpdatePageGrid(const Model* model, const Settings& settings, PageLayout& layout);

/// Fills the page list, row by row from the top, left to right. With
/// bPrintOmitPage on only the pages holding development are listed. Without
/// a model the list is page 1 alone.
/// A caller that keeps the parts' extents for its pages passes them.
void BuildPageList(const Model* model, const Settings& settings, PageLayout& layout,
                   const std::vector<PartExtent>* extents = nullptr);

/// The column and row of page `number` (from 1); a number out of range gives
/// page 1, and (0, 0) when the list is empty.
PageRef LookUpPage(const PageLayout& layout, int number);

/// The page's place in the page list (from 1), 0 when it is not listed.
int PrintNumberOfPage(const PageLayout& layout, const PageRef& page);

/// Whether a face corner lies strictly inside the page's tile or a face side
/// crosses one of the tile's borders. A caller asking for many pages passes
/// the parts' extents (PartExtentsOf), so that parts far from the page are
/// passed over.
bool PageHasDevelopment(const Model& model, const Settings& settings, int column, int row,
                        const std::vector<PartExtent>* extents = nullptr);

/// The caption printed under a page: "-  page N [row R, column C]  -", with
/// the row and column counted from 1.
std::string PageCaptionText(int number, const PageRef& page);

/// The page number shown in the pane to check the print order: " pN ".
std::string PageVerificationText(int number);

}  // namespace plicora
