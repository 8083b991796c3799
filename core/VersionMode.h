#pragma once

#include <cstdint>
#include <string>

namespace varnholt {

// The installation mode of a game version text: the text's leading decimal number, rounded to
// the nearest integer (an exact half to the even neighbour) as it is written, digit for digit,
// whatever rounding mode the caller has set; 0 when the text does not begin with a number or
// the result lies outside the 16-bit range.
std::int16_t VersionToMode(const std::string& versionText);

} // namespace varnholt
