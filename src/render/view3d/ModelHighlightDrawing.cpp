#include "render/view3d/ModelHighlightDrawing.h"

#include <GL/gl.h>

#include "core/model/MeshTopology.h"
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
  PrimitiveWriter out(false);
  out.SetLineScale(lineScale);
  out.Color(r, g, b);
  for (const HalfEdge* side : marks.sides) {
    if (!side || !side->face || !side->next || !Drawable(*side->face)) continue;
    out.Segment(kSideHighlightWidth, CornerPosition(*side, opened), CornerPosition(*side->next, opened));
  }
}

}  // namespace plicora
