#pragma once
// Numbers from the tokens of a work file, with exactly the results of the C
// library's atoi and atof: the leading numeric text of the token is used and
// anything else gives 0. The common decimal forms take a fast path; every
// other form (hexadecimal floats, a leading '+', values out of range) goes
// through strtod in the "C" locale.

#include <string_view>

namespace plicora {

/// atoi(token): strtol's result (clamped to long on overflow) cut to int.
int IntFromToken(std::string_view token);

/// atof(token): strtod's result in the "C" locale.
double RealFromToken(std::string_view token);

}  // namespace plicora
