#pragma once
// A 3D pane engine with its own settings and shell state, a model built in
// code, and counters of what it asked of its surroundings.

#include <gtest/gtest.h>

#include "MeshBuilder.h"
#include "core/document/UpdateHints.h"
#include "render/view3d/ModelViewEngine.h"

namespace plicora::test {

class ViewEngineFixture : public ::testing::Test {
 protected:
  ViewEngineFixture() : engine(settings, shell) {
    ModelViewCallbacks callbacks;
    callbacks.invalidate = [this] { ++invalidations; };
    callbacks.updateAllViews = [this](int hint) {
      hints.push_back(hint);
      engine.OnUpdate(hint);
    };
    callbacks.documentModified = [this] { ++modifications; };
    callbacks.playPickSound = [this] { ++sounds; };
    callbacks.showPopupMenu = [this](int x, int y) { popups.push_back({x, y}); };
    engine.SetCallbacks(callbacks);
  }

  /// Opens the model in a pane of the given size, as the open path does.
  void Open(int width = 200, int height = 200) {
    shell.hasDevelopment = mesh.model.hasDevelopment;
    engine.Resize(width, height);
    engine.SetModel(&mesh.model);
    engine.OnUpdate(HINT_FILE_OPENED);
  }

  void Click(int x, int y, int releaseX, int releaseY) {
    engine.MousePress(MouseButton::Left, x, y, PointerState{.left = true});
    engine.MouseRelease(MouseButton::Left, releaseX, releaseY, PointerState{});
  }
  void Click(int x, int y) { Click(x, y, x, y); }

  /// A unit square [-s, s]^2 at height z, facing the viewer unless `back`.
  Face& Square(double s, double z, bool back = false) {
    const int a = mesh.AddVertex(-s, -s, z), b = mesh.AddVertex(s, -s, z), c = mesh.AddVertex(s, s, z),
              d = mesh.AddVertex(-s, s, z);
    return back ? mesh.AddFace({a, d, c, b}) : mesh.AddFace({a, b, c, d});
  }

  /// The pixel at a client point, as (R, G, B).
  std::array<int, 3> Pixel(int x, int y) const {
    const QRgb p = engine.Image().pixel(x, y);
    return {qRed(p), qGreen(p), qBlue(p)};
  }

  Settings settings;
  ViewShellState shell;
  MeshBuilder mesh;
  ModelViewEngine engine;
  int invalidations = 0;
  int modifications = 0;
  int sounds = 0;
  std::vector<int> hints;
  std::vector<std::pair<int, int>> popups;
};

}  // namespace plicora::test
