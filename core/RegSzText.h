// The registry reader's step from the bytes of a REG_SZ query to the value's text. Portable:
// no platform calls, so that it can be tested natively.
#pragma once

#include <cstddef>
#include <string>

namespace varnholt {

// The text of a REG_SZ value from the `size` bytes that the query delivered into `bytes`, still
// in the system's ANSI code page. The last byte is dropped only when it is the closing NUL: a
// value stored without one keeps its last character. False for a size of 0, which holds no
// text at all and is the reader's one fault; `text` is then untouched.
bool RegSzText(const char* bytes, std::size_t size, std::string& text);

} // namespace varnholt
