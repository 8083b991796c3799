#include "RegSzText.h"

namespace varnholt {

bool RegSzText(const char* bytes, std::size_t size, std::string& text) {
    if (size == 0) {
        return false;
    }
    const bool closingNul = bytes[size - 1] == '\0';
    text.assign(bytes, closingNul ? size - 1 : size);
    return true;
}

} // namespace varnholt
