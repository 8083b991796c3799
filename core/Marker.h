// The marker of a data file: its first line with the spaces at both ends removed and then its
// first character dropped.
#pragma once

#include <string>

namespace varnholt {

// Removes the space character (only that one) at both ends.
std::string TrimSpaces(const std::string& text);
// Drops the first character of a UTF-8 text (a whole character, however many bytes it takes).
std::string DropFirstCharacter(const std::string& text);
// The marker of a first line; empty when the trimmed line is empty.
std::string MarkerOf(const std::string& firstLine);
// The form of a file name or path under which two names are equal exactly when Windows calls
// them the same file name (NameCase.h): every character of the Basic Multilingual Plane
// upper-cased as Windows does, then the ASCII letters written small, so that an ASCII name's
// form is its lower case. Characters beyond that plane and bytes that are no well-formed UTF-8
// stay as they are. The form is for comparing, never for showing.
std::string LowerName(const std::string& name);

} // namespace varnholt
