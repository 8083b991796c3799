// The command line: its split into arguments, the switches it may hold, and the names by which
// it and the desktop shortcuts name a variant.
#pragma once

#include <string>
#include <vector>

namespace varnholt {

// What a command line asks for. Switches are matched without regard to case and start with
// "/" or "-".
struct CommandLine {
    bool activate = false; // /activate NAME
    std::string name;
    bool start = false; // /start
    bool quiet = false; // /quiet
    bool help = false;  // /? or /help
    bool add = false;   // /add FILE
    std::string addFile;
    bool named = false; // /as NAME
    std::string asName;
    // Files named without a switch (dropped on the exe, "Open with"): the window opens and adds
    // them.
    std::vector<std::string> files;
    // /lang de or /lang en: the display language asked for, in lower case; empty when not given.
    std::string lang;
    // 0, or why the command line is bad: a text's number (TextIds.h) and the argument it names.
    // The text is read when it is shown, in the language the command line may itself choose.
    int error = 0;
    std::string errorArgument;

    // True when the program runs the command line without its window; false for no arguments
    // and for a display language alone.
    bool RunsWithoutWindow() const { return error != 0 || help || activate || start || add; }
};

// Why `line` is bad, in the language shown; empty when it is good.
std::string CommandLineProblem(const CommandLine& line);

// The arguments of a whole command line (as the system hands it to the program), without the
// program's own name, split and unquoted by the rules of the C runtime: blanks and tabs part
// the arguments, quotes group them, a quote preceded by a backslash is a quote.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);
// One argument quoted so that SplitCommandLine gives it back unchanged.
std::string QuoteArgument(const std::string& argument);

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The catalogue's names of its variants, in the catalogue's order: Original, Classic, AddOn, KE
// and KZA.
extern const std::vector<std::string> CATALOGUE_NAMES;

// The position in the variant table `files` (the catalogue first, then the further files)
// that NAME names: a catalogue name, else a file name of the table as given, else with ".dat"
// added, all without regard to case; -1 when it names none.
int ResolveVariantName(const std::string& name, const std::vector<std::string>& files);
// True when the lower-case file name ends in ".dat".
bool EndsWithDat(const std::string& lowerName);
// The NAME that names the variant file `fileName` on the command line: the catalogue's name for
// a catalogue file, else the file name.
std::string VariantName(const std::string& fileName);
// The name of a variant's desktop shortcut, without its extension: "ANNO 1503 - " and the
// catalogue's name, or for a further file its name without "BGruppen_" and ".dat".
std::string ShortcutTitle(const std::string& fileName);

} // namespace varnholt
