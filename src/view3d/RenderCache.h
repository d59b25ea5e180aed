#pragma once
// Vertex data and texture objects of the 3D pane kept between frames.

namespace plicora {

class RenderCache {
 public:
  void Clear() {}
  void OnFixedState(bool) {}
  void OnTextureFilter(bool) {}
};

}  // namespace plicora
