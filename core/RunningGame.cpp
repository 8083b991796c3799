#include "RunningGame.h"

#include "Marker.h"
#include "modBasis.h"

namespace varnholt {

bool LiesIn(const std::string& path, const std::string& folder) {
    const std::string wanted = LowerName(AddBackslash(folder));
    // Each folder the file lies in, from its own up to the drive's root, compared whole: a
    // folder "ANNO 1503 Tools" beside the game is not below "ANNO 1503".
    for (std::string above = ExtractDir(path); !above.empty();
         above = ExtractDir(StripBackslash(above))) {
        if (LowerName(above) == wanted) {
            return true;
        }
    }
    return false;
}

std::vector<RunningProgram> ProgramsIn(const std::vector<RunningProgram>& running,
                                       const std::string& installation) {
    std::vector<RunningProgram> game;
    if (StripBackslash(installation).empty()) {
        return game;
    }
    for (const RunningProgram& program : running) {
        if (LiesIn(program.path, installation)) {
            game.push_back(program);
        }
    }
    return game;
}

} // namespace varnholt
