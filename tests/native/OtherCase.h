// Letter case for the tests, decided apart from the program's own rule (core/NameCase): the C
// library's towupper under a UTF-8 locale for every letter of the Basic Multilingual Plane
// whose capital has it as its small letter again, and the pair Windows adds (ς with Σ). The test
// file systems key their files by it, and the tests and fuzz targets write a name in another
// letter case with it, so that a letter the program's rule misses shows up as a failure.
#pragma once

#include <functional>
#include <string>

namespace varnholt::test {

// The capital of a character of the Basic Multilingual Plane; any other as it is.
char32_t UpperOf(char32_t c);
// A small letter whose capital is `c` (σ for Σ); `c` itself where there is none.
char32_t LowerOf(char32_t c);

enum class LetterCase { AsItIs, Upper, Lower, OtherLower };
// `text` with each character of the Basic Multilingual Plane written as `choose` says for it
// (OtherLower: ς for σ and Σ, else as Lower); bytes that are no well-formed UTF-8 and
// characters beyond that plane as they are.
std::string WithCase(const std::string& text, const std::function<LetterCase(char32_t)>& choose);
std::string InUpperCase(const std::string& text);
std::string InLowerCase(const std::string& text);

} // namespace varnholt::test
