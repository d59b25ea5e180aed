#pragma once
// What the OpenGL implementation that draws the panes says about itself.

#include "gui/commands/FrameServices.h"

namespace plicora {

/// The version, vendor and renderer strings and the maximum texture size of
/// an off-screen context like the panes' own, asked once and then kept.
/// Empty strings and size 0 when no context can be made.
GlDescription DescribeOffscreenGl();

}  // namespace plicora
