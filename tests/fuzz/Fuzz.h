// What the fuzz targets share: the check that stops a run on a broken property, naming it and
// the input's detail, and the texts' own properties.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace varnholt::fuzz {

[[noreturn]] inline void Fail(const char* property, const std::string& detail, const char* file,
                              int line) {
    std::fprintf(stderr, "\n%s:%d: property broken: %s\n  %s\n", file, line, property,
                 detail.c_str());
    std::abort(); // libFuzzer keeps the input and names its file
}

// The code points of a valid UTF-8 text (shortest forms, no surrogates, at most U+10FFFF);
// false when it is not one.
bool DecodeUtf8(const std::string& text, std::u32string& codePoints);
inline bool IsUtf8(const std::string& text) {
    std::u32string ignored;
    return DecodeUtf8(text, ignored);
}

inline bool AsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
// The text with its ASCII letters in the case of `a` ('A' or 'a'), for the same text in another
// letter case; whatever casing table the program uses, these letters have their pairs.
inline std::string AsciiCase(std::string text, char a) {
    for (char& c : text) {
        c = AsciiLetter(c) ? static_cast<char>(a + (c | 0x20) - 'a') : c;
    }
    return text;
}

// A text as a C string literal, for the failure's detail.
std::string Quoted(const std::string& text);

} // namespace varnholt::fuzz

#define FUZZ_CHECK(property, detail)                                                               \
    do {                                                                                           \
        if (!(property)) {                                                                         \
            ::varnholt::fuzz::Fail(#property, (detail), __FILE__, __LINE__);                       \
        }                                                                                          \
    } while (false)
