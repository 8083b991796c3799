// The registry reader's step from the units of a REG_SZ query to the value's text. Portable:
// no platform calls, so that it can be tested natively.
#pragma once

#include <cstddef>
#include <string>

namespace varnholt {

// The text of a REG_SZ value from the `count` UTF-16 units that the query delivered into
// `units`. The last unit is dropped only when it is the closing NUL: a value stored without one
// keeps its last character. False for a count of 0, which holds no text at all and is the
// reader's one fault; `text` is then untouched.
bool RegSzText(const wchar_t* units, std::size_t count, std::wstring& text);

} // namespace varnholt
