// The version text to the installation mode: the mode is the text's leading decimal number
// (blanks, tabs and line feeds left out) rounded exactly, an exact half to the even neighbour,
// 0 outside sixteen bits; whatever rounding mode the caller has set.
#include "Fuzz.h"

#include "core/VersionMode.h"

#include <cfenv>
#include <cstdint>

using namespace varnholt;
using namespace varnholt::fuzz;

namespace {

bool Digit(char c) {
    return c >= '0' && c <= '9';
}

// The mode by exact decimal reading: the digits are taken one by one into a 64-bit whole part
// (anything past the 16-bit range is out), the fraction's first digit decides, the digits after
// it only whether anything follows the half.
int ReferenceMode(const std::string& text) {
    std::string s;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            s += c;
        }
    }
    std::size_t i = 0;
    const bool negative = i < s.size() && s[i] == '-';
    i += i < s.size() && (s[i] == '-' || s[i] == '+') ? 1 : 0;
    std::string digits;  // every digit of the mantissa, the point left out
    long long point = 0; // digits before the point
    bool anyDigit = false;
    for (; i < s.size() && Digit(s[i]); ++i, ++point) {
        digits += s[i], anyDigit = true;
    }
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && Digit(s[i]); ++i) {
            digits += s[i], anyDigit = true;
        }
    }
    if (!anyDigit) {
        return 0;
    }
    if (i + 1 < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        const bool down = s[j] == '-';
        j += s[j] == '-' || s[j] == '+' ? 1 : 0;
        long long exponent = 0;
        for (; j < s.size() && Digit(s[j]); ++j) {
            exponent = exponent > 1000000 ? exponent : exponent * 10 + (s[j] - '0');
        }
        point += down ? -exponent : exponent;
    }
    // Leading zeros count for nothing; without another digit the number is zero.
    const std::size_t leading = digits.find_first_not_of('0');
    if (leading == std::string::npos) {
        return 0;
    }
    digits.erase(0, leading);
    point -= static_cast<long long>(leading);
    const auto at = [&digits](long long index) {
        return index >= 0 && index < static_cast<long long>(digits.size()) ? digits[index] - '0'
                                                                           : 0;
    };
    std::int64_t whole = 0;
    for (long long k = 0; k < point; ++k) {
        whole = whole * 10 + at(k);
        if (whole > 40000) {
            return 0;
        }
    }
    // The first digit after the point decides; the digits after it only whether anything
    // follows a five.
    const int first = at(point);
    bool more = false;
    for (long long j = point + 1 < 0 ? 0 : point + 1; j < static_cast<long long>(digits.size());
         ++j) {
        more = more || digits[j] != '0';
    }
    if (first > 5 || (first == 5 && (more || whole % 2 == 1))) {
        ++whole;
    }
    const std::int64_t mode = negative ? -whole : whole;
    return mode < -32768 || mode > 32767 ? 0 : static_cast<int>(mode);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int expected = ReferenceMode(text);
    for (const int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        std::fesetround(mode);
        const int got = VersionToMode(text);
        const bool kept = std::fegetround() == mode;
        std::fesetround(FE_TONEAREST);
        FUZZ_CHECK(kept, "the caller's rounding mode was changed for " + Quoted(text));
        FUZZ_CHECK(got == expected, "mode of " + Quoted(text) + " is " + std::to_string(got) +
                                        " under rounding mode " + std::to_string(mode) +
                                        ", exactly " + std::to_string(expected));
    }
    return 0;
}
