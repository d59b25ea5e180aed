#include "render/export/RasterPageBmp.h"

#include <cstdint>

#include "core/export/BmpWriter.h"

namespace plicora {

bool WriteRasterPageBmp(const Model& model, const Settings& settings, const RasterPageRequest& request,
                        const std::string& bmpPath) {
  RasterPageRows rows;
  if (!RenderRasterPageRows(model, settings, request, rows)) return false;
  if (request.tick && *request.tick && !(*request.tick)()) return false;
  const int width = rows.width();
  return WriteBmpFileRows(bmpPath, width, rows.height(), [&](int y, std::uint8_t* row) {
    rows.Bgr24Row(y, row);
    for (int pad = width * 3; pad < BmpRowStride(width); ++pad) row[pad] = 0;
  });
}

}  // namespace plicora
