// The description of a failed file operation as the program's messages show it.
#pragma once

#include "Ports.h"

#include <string>

namespace varnholt {

// The system's description of the failure. When Windows denied access, it is followed by what
// most likely happened and what helps: a data folder below Program Files is writable only for
// a program that Windows virtualizes, as it does the game.
std::string DescribeFailure(const FileError& error);

} // namespace varnholt
