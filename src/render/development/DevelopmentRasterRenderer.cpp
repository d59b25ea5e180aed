#include "render/development/DevelopmentRasterRenderer.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "core/development/DevelopmentGeometry.h"
#include "core/platform/FontFaceNames.h"
#include "render/development/DevelopmentDrawing.h"
#include "render/development/DevelopmentRasterGeometry.h"
#include "render/platform/OffscreenGlContext.h"

namespace plicora {
namespace {

// Layers, back to front.
constexpr float kDepthSheet = 0.0f;
constexpr float kDepthFlap = 2.0f;
constexpr float kDepthFace = 3.0f;
constexpr float kDepthLine = 4.0f;
constexpr float kDepthNumber = 5.0f;
constexpr float kDepthFade = 5.5f;
constexpr float kDepthHighlight = 6.0f;

/// How much of a faded part's picture the white veil over it hides.
constexpr float kFadeVeilAlpha = 0.7f;

constexpr GLushort kDot1Stipple = 0x0707;
constexpr GLushort kDot2Stipple = 0xFF18;
constexpr GLushort kPageDivisionStipple = 0x0F0F;

// Development units (y down) of the part of the buffer being drawn, widened
// by what a primitive may cover beyond its vertices; none for the whole buffer.
struct DrawWindow {
  bool all = true;
  IndexWindow rect;
};

// Where the arrays land in the buffer and which of them are drawn.
struct Placement {
  PixelMap map;
  DrawWindow window;
};

// The arrays of a batch, or, when it is indexed, of the primitives of it that
// meet the window (in order, gathered into `scratch`): every pixel the window
// covers sees the primitives over it in the order of the whole picture.
const RasterBatch& Visible(const RasterBatch& batch, const DrawWindow& window, RasterBatch& scratch) {
  if (window.all || batch.index.empty()) return batch;
  thread_local std::vector<std::uint32_t> groups;
  batch.index.Find(window.rect, batch.xy, groups);
  scratch.Clear();
  const bool textured = batch.uv.size() == batch.xy.size();
  constexpr std::size_t kGroupFloats = 2 * RasterBatchIndex::kGroupVertices;
  for (const std::uint32_t g : groups) {
    const std::size_t first = g * kGroupFloats, last = std::min(batch.xy.size(), first + kGroupFloats);
    scratch.xy.insert(scratch.xy.end(), batch.xy.begin() + static_cast<long>(first),
                      batch.xy.begin() + static_cast<long>(last));
    if (textured)
      scratch.uv.insert(scratch.uv.end(), batch.uv.begin() + static_cast<long>(first),
                        batch.uv.begin() + static_cast<long>(last));
  }
  return scratch;
}

/// Vertices drawn between two ticks: whole triangles and whole lines, so
/// that the pieces draw the same pixels as one call (each line starts its
/// stipple afresh either way).
constexpr GLsizei kVerticesPerTick = 6 * 1024;

/// Draws the arrays in pieces with a tick after each; false once stopped.
bool DrawArraysTicked(GLenum mode, GLsizei count, TickCounter* ticks) {
  if (!ticks) {
    glDrawArrays(mode, 0, count);
    return true;
  }
  for (GLsizei first = 0; first < count; first += kVerticesPerTick) {
    if (ticks->stopped()) return false;
    glDrawArrays(mode, first, std::min(kVerticesPerTick, count - first));
    ticks->Step();
  }
  return !ticks->stopped();
}

void DrawBatch(const RasterBatch& whole, GLenum mode, float depth, const DrawWindow& window = DrawWindow{},
               TickCounter* ticks = nullptr) {
  if (ticks && ticks->stopped()) return;
  thread_local RasterBatch scratch;
  const RasterBatch& batch = Visible(whole, window, scratch);
  if (batch.xy.empty()) return;
  glPushMatrix();
  glTranslatef(0.0f, 0.0f, depth);
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, batch.xy.data());
  const bool textured = !batch.uv.empty() && batch.uv.size() == batch.xy.size();
  if (textured) {
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, batch.uv.data());
  }
  DrawArraysTicked(mode, static_cast<GLsizei>(batch.xy.size() / 2), ticks);
  if (textured) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  glPopMatrix();
}

void SetSmoothing(bool on) {
  if (on) {
    glEnable(GL_BLEND);
    glEnable(GL_LINE_SMOOTH);
  } else {
    glDisable(GL_BLEND);
    glDisable(GL_LINE_SMOOTH);
  }
}

void DrawRect(double x0, double y0, double x1, double y1, double height, GLenum mode) {
  const float v[] = {static_cast<float>(x0),          static_cast<float>(height - y0), static_cast<float>(x1),
                     static_cast<float>(height - y0), static_cast<float>(x1),          static_cast<float>(height - y1),
                     static_cast<float>(x0),          static_cast<float>(height - y1)};
  RasterBatch b;
  b.xy.assign(v, v + 8);
  DrawBatch(b, mode, kDepthSheet);
}

// The whole page grid as one sheet: shadow, white paper, outline and the
// dotted borders of the printable areas.
void DrawSheets(const RasterDrawParams& p) {
  const double r = p.pixelRatio;
  const int width = p.pictureWidth > 0 ? p.pictureWidth : p.width;
  const int height = p.pictureHeight > 0 ? p.pictureHeight : p.height;
  if (width < 35 * r || height < 35 * r) return;
  const double f = p.pixelsPerCm;
  const SheetArea& a = p.sheets;
  const double x0 = p.sheetLeft, y0 = p.sheetTop;
  const double x1 = x0 + f * a.TotalWidth(), y1 = y0 + f * a.TotalHeight();
  glLineWidth(static_cast<float>(r));
  glColor3f(0.0f, 0.0f, 0.0f);
  DrawRect(x0 + 2 * r, y0 + 2 * r, x1 + 2 * r, y1 + 2 * r, p.height, GL_QUADS);
  glColor3f(1.0f, 1.0f, 1.0f);
  DrawRect(x0, y0, x1, y1, p.height, GL_QUADS);
  glColor3f(0.0f, 0.0f, 0.0f);
  DrawRect(x0, y0, x1, y1, p.height, GL_LINE_LOOP);
  RasterBatch lines;
  auto put = [&](double xcm, double ycm) {
    lines.xy.push_back(static_cast<float>(x0 + f * xcm));
    lines.xy.push_back(static_cast<float>(p.height - (y0 + f * ycm)));
  };
  for (int i = 0; i <= a.columns; ++i) {
    put(a.marginSide + i * a.pageWidth, a.marginTop);
    put(a.marginSide + i * a.pageWidth, a.marginTop + a.rows * a.pageHeight);
  }
  for (int j = 0; j <= a.rows; ++j) {
    put(a.marginSide, a.marginTop + j * a.pageHeight);
    put(a.marginSide + a.columns * a.pageWidth, a.marginTop + j * a.pageHeight);
  }
  glColor3f(0.6f, 0.6f, 0.6f);
  glEnable(GL_LINE_STIPPLE);
  glLineStipple(static_cast<GLint>(std::clamp(std::lround(r), 1L, 256L)), kPageDivisionStipple);
  DrawBatch(lines, GL_LINES, kDepthSheet);
  glDisable(GL_LINE_STIPPLE);
}

void BindTexture(const TextureImage& image, const Settings& settings) {
  const GLint filter = settings.bTextureSmooth ? GL_LINEAR : GL_NEAREST;
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, image.width, image.height, 0, GL_RGB, GL_UNSIGNED_BYTE, image.pixels.data());
}

// Pushes the model-view matrix and places the arrays' development units in
// the buffer as the map says (y turned upward).
void PushPlacement(const PixelMap& map) {
  glPushMatrix();
  glTranslated(map.ox, map.height - map.oy, 0.0);
  glScaled(map.k, -map.k, 1.0);
}

// One layer's batch of every run, in order: the same picture as one batch.
template <typename Member>
void DrawRuns(const RasterGeometry& g, const Placement& at, Member member, GLenum mode, float depth,
              TickCounter* ticks = nullptr) {
  PushPlacement(at.map);
  for (const RasterRun& run : g.runs) DrawBatch(run.*member, mode, depth, at.window, ticks);
  glPopMatrix();
}

void DrawFlaps(const RasterGeometry& g, const Placement& at, const Settings& settings, float lineWidth,
               TickCounter* ticks) {
  SetSmoothing(settings.bLineSmooth);
  glColor3f(1.0f, 1.0f, 1.0f);
  DrawRuns(g, at, &RasterRun::flapFills, GL_TRIANGLES, kDepthFlap, ticks);
  glColor3f(0.0f, 0.0f, 0.0f);
  glLineWidth(lineWidth);
  DrawRuns(g, at, &RasterRun::flapOutlines, GL_LINES, kDepthFlap, ticks);
  SetSmoothing(false);
}

bool AnyFace(const RasterGeometry& g, std::size_t slot) {
  for (const RasterRun& run : g.runs)
    if (!run.faces[slot].xy.empty()) return true;
  return false;
}

// Faces material by material, the default material first.
void DrawFaces(const Model& model, const Settings& settings, const RasterGeometry& g, const Placement& at,
               TickCounter* ticks) {
  for (int index = -1; index + 1 < static_cast<int>(g.textured.size()); ++index) {
    const std::size_t slot = static_cast<std::size_t>(index + 1);
    if (!AnyFace(g, slot)) continue;
    const Material& material = model.MaterialOf(index);
    const bool textured = g.textured[slot] != 0;
    GLuint texture = 0;
    if (textured) {
      glGenTextures(1, &texture);
      glBindTexture(GL_TEXTURE_2D, texture);
      BindTexture(*material.image, settings);
      glEnable(GL_TEXTURE_2D);
      glColor3f(1.0f, 1.0f, 1.0f);
    } else if (settings.bUseMaterial) {
      const auto rgb = MaterialFillColor(material);
      glColor3ub(static_cast<GLubyte>(rgb[0]), static_cast<GLubyte>(rgb[1]), static_cast<GLubyte>(rgb[2]));
    } else {
      glColor3f(1.0f, 1.0f, 1.0f);
    }
    PushPlacement(at.map);
    for (const RasterRun& run : g.runs) DrawBatch(run.faces[slot], GL_TRIANGLES, kDepthFace, at.window, ticks);
    glPopMatrix();
    if (textured) {
      glDisable(GL_TEXTURE_2D);
      glBindTexture(GL_TEXTURE_2D, 0);
      glDeleteTextures(1, &texture);
    }
  }
}

void DrawLines(const RasterGeometry& g, const Placement& at, const Settings& settings, float lineWidth, int factor,
               TickCounter* ticks) {
  SetSmoothing(settings.bLineSmooth);
  glLineWidth(lineWidth);
  glColor3f(1.0f, 1.0f, 1.0f);
  DrawRuns(g, at, &RasterRun::under, GL_LINES, kDepthLine, ticks);
  glColor3f(0.0f, 0.0f, 0.0f);
  DrawRuns(g, at, &RasterRun::solid, GL_LINES, kDepthLine, ticks);
  // Each segment of GL_LINES starts its stipple afresh, as a separate line would.
  glEnable(GL_LINE_STIPPLE);
  glLineStipple(factor, kDot1Stipple);
  DrawRuns(g, at, &RasterRun::dot1, GL_LINES, kDepthLine, ticks);
  glLineStipple(factor, kDot2Stipple);
  DrawRuns(g, at, &RasterRun::dot2, GL_LINES, kDepthLine, ticks);
  glDisable(GL_LINE_STIPPLE);
  SetSmoothing(false);
}

bool NearRect(Point2 point, const BufferRect& r, double distance) {
  return point.x >= r.left - distance && point.x <= r.left + r.width + distance && point.y >= r.top - distance &&
         point.y <= r.top + r.height + distance;
}

void DrawJoinNumbers(const Model& model, const Settings& settings, const PixelMap& map, const RasterDrawParams& p,
                     const GlFont& font, TickCounter* ticks) {
  const BufferRect* clip = p.clip;
  const double scale = settings.iEdgeNumberFontSize * p.pixelsPerCm * 0.042333333333333334;
  glColor3f(0.0f, 0.0f, 0.0f);
  char text[16];
  for (const Part& part : model.parts) {
    if (ticks && !ticks->Step(static_cast<int>(part.faces.size()))) return;
    for (const Face* face : part.faces) {
      for (const HalfEdge* h : face->ring) {
        const HalfEdge* end = SideEnd(*h);
        if (!h->edge || !end || h->edge->joinNumber == -1) continue;
        const JoinNumberPlacement place = PlaceJoinNumber(
            map.Pixel(CornerOf(*h, part)), map.Pixel(CornerOf(*end, part)), model.mirrored, settings.bEdgeIdReverse);
        if (!place.valid) continue;
        const int length = std::snprintf(text, sizeof text, "%d", h->edge->joinNumber);
        // A number is centred on its origin and at most as wide as its digits plus one em.
        if (clip && !NearRect(place.middle, *clip, scale * (length + 1))) continue;
        glPushMatrix();
        glTranslated(place.middle.x, p.height - place.middle.y, kDepthNumber);
        glScaled(scale, scale, scale);
        glRotated(place.angleDegrees, 0.0, 0.0, 1.0);
        DrawGlText(text, font);
        glPopMatrix();
      }
    }
  }
}

// Triangles covering a part's faces and flaps, in development units.
void AddPartCover(const Model& model, const Settings& settings, const Part& part, RasterBatch& cover) {
  auto put = [&cover](Point2 p) {
    cover.xy.push_back(static_cast<float>(p.x));
    cover.xy.push_back(static_cast<float>(p.y));
  };
  const bool flip = model.mirrored != settings.bNorishiroReverse;
  std::array<Point2, 4> flap;
  for (const Face* face : part.faces) {
    for (std::size_t i = 1; i + 1 < face->ring.size(); ++i) {
      put(CornerOf(*face->ring[0], part));
      put(CornerOf(*face->ring[i], part));
      put(CornerOf(*face->ring[i + 1], part));
    }
    if (!settings.bDrawFlap) continue;
    for (const HalfEdge* h : face->ring) {
      const int n = h->hasFlap ? FlapPolygonOf(*h, part, flip, model.devScale, flap) : 0;
      for (int i = 1; i + 1 < n; ++i) {
        put(flap[0]);
        put(flap[static_cast<std::size_t>(i)]);
        put(flap[static_cast<std::size_t>(i + 1)]);
      }
    }
  }
}

// Faded parts: a translucent veil of the paper's white over their faces,
// flaps, lines and numbers, so that what is left to build stands out.
void DrawFadedParts(const Model& model, const Settings& settings, const std::vector<char>& faded, const PixelMap& map) {
  RasterBatch cover;
  for (std::size_t p = 0; p < model.parts.size() && p < faded.size(); ++p)
    if (faded[p]) AddPartCover(model, settings, model.parts[p], cover);
  if (cover.xy.empty()) return;
  glEnable(GL_BLEND);
  glColor4f(1.0f, 1.0f, 1.0f, kFadeVeilAlpha);
  PushPlacement(map);
  DrawBatch(cover, GL_TRIANGLES, kDepthFade);
  glPopMatrix();
  glDisable(GL_BLEND);
}

void DrawHighlights(const Settings& settings, const RasterGeometry& g, const Placement& at) {
  const ColorRef c = settings.colors[kColorHighlight];
  glColor3ub(static_cast<GLubyte>(RedOf(c)), static_cast<GLubyte>(GreenOf(c)), static_cast<GLubyte>(BlueOf(c)));
  DrawRuns(g, at, &RasterRun::highlights, GL_TRIANGLES, kDepthHighlight);
}

// The clip rectangle in development units, widened by the line width and
// the smoothing's fringe, when the drawing is culled to it.
DrawWindow WindowOf(const RasterDrawParams& p, const PixelMap& map, float lineWidth) {
  DrawWindow w;
  if (!p.clip || !p.cullToClip || !(map.k > 0.0)) return w;
  const double margin = std::max(1.0, static_cast<double>(lineWidth)) + 3.0;
  const BufferRect& r = *p.clip;
  w.all = false;
  w.rect.x0 = static_cast<float>((r.left - margin - map.ox) / map.k);
  w.rect.x1 = static_cast<float>((r.left + r.width + margin - map.ox) / map.k);
  w.rect.y0 = static_cast<float>((r.top - margin - map.oy) / map.k);
  w.rect.y1 = static_cast<float>((r.top + r.height + margin - map.oy) / map.k);
  return w;
}

}  // namespace

RasterDrawParams PaneRasterParams(const DevelopmentView& view, const SheetArea& area, double devScale,
                                  double pixelRatio) {
  // The view maps to client pixels; the buffer has pixelRatio times as many.
  RasterDrawParams p;
  p.pixelRatio = pixelRatio;
  p.width = DevicePixels(view.clientWidth, pixelRatio);
  p.height = DevicePixels(view.clientHeight, pixelRatio);
  p.pixelsPerCm = view.PixelsPerCm() * pixelRatio;
  const Point2 origin = MapDevelopmentPoint(view, area, devScale, {0.0, 0.0});
  p.originX = origin.x * pixelRatio;
  p.originY = origin.y * pixelRatio;
  const Point2 corner = SheetAreaCorner(view, area);
  p.sheets = area;
  p.sheetLeft = corner.x * pixelRatio;
  p.sheetTop = corner.y * pixelRatio;
  return p;
}

void InitDevelopmentGlState(const Settings& settings) {
  glFrontFace(GL_CCW);
  glShadeModel(GL_SMOOTH);
  glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  const GLint filter = settings.bTextureSmooth ? GL_LINEAR : GL_NEAREST;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

bool DrawDevelopmentRaster(const Model* model, const Settings& settings, const RasterDrawParams& p) {
  TickCounter counter(p.tick, 1);
  TickCounter* ticks = p.tick && *p.tick ? &counter : nullptr;
  glViewport(0, 0, p.width, p.height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, p.width, 0.0, p.height, -100.0, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glDisable(GL_TEXTURE_2D);
  // The layers are drawn back to front, each at a depth nearer than the one
  // before, so a less-or-equal depth test would pass every fragment: it is
  // left off, which gives the same picture for less work.
  glDisable(GL_DEPTH_TEST);

  if (p.clip) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(p.clip->left, p.height - p.clip->top - p.clip->height, p.clip->width, p.clip->height);
  }
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  if (p.forPrint) {
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  } else {
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
  }
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);  // alpha stays opaque under blending
  if (!p.forPrint) DrawSheets(p);

  if (model && model->devScale > 0.0) {
    const PixelMap map{p.pixelsPerCm * model->devScale, p.originX, p.originY, static_cast<double>(p.height)};
    const float lineWidth = static_cast<float>(p.pixelsPerCm * settings.printoutLineWidth * kCmPerLinePoint);
    const Placement at{map, WindowOf(p, map, lineWidth)};
    const int factor = std::clamp(static_cast<int>(p.pixelsPerCm * 0.04), 1, 256);
    // Without a cache of the caller's the arrays are built afresh, in
    // storage kept from one picture to the next (a large model needs tens
    // of megabytes).
    static RasterGeometryCache scratch;
    RasterGeometryCache& cache = p.geometry ? *p.geometry : scratch;
    if (!p.geometry) scratch.Invalidate();
    const RasterGeometry& geometry = cache.Get(*model, settings, p.texturedOnly, p.markedFaces, ticks);
    if (counter.stopped()) {
      glDisable(GL_SCISSOR_TEST);
      glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
      return false;
    }
    if (p.clip && p.cullToClip) cache.Index();
    if (p.texturedOnly) {
      DrawFaces(*model, settings, geometry, at, ticks);
    } else {
      if (settings.bDrawFlap) DrawFlaps(geometry, at, settings, lineWidth, ticks);
      DrawFaces(*model, settings, geometry, at, ticks);
      DrawLines(geometry, at, settings, lineWidth, factor, ticks);
      if (settings.bDrawNumber && !counter.stopped()) {
        GlFont own;
        const GlFont* font = p.font;
        if (!font || !font->listBase) {
          own = CreateGlFont(kJoinNumberFaceName);
          font = &own;
        }
        DrawJoinNumbers(*model, settings, map, p, *font, ticks);
        if (own.listBase) DeleteGlFont(own);
      }
      if (p.fadedParts) DrawFadedParts(*model, settings, *p.fadedParts, at.map);
      DrawHighlights(settings, geometry, at);
    }
  }
  glDisable(GL_SCISSOR_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  // Strips are drawn in a row before the caller waits for them all.
  if (!p.cullToClip) glFlush();
  return !counter.stopped();
}

}  // namespace plicora
