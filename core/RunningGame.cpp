#include "RunningGame.h"

#include "Marker.h"
#include "modBasis.h"

namespace varnholt {

namespace {

// `path` as file names compare, without the prefix "\\?\" of a long path: "\\?\C:\Games" is
// the folder "C:\Games", "\\?\UNC\server\share" the share "\\server\share".
std::string Comparable(const std::string& path) {
    const std::string lower = LowerName(path);
    if (lower.compare(0, 8, "\\\\?\\unc\\") == 0) {
        return "\\" + lower.substr(7);
    }
    return lower.compare(0, 4, "\\\\?\\") == 0 ? lower.substr(4) : lower;
}

} // namespace

bool LiesIn(const std::string& path, const std::string& folder) {
    const std::string wanted = Comparable(AddBackslash(folder));
    // Each folder the file lies in, from its own up to the drive's root, compared whole: a
    // folder "ANNO 1503 Tools" beside the game is not below "ANNO 1503".
    for (std::string above = ExtractDir(Comparable(path)); !above.empty();
         above = ExtractDir(StripBackslash(above))) {
        if (above == wanted) {
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
    // Below a drive's root lies every program of the drive, Windows' own included: there only
    // the programs in the root itself are the game's.
    const std::string folder = Comparable(AddBackslash(installation));
    const bool root = ExtractDir(StripBackslash(folder)).empty();
    for (const RunningProgram& program : running) {
        if (root ? ExtractDir(Comparable(program.path)) == folder
                 : LiesIn(program.path, installation)) {
            game.push_back(program);
        }
    }
    return game;
}

} // namespace varnholt
