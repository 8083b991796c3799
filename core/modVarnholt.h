// Program-wide folders and the fixed texts that several parts of the program share.
#pragma once

#include <string>

namespace varnholt {

// The three program-wide folders. The start-up procedure sets all three at each run.
struct modVarnholt {
    std::string strANNOPath;  // the game's installation folder
    std::string strGAMESPath; // the save-game folder (stored, read by nothing else)
    std::string strDATPath;   // the data folder holding BGruppen.dat and its variants
};

// Caption of most message boxes and of the window in its normal state.
inline const std::string TITLE_TEXT = "Marrik's ANNO 1503 Varnholt v1.00";
// The application's short title: the caption of the minimised window and of message boxes
// without a title of their own.
inline const std::string SHORT_TITLE = "Varnholt";
inline const std::string PROGRAM_NAME = "Varnholt";

// The game's registry key below HKEY_LOCAL_MACHINE.
inline const std::string GAME_KEY = "Software\\Max-Design\\ANNO1503";

// The tools' web page. Its real host is not known; this one lies under a reserved example
// domain.
inline const std::string TOOLS_WEB_PAGE = "http://www.example.org/VEROZavuv";

// The data files.
inline const std::string CURRENT_FILE = "BGruppen.dat";
inline const std::string BACKUP_FILE = "BGruppen_Original.dat";
inline const std::string VARIANT_PATTERN = "BGruppen*.dat";
// Scratch names for a copy that is not yet complete. They do not match VARIANT_PATTERN, so the
// folder scan never lists them.
inline const std::string CURRENT_FILE_SCRATCH = "BGruppen.dat.tmp";
inline const std::string BACKUP_FILE_SCRATCH = "BGruppen_Original.dat.tmp";
inline const std::string KEPT_FILE_SCRATCH = "BGruppen_Saved.dat.tmp";
inline const std::string ADDED_FILE_SCRATCH = "BGruppen_Added.dat.tmp";
// A BGruppen.dat that matches no other file of the data folder is kept before activation
// replaces it, as this prefix, the local time "YYYY-MM-DD_HHMM" and ".dat". The name matches
// VARIANT_PATTERN, so the list shows the kept file like any further variant.
inline const std::string KEPT_FILE_PREFIX = "BGruppen_Saved_";

// The first line of a data file is read up to this many bytes. The list and the labels could
// never show more, and a huge file without a carriage return is not read whole.
constexpr std::size_t FIRST_LINE_LIMIT = 4096;

// A file of more than this many bytes is no variant and is not added.
constexpr std::size_t ADD_SIZE_LIMIT = 1024 * 1024;

// A current BGruppen.dat of more than this many whole KiB is not the file the game installed.
constexpr unsigned long long FIRST_RUN_SIZE_LIMIT_KIB = 12;

} // namespace varnholt
