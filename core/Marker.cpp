#include "Marker.h"

namespace varnholt {

std::string TrimSpaces(const std::string& text) {
    const std::string::size_type first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return std::string();
    }
    const std::string::size_type last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string DropFirstCharacter(const std::string& text) {
    if (text.empty()) {
        return text;
    }
    std::size_t length = 1;
    // Continuation bytes of a UTF-8 sequence have the form 10xxxxxx.
    while (length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
        ++length;
    }
    return text.substr(length);
}

std::string MarkerOf(const std::string& firstLine) {
    return DropFirstCharacter(TrimSpaces(firstLine));
}

} // namespace varnholt
