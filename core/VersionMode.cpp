#include "VersionMode.h"

#include <cfenv>
#include <cmath>
#include <cstdlib>

namespace varnholt {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The longest leading part of `text` that forms a decimal number: optional sign, digits with
// at most one decimal point, optional exponent. Empty when there are no digits.
std::string LeadingNumber(const std::string& text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    bool digits = false;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        digits = true;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            digits = true;
        }
    }
    if (!digits) {
        return std::string();
    }
    std::size_t end = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) {
                ++j;
            }
            end = j;
        }
    }
    return text.substr(0, end);
}

} // namespace

std::int16_t VersionToMode(const std::string& versionText) {
    std::string compact;
    compact.reserve(versionText.size());
    for (char c : versionText) {
        if (c != ' ' && c != '\t' && c != '\n') {
            compact += c;
        }
    }
    const std::string number = LeadingNumber(compact);
    if (number.empty()) {
        return 0;
    }
    const double value = std::strtod(number.c_str(), nullptr);
    if (!std::isfinite(value)) {
        return 0;
    }
    const int previous = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(previous);
    if (rounded < -32768.0 || rounded > 32767.0) {
        return 0;
    }
    return static_cast<std::int16_t>(rounded);
}

} // namespace varnholt
