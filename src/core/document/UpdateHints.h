#pragma once
// Document update hints: passed to every pane with the document's
// update-all-views call; each pane reacts in its own way.

namespace plicora {

inline constexpr int HINT_NONE = 0;
inline constexpr int HINT_PAGES_CHANGED = 0x1402;
inline constexpr int HINT_SCALE_UP = 0x1404;
inline constexpr int HINT_SCALE_DOWN = 0x1405;
inline constexpr int HINT_ZOOM_IN = 0x1406;
inline constexpr int HINT_ZOOM_OUT = 0x1407;
inline constexpr int HINT_FILE_OPENED = 0x1408;
inline constexpr int HINT_TEXTURE_FILTER_CHANGED = 0x1409;
inline constexpr int HINT_RESET_VIEW = 0x1410;
inline constexpr int HINT_MIRROR = 0x1411;
/// The highlighted join number or its shown end changed: the development
/// pane moves to the shown end.
inline constexpr int HINT_JOIN_END_SHOWN = 0x1412;
/// Parts were marked built or not built, or Show Progress was switched:
/// the panes redraw their fading and the status bar its count.
inline constexpr int HINT_PROGRESS_CHANGED = 0x1413;
/// The selected part changed: the development pane moves to it, the part
/// list follows.
inline constexpr int HINT_PART_SELECTED = 0x1420;
/// A face's numbered sides were highlighted (Find Partner in the 3D pane).
inline constexpr int HINT_FACE_JOINS_SHOWN = 0x1421;

/// Hints after which only the build-mode marks differ: the model and the
/// settings are as they were, so what the panes keep of them stays valid.
constexpr bool OnlyMarksChanged(int hint) {
  return hint == HINT_JOIN_END_SHOWN || hint == HINT_PART_SELECTED || hint == HINT_FACE_JOINS_SHOWN ||
         hint == HINT_PROGRESS_CHANGED;
}

}  // namespace plicora
