#include "render/view3d/PrimitiveWriter.h"

#include <GL/gl.h>

#include "core/model/MeshTopology.h"
#include "render/view3d/CulledTriangles.h"

namespace plicora {
namespace {

void Corner(const HalfEdge& h, bool opened, bool texCoord) {
  if (texCoord && h.hasUv) glTexCoord2f(static_cast<float>(h.uv.u), static_cast<float>(h.uv.v));
  if (opened) {
    const Point3 p = OpenedPositionOf(h);
    glVertex3d(p.x, p.y, p.z);
  } else
    glVertex3d(h.vertex->x, h.vertex->y, h.vertex->z);
}

}  // namespace

PrimitiveWriter::PrimitiveWriter(CulledTriangles* sink, const CornerKeys* keys, const std::atomic<bool>* stop)
    : batched_(true), sink_(sink), keys_(keys), stop_(stop) {
  sink_->BeginCapture(keys_ ? keys_->count() : 0);
}

void PrimitiveWriter::Begin(unsigned mode) {
  if (inBatch_ && open_ == mode) return;
  Flush();
  glBegin(mode);
  open_ = mode;
  inBatch_ = true;
}

void PrimitiveWriter::Flush() {
  if (!inBatch_) return;
  glEnd();
  inBatch_ = false;
}

void PrimitiveWriter::Face(const plicora::Face& face, bool opened, bool reverse, bool lit) {
  const std::size_t n = face.ring.size();
  auto at = [&](std::size_t i) -> const HalfEdge& { return *face.ring[reverse ? n - 1 - i : i]; };
  if (!batched_) {
    glBegin(GL_POLYGON);
    for (std::size_t i = 0; i < n; ++i) Corner(at(i), opened, !reverse);
    glEnd();
    return;
  }
  if (n < 3) return;
  const bool texCoords = !reverse && lit;
  if (sink_) {
    if (stop_ && stop_->load(std::memory_order_relaxed)) return;
    if (keys_ && face.solid != keyedSolid_) {
      keyedSolid_ = face.solid;
      solidKeys_ = keys_->Find(face.solid);
    }
    auto corner = [&](const HalfEdge& h) {
      if (texCoords && h.hasUv) sink_->SetTexCoord(static_cast<float>(h.uv.u), static_cast<float>(h.uv.v));
      const Point3 p = opened ? OpenedPositionOf(h) : Point3{h.vertex->x, h.vertex->y, h.vertex->z};
      const std::uint32_t key = solidKeys_ ? solidKeys_->KeyOf(h) : CornerKeys::kOwnPoint;
      sink_->AddCorner(key, static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z));
    };
    if (normalPending_)
      sink_->SetNormal(static_cast<float>(normal_[0]), static_cast<float>(normal_[1]), static_cast<float>(normal_[2]));
    normalPending_ = colorPending_ = false;
    for (std::size_t i = 0; i + 2 < n; ++i) {
      corner(at(i + 1));
      corner(at(i + 2));
      corner(at(0));
    }
    return;
  }
  Begin(GL_TRIANGLES);
  SendPending();
  for (std::size_t i = 0; i + 2 < n; ++i) {
    Corner(at(i + 1), opened, texCoords);
    Corner(at(i + 2), opened, texCoords);
    Corner(at(0), opened, texCoords);
  }
}

void PrimitiveWriter::Loop(const plicora::Face& face, bool opened, float width) {
  if (sink_) return;
  const std::size_t n = face.ring.size();
  if (!batched_) {
    glLineWidth(width * lineScale_);
    glBegin(GL_LINE_LOOP);
    for (const HalfEdge* h : face.ring) Corner(*h, opened, false);
    glEnd();
    return;
  }
  auto position = [&](std::size_t i) {
    const HalfEdge& h = *face.ring[i % n];
    return opened ? OpenedPositionOf(h) : Point3{h.vertex->x, h.vertex->y, h.vertex->z};
  };
  for (std::size_t i = 0; i < n && n >= 2; ++i) Segment(width, position(i), position(i + 1));
}

void PrimitiveWriter::Normal(double x, double y, double z, bool lit) {
  if (!batched_) {
    glNormal3d(x, y, z);
    return;
  }
  if (!lit) return;
  normal_[0] = x;
  normal_[1] = y;
  normal_[2] = z;
  normalPending_ = true;
}

void PrimitiveWriter::Color(float r, float g, float b) {
  if (!batched_) {
    glColor3f(r, g, b);
    return;
  }
  color_[0] = r;
  color_[1] = g;
  color_[2] = b;
  colorPending_ = true;
}

void PrimitiveWriter::SendPending() {
  if (colorPending_) glColor3f(color_[0], color_[1], color_[2]);
  if (normalPending_) glNormal3d(normal_[0], normal_[1], normal_[2]);
  colorPending_ = normalPending_ = false;
}

void PrimitiveWriter::Segment(float width, const Point3& a, const Point3& b) {
  if (sink_) return;
  if (!batched_ || width != lineWidth_ || !inBatch_ || open_ != GL_LINES) {
    if (batched_) Flush();
    if (width != lineWidth_ || !batched_) glLineWidth(width * lineScale_);
    lineWidth_ = width;
  }
  if (batched_) {
    Begin(GL_LINES);
    SendPending();
  } else {
    glBegin(GL_LINES);
  }
  glVertex3d(a.x, a.y, a.z);
  glVertex3d(b.x, b.y, b.z);
  if (!batched_) glEnd();
}

}  // namespace plicora
