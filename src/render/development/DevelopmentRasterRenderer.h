#pragma once
// Raster drawing of the development with OpenGL into the current context's
// buffer: the pane's picture, raster printing and the bitmap exports.

#include <vector>

#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "core/platform/WorkTick.h"
#include "render/development/DevelopmentView.h"
#include "render/platform/GlOutlineFont.h"

namespace plicora {

class RasterGeometryCache;

/// A rectangle of buffer pixels, measured from the top-left corner.
struct BufferRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

/// Where the development lands in the buffer and what is drawn.
struct RasterDrawParams {
  int width = 0;  ///< buffer size in pixels
  int height = 0;
  double pixelsPerCm = 1.0;   ///< pixels per centimetre of paper
  double originX = 0.0;       ///< buffer pixel (from the top-left corner) of
  double originY = 0.0;       ///< development point (0, 0)
  bool forPrint = false;      ///< white background and no sheets
  bool markedFaces = true;    ///< highlights the faces marked by Check Corresponding Surface
  bool texturedOnly = false;  ///< only the faces of textured materials (print texture layer)
  /// Pane only: one flag per part index, the parts drawn faded (built
  /// parts). Prints and exports leave it null and draw every part whole.
  const std::vector<char>* fadedParts = nullptr;
  /// Pane only: the sheet area and its top-left corner in buffer pixels.
  SheetArea sheets;
  double sheetLeft = 0.0;
  double sheetTop = 0.0;
  /// Pane only: buffer pixels per client pixel (2 on a high-DPI screen);
  /// the sheets' shadow, outline and dotted borders are that many pixels.
  double pixelRatio = 1.0;
  /// Pane only: the size of the pane's picture when the buffer is a larger
  /// frame around it (0: the buffer's size).
  int pictureWidth = 0;
  int pictureHeight = 0;
  /// Glyph lists for the join numbers, built in the current context; with
  /// none the numbers are built for this call and deleted after it.
  const GlFont* font = nullptr;
  /// Where the arrays drawn are kept for the next picture; with none they
  /// are built afresh.
  RasterGeometryCache* geometry = nullptr;
  /// Pane only: when given, only this rectangle of the buffer is cleared
  /// and drawn, with the pixels the whole picture has there; the rest of the
  /// buffer keeps its pixels.
  const BufferRect* clip = nullptr;
  /// With a clip: only the primitives that meet it are sent, found through
  /// an index of where they lie (built once per build of the arrays); worth
  /// it for thin strips of the picture. The caller then waits for the
  /// drawing (glFinish) once it has drawn every strip.
  bool cullToClip = false;
  /// Called between pieces of the drawing (a long batch is drawn in pieces);
  /// false stops it, leaving the picture unfinished.
  const WorkTick* tick = nullptr;
};

/// The raster parameters of the pane's view, for a buffer of `pixelRatio`
/// device pixels per client pixel.
RasterDrawParams PaneRasterParams(const DevelopmentView& view, const SheetArea& area, double devScale,
                                  double pixelRatio = 1.0);

/// Sets the fixed drawing state of a development context (depth test, blend
/// function, unpack alignment, texture wrap, filter and environment).
void InitDevelopmentGlState(const Settings& settings);

/// Draws into the current OpenGL context. With no model only the background
/// (and in the pane the sheets) is drawn. The model is left as it is.
/// False when the tick stopped the drawing.
bool DrawDevelopmentRaster(const Model* model, const Settings& settings, const RasterDrawParams& params);

}  // namespace plicora
