#include "OtherCase.h"

#include <algorithm>
#include <array>
#include <cwctype>
#include <locale>

namespace varnholt::test {

namespace {

constexpr char32_t FINAL_SIGMA = 0x3C2, CAPITAL_SIGMA = 0x3A3;

struct Tables {
    std::array<char16_t, 0x10000> upper{};
    std::array<char16_t, 0x10000> lower{};
};

// Built once from the C library: a pair counts where each is the other's mapping.
const Tables& CaseTables() {
    static const Tables tables = [] {
        Tables t;
        const std::locale utf8("C.UTF-8");
        const auto& ctype = std::use_facet<std::ctype<wchar_t>>(utf8);
        for (char32_t c = 0; c < 0x10000; ++c) {
            t.upper[c] = t.lower[c] = static_cast<char16_t>(c);
        }
        for (char32_t c = 0; c < 0x10000; ++c) {
            const auto up = static_cast<char32_t>(ctype.toupper(static_cast<wchar_t>(c)));
            if (up != c && up < 0x10000 &&
                static_cast<char32_t>(ctype.tolower(static_cast<wchar_t>(up))) == c) {
                t.upper[c] = static_cast<char16_t>(up);
                t.lower[up] = static_cast<char16_t>(c);
            }
        }
        t.upper[FINAL_SIGMA] = CAPITAL_SIGMA;
        return t;
    }();
    return tables;
}

// The length of the well-formed UTF-8 sequence at `text[i]` and its code point; 0 where the
// byte there starts none.
std::size_t Decode(const std::string& text, std::size_t i, char32_t& c) {
    const auto byte = [&text](std::size_t at) {
        return at < text.size() ? static_cast<unsigned char>(text[at]) : 0u;
    };
    const unsigned lead = byte(i);
    const std::size_t length = lead < 0x80   ? 1
                               : lead < 0xC0 ? 0
                               : lead < 0xE0 ? 2
                               : lead < 0xF0 ? 3
                               : lead < 0xF8 ? 4
                                             : 0;
    if (length == 0) {
        return 0;
    }
    c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool valid = c >= least[length] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
    return valid ? length : 0;
}

void Append(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
        return;
    }
    // A lead byte with one or two continuation bytes: the tests' own encoding, not the code's.
    const int tail = c < 0x800 ? 1 : 2;
    out += static_cast<char>((tail == 1 ? 0xC0 : 0xE0) | (c >> (6 * tail)));
    for (int k = tail - 1; k >= 0; --k) {
        out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
    }
}

} // namespace

char32_t UpperOf(char32_t c) {
    return c < 0x10000 ? CaseTables().upper[c] : c;
}

char32_t LowerOf(char32_t c) {
    return c < 0x10000 ? CaseTables().lower[c] : c;
}

std::string WithCase(const std::string& text, const std::function<LetterCase(char32_t)>& choose) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        const std::size_t length = Decode(text, i, c);
        if (length == 0 || c >= 0x10000) {
            const std::size_t kept = length == 0 ? 1 : length;
            out.append(text, i, kept);
            i += kept;
            continue;
        }
        switch (choose(c)) {
        case LetterCase::AsItIs:
            break;
        case LetterCase::Upper:
            c = UpperOf(c);
            break;
        case LetterCase::OtherLower:
            if (UpperOf(c) == CAPITAL_SIGMA) {
                c = FINAL_SIGMA;
                break;
            }
            [[fallthrough]];
        case LetterCase::Lower:
            c = LowerOf(UpperOf(c));
            break;
        }
        Append(out, c);
        i += length;
    }
    return out;
}

std::string InUpperCase(const std::string& text) {
    // ASCII alone, the names of nearly every step of the fuzz targets, by its own letters.
    if (std::all_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        std::string upper = text;
        for (char& c : upper) {
            c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        }
        return upper;
    }
    return WithCase(text, [](char32_t) { return LetterCase::Upper; });
}

std::string InLowerCase(const std::string& text) {
    return WithCase(text, [](char32_t) { return LetterCase::Lower; });
}

} // namespace varnholt::test
