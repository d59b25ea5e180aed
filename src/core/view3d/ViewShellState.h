#pragma once
// The main frame's state that the 3D pane reads: whether the model has a
// development, the edit and edge-specify modes, the edge-only drawing of
// "Hide Surface" and the material the texture dialog highlights.

#include "core/model/Model.h"

namespace plicora {

/// Check Corresponding Surface.
inline constexpr int kCheckCorrespondingSurfaceMode = 9;
/// Find Partner: a click on a numbered side highlights both ends of its join.
inline constexpr int kFindPartnerMode = 10;
/// Edge-specify modes (only while the model has no development).
inline constexpr int kSpecifyCutEdgeMode = 1;
inline constexpr int kSpecifyKeepEdgeMode = 2;

struct ViewShellState {
  bool hasDevelopment = false;                    ///< the current model carries a development
  int developmentEditMode = 0;                    ///< 9: Check Corresponding Surface
  int edgeSpecifyMode = 0;                        ///< 0 none, 1 cut, 2 keep
  bool edgeOnly = false;                          ///< "Hide Surface": edges without faces
  const Material* highlightedMaterial = nullptr;  ///< texture dialog selection
};

}  // namespace plicora
