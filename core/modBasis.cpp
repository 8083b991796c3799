#include "modBasis.h"

namespace varnholt {

std::string AddBackslash(const std::string& path) {
    if (path.find_first_not_of(' ') == std::string::npos) {
        return path; // empty or blanks only: unchanged, blanks included
    }
    if (path.back() == '\\') {
        return path;
    }
    return path + '\\';
}

std::string StripBackslash(const std::string& path) {
    if (!path.empty() && path.back() == '\\') {
        return path.substr(0, path.size() - 1);
    }
    return path;
}

std::string ExtractDir(const std::string& path) {
    const std::string::size_type last = path.rfind('\\');
    if (last == std::string::npos || last == 0) {
        return std::string();
    }
    return path.substr(0, last + 1);
}

} // namespace varnholt
