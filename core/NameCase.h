// Letter case in file names as Windows compares them: ordinal, each UTF-16 code unit upper-cased
// by the system's table (so "ș" and "Ș", "σ", "ς" and "Σ" are the same name, "ß" and "ẞ" are
// not, and a character beyond the Basic Multilingual Plane is two code units that no table
// changes). LowerName (Marker.h) gives the form under which names compare.
#pragma once

#include <cstddef>

namespace varnholt {

// The upper case of one code unit by the simple upper-case mappings of the Basic Multilingual
// Plane as Windows' file names have them: the rule of the native builds, and the one a Windows
// build falls back to.
char16_t UpperCaseUnit(char16_t unit);

// Upper-cases `count` code units in place by the system's own table; false when it could not,
// the units then unchanged.
using UpperCaseFold = bool (*)(char16_t* units, std::size_t count);

// Makes LowerName upper-case by `fold`, the system's own (nullptr: by UpperCaseUnit again). The
// program's entry installs it before anything compares a name.
void UseUpperCaseFold(UpperCaseFold fold);

} // namespace varnholt
