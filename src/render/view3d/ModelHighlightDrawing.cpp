#include "render/view3d/ModelHighlightDrawing.h"

#include <GL/gl.h>

#include <cmath>

#include "core/model/MeshTopology.h"
#include "core/view3d/FacePicking.h"
#include "render/view3d/PrimitiveWriter.h"

namespace plicora {
namespace {

bool Drawable(const Face& face) {
  if (!face.solid || !face.solid->selected) return false;
  for (const HalfEdge* h : face.ring)
    if (!h->vertex) return false;
  return face.ring.size() >= 3;
}

Point3 CornerPosition(const HalfEdge& h, bool opened) {
  return opened ? OpenedPositionOf(h) : Point3{h.vertex->x, h.vertex->y, h.vertex->z};
}

// Both windings, so that the tint shows on whichever side faces the viewer;
// the faces already drawn there have the same depth and pass the test.
void TintPart(const Part& part, float r, float g, float b, bool opened) {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDepthMask(GL_FALSE);
  glColor4f(r, g, b, kPartTintOpacity);
  {
    PrimitiveWriter out(false);
    for (const Face* face : part.faces) {
      if (!Drawable(*face)) continue;
      out.Face(*face, opened, false, false);
      out.Face(*face, opened, true, false);
    }
  }
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
}

// Rings in window pixels around the sides' projected midpoints, drawn over
// everything: a short side is found at any distance.
void RingSides(const std::vector<const HalfEdge*>& sides, bool opened, float lineScale) {
  PickMatrices m;
  glGetDoublev(GL_MODELVIEW_MATRIX, m.modelView.data());
  glGetDoublev(GL_PROJECTION_MATRIX, m.projection.data());
  glGetIntegerv(GL_VIEWPORT, m.viewport.data());
  std::vector<WindowPoint> centres;
  for (const HalfEdge* side : sides) {
    if (!side || !side->face || !side->next || !Drawable(*side->face)) continue;
    const Point3 a = CornerPosition(*side, opened), b = CornerPosition(*side->next, opened);
    centres.push_back(ProjectPoint(m, (a.x + b.x) / 2.0, (a.y + b.y) / 2.0, (a.z + b.z) / 2.0));
  }
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(m.viewport[0], m.viewport[0] + m.viewport[2], m.viewport[1], m.viewport[1] + m.viewport[3], -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glLineWidth(kSideRingWidth * lineScale);
  const double radius = kSideRingRadius * lineScale;
  constexpr int kSegments = 48;
  for (const WindowPoint& c : centres) {
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < kSegments; ++i) {
      const double angle = 2.0 * M_PI * i / kSegments;
      glVertex2d(c.x + radius * std::cos(angle), c.y + radius * std::sin(angle));
    }
    glEnd();
  }
  glEnable(GL_DEPTH_TEST);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}

}  // namespace

void DrawModelHighlights(const Model& model, const ModelHighlights& marks, ColorRef color, bool opened,
                         float lineScale) {
  if (marks.empty()) return;
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  const float r = static_cast<float>(RedOf(color)) / 255.f, g = static_cast<float>(GreenOf(color)) / 255.f,
              b = static_cast<float>(BlueOf(color)) / 255.f;
  if (marks.selectedPart >= 0 && marks.selectedPart < static_cast<int>(model.parts.size()))
    TintPart(model.parts[static_cast<std::size_t>(marks.selectedPart)], r, g, b, opened);
  // A side behind the model shows through as a thin line; where it is in
  // sight the thick stroke covers it.
  PrimitiveWriter out(false);
  out.SetLineScale(lineScale);
  out.Color(r, g, b);
  const auto strokes = [&](float width) {
    for (const HalfEdge* side : marks.sides) {
      if (!side || !side->face || !side->next || !Drawable(*side->face)) continue;
      out.Segment(width, CornerPosition(*side, opened), CornerPosition(*side->next, opened));
    }
  };
  glDisable(GL_DEPTH_TEST);
  strokes(kHiddenSideWidth);
  glEnable(GL_DEPTH_TEST);
  strokes(kSideHighlightWidth);
  out.Flush();
  RingSides(marks.sides, opened, lineScale);
}

}  // namespace plicora
