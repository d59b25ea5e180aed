#pragma once
// Face names that work files and drawings ask for by name.

namespace plicora {

/// The face join numbers are drawn with.
inline constexpr const char* kJoinNumberFaceName = "Arial";
/// The scale gauge's label.
inline constexpr const char* kScaleGaugeFaceName = "Arial";

/// The Japanese face name of the MS Gothic font, the replacement font.
inline constexpr const char* kMsGothicFaceName =
    "\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF";

}  // namespace plicora
