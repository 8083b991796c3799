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

namespace {

// The lower-case form of one character of the alphabets a folder or file name is likely to use:
// Latin (ASCII, Latin-1, Latin Extended-A), Greek, Cyrillic, Armenian and the full-width Latin
// letters, beyond ASCII. Others stay as they are.
char32_t LowerCharacter(char32_t c) {
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F) || (c >= 0xFF21 && c <= 0xFF3A)) {
        return c + 0x20;
    }
    // Pairs of capital and small letter: the capital at the even code point ...
    if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177) ||
        (c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F)) {
        return c | 1;
    }
    // ... or at the odd one.
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E) || (c >= 0x4C1 && c <= 0x4CE)) {
        return (c & 1) != 0 ? c + 1 : c;
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 0x50;
    }
    if (c >= 0x531 && c <= 0x556) {
        return c + 0x30;
    }
    switch (c) {
    case 0x178:
        return 0xFF;
    case 0x386:
        return 0x3AC;
    case 0x388:
    case 0x389:
    case 0x38A:
        return c + 0x25;
    case 0x38C:
        return 0x3CC;
    case 0x38E:
    case 0x38F:
        return c + 0x3F;
    case 0x4C0:
        return 0x4CF;
    default:
        return c;
    }
}

// The length of the UTF-8 sequence starting at `text[i]` and its character; 0 when the bytes
// there are no well-formed sequence of two or three bytes (the only lengths LowerCharacter
// changes).
std::size_t DecodeTwoOrThree(const std::string& text, std::size_t i, char32_t& c) {
    const auto byte = [&text](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const auto continuation = [&](std::size_t at) {
        return at < text.size() && (byte(at) & 0xC0) == 0x80;
    };
    if ((byte(i) & 0xE0) == 0xC0 && byte(i) >= 0xC2 && continuation(i + 1)) {
        c = (static_cast<char32_t>(byte(i) & 0x1F) << 6) | (byte(i + 1) & 0x3F);
        return 2;
    }
    if ((byte(i) & 0xF0) == 0xE0 && continuation(i + 1) && continuation(i + 2)) {
        c = (static_cast<char32_t>(byte(i) & 0x0F) << 12) |
            (static_cast<char32_t>(byte(i + 1) & 0x3F) << 6) | (byte(i + 2) & 0x3F);
        if (c >= 0x800 && (c < 0xD800 || c > 0xDFFF)) {
            return 3;
        }
    }
    return 0;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (c & 0x3F));
}

} // namespace

std::string LowerName(const std::string& name) {
    std::string lower;
    lower.reserve(name.size());
    for (std::size_t i = 0; i < name.size();) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        char32_t character = 0;
        const std::size_t length = c < 0x80 ? 0 : DecodeTwoOrThree(name, i, character);
        if (length == 0) {
            // ASCII, and any byte that starts no sequence the fold changes, as it is.
            lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 0x20 : c);
            ++i;
        } else {
            AppendUtf8(lower, LowerCharacter(character));
            i += length;
        }
    }
    return lower;
}

} // namespace varnholt
