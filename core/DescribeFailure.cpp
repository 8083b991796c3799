#include "DescribeFailure.h"

namespace varnholt {

std::string DescribeFailure(const FileError& error) {
    if (error.number != ERROR_ACCESS_DENIED_VALUE) {
        return error.description;
    }
    return error.description +
           " If the game lies below Program Files, Windows protects its data folder: use the "
           "32-bit varnholt.exe without 'Run as administrator', or move the game out of "
           "Program Files.";
}

} // namespace varnholt
