#include "RegSzText.h"

namespace varnholt {

bool RegSzText(const wchar_t* units, std::size_t count, std::wstring& text) {
    if (count == 0) {
        return false;
    }
    const bool closingNul = units[count - 1] == L'\0';
    text.assign(units, closingNul ? count - 1 : count);
    return true;
}

} // namespace varnholt
