// The description of a failed file operation as the program's messages show it.
#pragma once

#include "Ports.h"

#include <string>

namespace varnholt {

// True for a failure that another program can cause by holding the file open: access denied
// or a sharing violation.
bool MayBeHeldOpen(const FileError& error);

// The system's description of the failure. When Windows denied access, it is followed by what
// most likely happened and what helps: a data folder below Program Files is writable only for
// a program that Windows virtualizes, as it does the game. Where `runningGame` names the
// running game's program and the game may hold the file, that is said instead: quit the game.
std::string DescribeFailure(const FileError& error, const std::string& runningGame = "");

} // namespace varnholt
