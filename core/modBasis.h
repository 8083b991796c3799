// Text functions on folder paths. Portable: no platform calls.
#pragma once

#include <string>

namespace varnholt {

// Appends a backslash unless the path is empty, blank, or already ends in one.
std::string AddBackslash(const std::string& path);
// Removes one trailing backslash, if there is one.
std::string StripBackslash(const std::string& path);
// The folder part of a path up to and including its last backslash; the empty text when the
// path has no backslash or its only backslash is its first character.
std::string ExtractDir(const std::string& path);

} // namespace varnholt
