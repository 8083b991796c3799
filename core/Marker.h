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
// The lower-case form of a file name or path, for comparisons that ignore letter case as the
// platform's file names do: in the Latin, Greek, Cyrillic and Armenian alphabets. Bytes that
// are no well-formed UTF-8 stay as they are.
std::string LowerName(const std::string& name);

} // namespace varnholt
