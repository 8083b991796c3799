#include "VersionMode.h"

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

// The decimal number `number` (as LeadingNumber gives it) rounded to the nearest integer, an
// exact half to the even neighbour, read digit by digit: no binary floating point, so a long
// fraction such as 2.50000000000000000001 is not first rounded to 2.5, and the caller's
// rounding mode plays no part. 0 when the result lies outside 16 bits.
int RoundDecimal(const std::string& number) {
    std::size_t i = 0;
    const bool negative = number[i] == '-';
    i += number[i] == '-' || number[i] == '+' ? 1 : 0;
    std::string digits;   // the mantissa's digits without the point
    long long point = -1; // how many of them stand before the point
    for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
        if (number[i] == '.') {
            point = static_cast<long long>(digits.size());
        } else {
            digits += number[i];
        }
    }
    if (point < 0) {
        point = static_cast<long long>(digits.size());
    }
    if (i < number.size()) { // the exponent, saturated far beyond any use
        long long exponent = 0;
        for (std::size_t j = i + 1; j < number.size(); ++j) {
            if (IsDigit(number[j]) && exponent < 1000000) {
                exponent = exponent * 10 + (number[j] - '0');
            }
        }
        point += number[i + 1] == '-' ? -exponent : exponent;
    }
    const std::size_t leading = digits.find_first_not_of('0');
    if (leading == std::string::npos) {
        return 0;
    }
    digits.erase(0, leading);
    point -= static_cast<long long>(leading);
    if (point > 5) { // 100000 or more
        return 0;
    }
    const auto digit = [&digits](long long at) {
        return at >= 0 && at < static_cast<long long>(digits.size()) ? digits[at] - '0' : 0;
    };
    long long whole = 0;
    for (long long at = 0; at < point; ++at) {
        whole = whole * 10 + digit(at);
    }
    // The first digit after the point decides; those after it only whether more than a half.
    const int first = digit(point);
    const std::size_t after = static_cast<std::size_t>(point + 1 < 0 ? 0 : point + 1);
    const bool more =
        after < digits.size() && digits.find_first_not_of('0', after) != std::string::npos;
    if (first > 5 || (first == 5 && (more || whole % 2 == 1))) {
        ++whole;
    }
    const long long rounded = negative ? -whole : whole;
    return rounded >= -32768 && rounded <= 32767 ? static_cast<int>(rounded) : 0;
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
    return static_cast<std::int16_t>(RoundDecimal(number));
}

} // namespace varnholt
