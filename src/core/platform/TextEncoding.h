#pragma once
// Text of work files: names and labels are stored either as UTF-8 or in the
// Japanese Windows code page (CP932). The model holds UTF-8.

#include <string>
#include <string_view>

namespace plicora {

/// The bytes form well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view bytes);

/// Converts CP932 bytes to UTF-8; a byte sequence that is not CP932 becomes
/// U+FFFD and conversion goes on with the next byte.
std::string Cp932ToUtf8(std::string_view bytes);

/// A text field of a work file as UTF-8: kept when it already is UTF-8,
/// otherwise converted from CP932.
std::string WorkFileTextToUtf8(std::string_view bytes);

}  // namespace plicora
