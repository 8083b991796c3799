#include "Fuzz.h"

namespace varnholt::fuzz {

bool DecodeUtf8(const std::string& text, std::u32string& codePoints) {
    static const char32_t LEAST[] = {0, 0x80, 0x800, 0x10000}; // the shortest form's bounds
    codePoints.clear();
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80             ? 0
                          : (lead & 0xE0) == 0xC0 ? 1
                          : (lead & 0xF0) == 0xE0 ? 2
                          : (lead & 0xF8) == 0xF0 ? 3
                                                  : -1;
        if (extra < 0 || text.size() - i <= static_cast<std::size_t>(extra)) {
            return false; // no lead byte, or the sequence runs past the end
        }
        char32_t c = lead & (0x7F >> extra); // the lead's bits below its length's zero bit
        for (int k = 1; k <= extra; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            c = (c << 6) | (next & 0x3F);
        }
        if (c < LEAST[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            return false;
        }
        codePoints += c;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

std::string Quoted(const std::string& text) {
    static const char HEX[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            out += "\\x";
            out += HEX[c >> 4];
            out += HEX[c & 15];
        }
    }
    return out + "\"";
}

} // namespace varnholt::fuzz
