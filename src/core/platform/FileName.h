#pragma once
// The parts of a path's last component that the program looks at: the file
// name and its extension, compared without regard to letter case.

#include <string>
#include <string_view>

namespace plicora {

/// What follows the path's last '/' (the whole path when it has none).
std::string_view FileNameOf(std::string_view path);

/// The file name's extension, dot included and lower-cased (ASCII): from the
/// name's last dot on, so "Cube.PLC" gives ".plc" and a name that starts with
/// its only dot (".jpg") is all extension. Empty when the name has no dot.
std::string LowerCaseExtension(std::string_view path);

}  // namespace plicora
