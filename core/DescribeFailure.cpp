#include "DescribeFailure.h"

#include "Texts.h"

namespace varnholt {

std::string DescribeFailure(const FileError& error) {
    if (error.number != ERROR_ACCESS_DENIED_VALUE) {
        return error.description;
    }
    return error.description + Text(IDS_ACCESS_DENIED_HELP);
}

} // namespace varnholt
