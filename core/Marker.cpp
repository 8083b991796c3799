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

std::string LowerName(const std::string& name) {
    std::string lower;
    lower.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (c >= 'A' && c <= 'Z') {
            lower += static_cast<char>(c + ('a' - 'A'));
        } else if (c == 0xC3 && i + 1 < name.size()) {
            // U+00C0..U+00DE (except U+00D7) are encoded C3 80..C3 9E; their lower-case forms
            // lie 0x20 higher.
            const unsigned char next = static_cast<unsigned char>(name[i + 1]);
            lower += static_cast<char>(c);
            lower += static_cast<char>((next >= 0x80 && next <= 0x9E && next != 0x97) ? next + 0x20
                                                                                      : next);
            ++i;
        } else {
            lower += static_cast<char>(c);
        }
    }
    return lower;
}

} // namespace varnholt
