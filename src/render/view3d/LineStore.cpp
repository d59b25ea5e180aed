#define GL_GLEXT_PROTOTYPES 1
#include "render/view3d/LineStore.h"

#include <GL/gl.h>
#include <GL/glext.h>

namespace plicora {

void LineStore::Add(float width, const float color[3], const Point3& a, const Point3& b) {
  if (runs_.empty() || runs_.back().width != width) runs_.push_back({width, ends_, 0});
  runs_.back().count += 2;
  ends_ += 2;
  // OpenGL keeps a vertex given in doubles as floats.
  positions_.insert(positions_.end(), {static_cast<float>(a.x), static_cast<float>(a.y), static_cast<float>(a.z),
                                       static_cast<float>(b.x), static_cast<float>(b.y), static_cast<float>(b.z)});
  colors_.insert(colors_.end(), {color[0], color[1], color[2], color[0], color[1], color[2]});
  lastColor_[0] = color[0];
  lastColor_[1] = color[1];
  lastColor_[2] = color[2];
}

void LineStore::Upload() {
  glGenBuffers(2, buffers_);
  const auto load = [](unsigned buffer, std::vector<float>& data) {
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.size() * sizeof(float)), data.data(), GL_STATIC_DRAW);
    data.clear();
    data.shrink_to_fit();
  };
  load(buffers_[0], positions_);
  load(buffers_[1], colors_);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void LineStore::Draw(float lineScale) const {
  if (ends_ == 0) return;
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glBindBuffer(GL_ARRAY_BUFFER, buffers_[0]);
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, nullptr);
  glBindBuffer(GL_ARRAY_BUFFER, buffers_[1]);
  glEnableClientState(GL_COLOR_ARRAY);
  glColorPointer(3, GL_FLOAT, 0, nullptr);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  for (const Run& run : runs_) {
    glLineWidth(run.width * lineScale);
    glDrawArrays(GL_LINES, static_cast<GLint>(run.first), static_cast<GLsizei>(run.count));
  }
  glPopClientAttrib();
  glColor3f(lastColor_[0], lastColor_[1], lastColor_[2]);
}

void LineStore::Release() {
  if (buffers_[0]) glDeleteBuffers(2, buffers_);
  buffers_[0] = buffers_[1] = 0;
}

}  // namespace plicora
