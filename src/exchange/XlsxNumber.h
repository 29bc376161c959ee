// A number cell's text as the user reads it: the shortest decimal that gives back the same
// double, without an exponent for everyday sizes ("5", not "5.0"; "2.5"; "1E-3" → "0.001";
// "45292" for a date stored as its serial number), with one only for the very large or very
// small (1E+300 → "1e+300"). "-0" is "0". Text that is no number comes back trimmed, as it is.
#pragma once

#include <string>
#include <string_view>

namespace exchange {

std::string shortestNumber(std::string_view text);

} // namespace exchange
