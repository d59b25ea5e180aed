#pragma once
// Qt mouse events as the panes' engines take them.

#include <QMouseEvent>
#include <optional>

#include "render/view3d/ModelViewEngine.h"

namespace plicora {

/// The buttons and keys held during a mouse event.
inline PointerState PointerStateOf(const QMouseEvent& event) {
  const Qt::MouseButtons b = event.buttons();
  const Qt::KeyboardModifiers m = event.modifiers();
  return PointerState{.left = bool(b & Qt::LeftButton),
                      .right = bool(b & Qt::RightButton),
                      .middle = bool(b & Qt::MiddleButton),
                      .shift = bool(m & Qt::ShiftModifier),
                      .ctrl = bool(m & Qt::ControlModifier)};
}

/// The button of a press or release, or nothing for other buttons.
inline std::optional<MouseButton> ButtonOf(const QMouseEvent& event) {
  switch (event.button()) {
    case Qt::LeftButton:
      return MouseButton::Left;
    case Qt::RightButton:
      return MouseButton::Right;
    case Qt::MiddleButton:
      return MouseButton::Middle;
    default:
      return std::nullopt;
  }
}

/// The pointer while a button drags in a pane: moving (Ctrl+right or middle
/// drag, and a plain right drag in the development pane), zooming
/// (Shift+right drag) or turning the model (a plain right drag in the 3D
/// pane); the ordinary pointer once no button is held.
inline Qt::CursorShape DragCursorOf(const QMouseEvent& event, bool rightDragTurns) {
  const PointerState s = PointerStateOf(event);
  if (s.middle || (s.right && s.ctrl)) return Qt::SizeAllCursor;
  if (s.right && s.shift) return Qt::SizeVerCursor;
  if (s.right) return rightDragTurns ? Qt::ClosedHandCursor : Qt::SizeAllCursor;
  return Qt::ArrowCursor;
}

}  // namespace plicora
