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

}  // namespace plicora
