// The version text to the installation mode, held against the C library's own reading of the
// number: where the number has at most fifteen significant digits its nearest whole number (an
// exact half to the even neighbour, 0 outside sixteen bits) is the mode, and a longer one lies
// within a half of the mode. Blanks, tabs and line feeds anywhere change nothing, and the mode is
// the same whatever rounding mode the caller has set, which stays set.
#include "Fuzz.h"

#include "core/VersionMode.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

using namespace varnholt;
using namespace varnholt::fuzz;

namespace {

bool Digit(char c) {
    return c >= '0' && c <= '9';
}

// The value of the number `text` begins with, as strtod reads it, and how many significant
// digits its mantissa has; false for a text strtod would read otherwise than a version (a hex
// number, an infinity, a NaN) or that begins with no number.
bool LibraryValue(const std::string& text, double& value, int& digits) {
    const std::size_t sign = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    if (sign >= text.size() || !(Digit(text[sign]) || text[sign] == '.') ||
        text.compare(sign, 2, "0x") == 0 || text.compare(sign, 2, "0X") == 0) {
        return false;
    }
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    digits = 0;
    for (const char* c = text.c_str(); c < end && *c != 'e' && *c != 'E'; ++c) {
        digits += Digit(*c) && (digits > 0 || *c != '0') ? 1 : 0;
    }
    return true;
}

std::string WithoutBlanks(std::string text) {
    text.erase(std::remove_if(text.begin(), text.end(),
                              [](char c) { return c == ' ' || c == '\t' || c == '\n'; }),
               text.end());
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int mode = VersionToMode(text);
    const std::string detail = "mode of " + Quoted(text) + " is " + std::to_string(mode);
    double value = 0;
    int digits = 0;
    if (LibraryValue(WithoutBlanks(text), value, digits)) {
        // Up to fifteen digits the double lies on the same side of every half as the decimal.
        const double nearest = std::nearbyint(value); // to nearest, a half to even
        if (digits <= 15) {
            const bool inRange = nearest >= -32768 && nearest <= 32767;
            FUZZ_CHECK(mode == (inRange ? static_cast<int>(nearest) : 0),
                       detail + ", read as " + std::to_string(value));
        } else if (std::fabs(value) < 32767) {
            FUZZ_CHECK(std::fabs(mode - value) <= 0.5 + 1e-9,
                       detail + " for " + std::to_string(value));
        }
    }
    const std::string spread = " " + text.substr(0, size / 2) + "\t\n" + text.substr(size / 2);
    FUZZ_CHECK(VersionToMode(spread) == mode,
               detail + ", with blanks " + std::to_string(VersionToMode(spread)));
    for (const int rounding : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        std::fesetround(rounding);
        const int got = VersionToMode(text);
        const bool kept = std::fegetround() == rounding;
        std::fesetround(FE_TONEAREST);
        FUZZ_CHECK(kept, "the caller's rounding mode was changed for " + Quoted(text));
        FUZZ_CHECK(got == mode, detail + ", under rounding mode " + std::to_string(rounding) + " " +
                                    std::to_string(got));
    }
    return 0;
}
