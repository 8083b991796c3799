#include "DescribeFailure.h"

#include "Texts.h"

namespace varnholt {

bool MayBeHeldOpen(const FileError& error) {
    return error.number == ERROR_ACCESS_DENIED_VALUE ||
           error.number == ERROR_SHARING_VIOLATION_VALUE;
}

std::string DescribeFailure(const FileError& error, const std::string& runningGame) {
    if (!runningGame.empty() && MayBeHeldOpen(error)) {
        return error.description + Text(IDS_GAME_RUNS_HELP, {runningGame});
    }
    if (error.number != ERROR_ACCESS_DENIED_VALUE) {
        return error.description;
    }
    return error.description + Text(IDS_ACCESS_DENIED_HELP);
}

} // namespace varnholt
