#pragma once
// What the 3D pane keeps between frames to draw faster with the same pixels:
// display lists of the line passes, vertex buffers of the face passes and
// texture objects holding the materials' images.
// Everything is dropped when the inputs of a pass change or on request.
// Calls that touch OpenGL expect the pane's context to be current.

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "core/model/Model.h"
#include "render/view3d/CulledTriangles.h"

namespace plicora {

class RenderCache {
 public:
  /// Drops everything at the next frame (no OpenGL call here).
  void Clear() { stale_ = true; }

  /// Starts a frame whose passes depend on `key`: a different key, or a
  /// Clear since the last frame, drops the kept lists and textures.
  void BeginFrame(std::uint64_t key);

  /// Runs `draw` through the display list of `slot`, compiling it first
  /// when the slot has none.
  void Draw(int slot, const std::function<void()>& draw);

  /// The kept triangles of `slot`, or null.
  CulledTriangles* Triangles(int slot);
  /// A new, empty triangle store for `slot`.
  CulledTriangles& NewTriangles(int slot);

  /// Binds a texture object holding the material's image, uploading it the
  /// first time; the filters are those given last.
  void BindTexture(const Material& material, bool smooth);

  /// New filters for every kept texture object.
  void OnTextureFilter(bool smooth);

 private:
  void Release();

  struct Texture {
    unsigned id = 0;
    const std::uint8_t* pixels = nullptr;
    int width = 0, height = 0;
  };
  bool stale_ = true;
  std::uint64_t key_ = 0;
  std::map<int, unsigned> lists_;
  std::map<int, CulledTriangles> triangles_;
  std::map<const Material*, Texture> textures_;
};

}  // namespace plicora
