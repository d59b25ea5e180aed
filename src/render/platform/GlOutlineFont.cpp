#include "render/platform/GlOutlineFont.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QPolygonF>
#include <array>
#include <deque>
#include <vector>

#include "core/platform/MessageSink.h"
#include "render/platform/FontResolution.h"

namespace plicora {
namespace {

// The glyphs are built at this pixel size and scaled to an em of 1.0.
constexpr double kBuildPixels = 512.0;

using Vertex3 = std::array<GLdouble, 3>;

// Storage of the tessellator's new vertices; it must outlive the polygon.
std::deque<Vertex3>* gCombined = nullptr;

void APIENTRY TessBegin(GLenum type) {
  glBegin(type);
}
void APIENTRY TessEnd() {
  glEnd();
}
void APIENTRY TessVertex(void* data) {
  glVertex3dv(static_cast<const GLdouble*>(data));
}
void APIENTRY TessCombine(GLdouble coords[3], void* /*data*/[4], GLfloat /*weight*/[4], void** out) {
  gCombined->push_back({coords[0], coords[1], coords[2]});
  *out = gCombined->back().data();
}

QFont OutlineFont(const std::string& faceName) {
  QFont font = MakeFaceFont(faceName);
  font.setBold(true);
  font.setPixelSize(static_cast<int>(kBuildPixels));
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(false);
  return font;
}

// One glyph as filled polygons, y up, followed by the move to the next glyph.
void BuildGlyph(GLUtesselator* tess, const QFont& font, QChar ch, float advance) {
  QPainterPath path;
  path.addText(0.0, 0.0, font, QString(ch));
  const QList<QPolygonF> contours = path.toSubpathPolygons();
  std::vector<std::vector<Vertex3>> points;
  points.reserve(static_cast<std::size_t>(contours.size()));
  for (const QPolygonF& contour : contours) {
    std::vector<Vertex3> ring;
    // Subpaths repeat their first point at the end.
    qsizetype count = contour.size();
    if (count > 1 && contour.front() == contour.back()) --count;
    for (qsizetype i = 0; i < count; ++i) {
      ring.push_back({contour[i].x() / kBuildPixels, -contour[i].y() / kBuildPixels, 0.0});
    }
    if (ring.size() >= 3) points.push_back(std::move(ring));
  }
  std::deque<Vertex3> combined;
  gCombined = &combined;
  if (!points.empty()) {
    gluTessBeginPolygon(tess, nullptr);
    for (auto& ring : points) {
      gluTessBeginContour(tess);
      for (auto& v : ring) gluTessVertex(tess, v.data(), v.data());
      gluTessEndContour(tess);
    }
    gluTessEndPolygon(tess);
  }
  gCombined = nullptr;
  glTranslatef(advance, 0.0f, 0.0f);
}

}  // namespace

GlFont CreateGlFont(const std::string& faceName) {
  GlFont result;
  const GLuint base = glGenLists(256);
  GLUtesselator* tess = base ? gluNewTess() : nullptr;
  if (!tess) {
    if (base) glDeleteLists(base, 256);
    ShowMessage("Failed to create the outline font " + faceName, MessageKind::Error);
    return result;
  }
  gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_ODD);
  gluTessNormal(tess, 0.0, 0.0, 1.0);
  gluTessCallback(tess, GLU_TESS_BEGIN, reinterpret_cast<void(APIENTRY*)()>(&TessBegin));
  gluTessCallback(tess, GLU_TESS_END, reinterpret_cast<void(APIENTRY*)()>(&TessEnd));
  gluTessCallback(tess, GLU_TESS_VERTEX, reinterpret_cast<void(APIENTRY*)()>(&TessVertex));
  gluTessCallback(tess, GLU_TESS_COMBINE, reinterpret_cast<void(APIENTRY*)()>(&TessCombine));

  const QFont font = OutlineFont(faceName);
  const QFontMetricsF metrics(font);
  for (int code = 0; code < 256; ++code) {
    const QChar ch = QChar::fromLatin1(static_cast<char>(code));
    const float advance = static_cast<float>(metrics.horizontalAdvance(ch) / kBuildPixels);
    result.advances[static_cast<std::size_t>(code)] = advance;
    glNewList(base + static_cast<GLuint>(code), GL_COMPILE);
    if (ch.isPrint() && !ch.isSpace()) {
      BuildGlyph(tess, font, ch, advance);
    } else {
      glTranslatef(advance, 0.0f, 0.0f);
    }
    glEndList();
  }
  gluDeleteTess(tess);
  result.listBase = base;
  return result;
}

void DrawGlText(const std::string& text, const GlFont& font) {
  if (!font.listBase || text.empty()) return;
  float width = 0.0f;
  for (unsigned char c : text) width += font.advances[c];
  glPushMatrix();
  glTranslatef(-width / 2.0f, 0.0f, 0.0f);
  glPushAttrib(GL_LIST_BIT);
  glListBase(font.listBase);
  glCallLists(static_cast<GLsizei>(text.size()), GL_UNSIGNED_BYTE, text.data());
  glPopAttrib();
  glPopMatrix();
}

void DeleteGlFont(GlFont& font) {
  if (font.listBase) glDeleteLists(font.listBase, 256);
  font = GlFont{};
}

}  // namespace plicora
