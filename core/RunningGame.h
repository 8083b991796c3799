// Whether ANNO 1503 runs: a program other than this Varnholt whose file lies in the game's
// installation folder or below it, whatever its name (the starter, the game, a tool the game
// starts). Asked only when the player acts, never at start-up.
#pragma once

#include "Ports.h"

#include <string>
#include <vector>

namespace varnholt {

// True when the file `path` lies in the folder `folder` or in a folder below it; both are full
// paths, and their names are compared as the platform compares file names.
bool LiesIn(const std::string& path, const std::string& folder);

// The programs of `running` whose files lie in the installation folder `installation` (a full
// path) or below it, only those in it for a drive's root; none for an empty folder, which names
// no installation.
std::vector<RunningProgram> ProgramsIn(const std::vector<RunningProgram>& running,
                                       const std::string& installation);

} // namespace varnholt
