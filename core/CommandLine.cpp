#include "CommandLine.h"

#include "FormLogic.h"
#include "Marker.h"
#include "Texts.h"

namespace varnholt {

const std::vector<std::string> CATALOGUE_NAMES = {"Original", "Classic", "AddOn", "KE", "KZA"};

namespace {

const std::string SHORTCUT_PREFIX = "ANNO 1503 - ";
const std::string FURTHER_PREFIX = "bgruppen_";
const std::string DAT = ".dat";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsSwitch(const std::string& argument) {
    return argument.size() > 1 && (argument[0] == '/' || argument[0] == '-');
}

// A switch this command line knows, in any case, with "/" or "-".
bool IsKnownSwitch(const std::string& argument) {
    if (!IsSwitch(argument)) {
        return false;
    }
    const std::string name = LowerName(argument.substr(1));
    for (const char* known : {"activate", "start", "quiet", "?", "help", "lang", "add", "as"}) {
        if (name == known) {
            return true;
        }
    }
    return false;
}

} // namespace

bool EndsWithDat(const std::string& lowerName) {
    return lowerName.size() >= DAT.size() &&
           lowerName.compare(lowerName.size() - DAT.size(), DAT.size(), DAT) == 0;
}

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
    std::vector<std::string> arguments;
    std::size_t i = 0;
    const std::size_t n = commandLine.size();
    // The program's name: up to the closing quote when it begins with one, else up to a blank;
    // a backslash is part of the path there.
    if (i < n && commandLine[i] == '"') {
        const std::size_t close = commandLine.find('"', i + 1);
        i = close == std::string::npos ? n : close + 1;
    }
    while (i < n && !IsBlank(commandLine[i])) {
        ++i;
    }
    for (;;) {
        while (i < n && IsBlank(commandLine[i])) {
            ++i;
        }
        if (i >= n) {
            break;
        }
        std::string argument;
        bool quoted = false;
        while (i < n && (quoted || !IsBlank(commandLine[i]))) {
            if (commandLine[i] == '\\') {
                std::size_t slashes = 0;
                while (i < n && commandLine[i] == '\\') {
                    ++slashes;
                    ++i;
                }
                if (i < n && commandLine[i] == '"') {
                    argument.append(slashes / 2, '\\');
                    if (slashes % 2 == 1) {
                        argument += '"';
                        ++i;
                    }
                } else {
                    argument.append(slashes, '\\');
                }
            } else if (commandLine[i] == '"') {
                if (quoted && i + 1 < n && commandLine[i + 1] == '"') {
                    argument += '"'; // two quotes inside quotes: one quote
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                argument += commandLine[i++];
            }
        }
        arguments.push_back(argument);
    }
    return arguments;
}

std::string QuoteArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) {
        return argument;
    }
    std::string quoted = "\"";
    std::size_t slashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++slashes;
        } else {
            if (c == '"') {
                quoted.append(slashes + 1, '\\');
            }
            slashes = 0;
        }
        quoted += c;
    }
    quoted.append(slashes, '\\'); // doubled before the closing quote
    return quoted + "\"";
}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine result;
    auto fail = [&result](int why, const std::string& argument = std::string()) {
        if (result.error == 0) {
            result.error = why;
            result.errorArgument = argument;
        }
    };
    // The argument after the switch at `i`, which needs one, taken into `value`: present, not
    // empty and no switch. A file may also begin with "/" or "-" where it is no switch of ours,
    // as paths do outside Windows.
    auto take = [&arguments](std::size_t& i, bool file, std::string& value) {
        if (i + 1 >= arguments.size() || arguments[i + 1].empty() ||
            (file ? IsKnownSwitch(arguments[i + 1]) : IsSwitch(arguments[i + 1]))) {
            return false;
        }
        value = arguments[++i];
        return true;
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!IsSwitch(argument)) {
            // A file to add in the window; a lone "/" or "-" and an empty text are no file.
            if (argument.empty() || argument == "/" || argument == "-") {
                fail(IDS_CL_UNEXPECTED_ARGUMENT, argument);
            } else {
                result.files.push_back(argument);
            }
            continue;
        }
        const std::string name = LowerName(argument.substr(1));
        std::string value;
        if (name == "activate") {
            if (!take(i, false, value)) {
                fail(IDS_CL_ACTIVATE_NEEDS_NAME);
            } else if (result.activate) {
                fail(IDS_CL_ONE_ACTIVATE_ONLY);
            } else {
                result.activate = true;
                result.name = value;
            }
        } else if (name == "add") {
            if (!take(i, true, value)) {
                fail(IDS_CL_ADD_NEEDS_FILE);
            } else if (result.add) {
                fail(IDS_CL_ADD_ALONE);
            } else {
                result.add = true;
                result.addFile = value;
            }
        } else if (name == "as") {
            if (!take(i, false, value)) {
                fail(IDS_CL_AS_NEEDS_NAME);
            } else {
                result.named = true;
                result.asName = value;
                const int problem = VariantNameProblem(value);
                if (problem != 0) {
                    fail(problem);
                }
            }
        } else if (name == "start") {
            result.start = true;
        } else if (name == "quiet") {
            result.quiet = true;
        } else if (name == "?" || name == "help") {
            result.help = true;
        } else if (name == "lang") {
            const std::string language =
                i + 1 < arguments.size() ? LowerName(arguments[i + 1]) : "";
            if (language == "de" || language == "en") {
                result.lang = language;
                ++i;
            } else {
                fail(IDS_CL_LANG_NEEDS_VALUE);
            }
        } else {
            fail(IDS_CL_UNKNOWN_SWITCH, argument);
        }
    }
    if (result.named && !result.add) {
        fail(IDS_CL_AS_WITHOUT_ADD);
    }
    if (result.add && (result.activate || result.start || result.help)) {
        fail(IDS_CL_ADD_ALONE);
    }
    if (!result.files.empty() && (result.RunsWithoutWindow() || result.quiet)) {
        fail(IDS_CL_UNEXPECTED_ARGUMENT, result.files.front());
    }
    if (result.quiet && !result.help && !result.activate && !result.start && !result.add) {
        fail(IDS_CL_QUIET_ALONE);
    }
    return result;
}

std::string CommandLineProblem(const CommandLine& line) {
    return line.error == 0 ? std::string() : Text(line.error, {line.errorArgument});
}

int ResolveVariantName(const std::string& name, const std::vector<std::string>& files) {
    const std::string lower = LowerName(name);
    for (std::size_t i = 0; i < CATALOGUE_NAMES.size() && i < files.size(); ++i) {
        if (lower == LowerName(CATALOGUE_NAMES[i])) {
            return static_cast<int>(i);
        }
    }
    // The name as given first, then with ".dat" added whatever it ends with: Explorer hides
    // the extension, so "BGruppen_Mod.dat" may be what it shows of "BGruppen_Mod.dat.dat".
    for (const std::string& wanted : {lower, lower + DAT}) {
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (LowerName(files[i]) == wanted) {
                return static_cast<int>(i);
            }
        }
    }
    return -1;
}

std::string VariantName(const std::string& fileName) {
    const std::string lower = LowerName(fileName);
    for (std::size_t i = 0; i < CATALOGUE_FILES.size(); ++i) {
        if (lower == LowerName(CATALOGUE_FILES[i])) {
            return CATALOGUE_NAMES[i];
        }
    }
    return fileName;
}

std::string ShortcutTitle(const std::string& fileName) {
    std::string name = VariantName(fileName);
    if (name != fileName) {
        return SHORTCUT_PREFIX + name;
    }
    const std::string lower = LowerName(name);
    if (EndsWithDat(lower)) {
        name.resize(name.size() - DAT.size());
    }
    if (name.size() > FURTHER_PREFIX.size() &&
        LowerName(name.substr(0, FURTHER_PREFIX.size())) == FURTHER_PREFIX) {
        name.erase(0, FURTHER_PREFIX.size());
    }
    return SHORTCUT_PREFIX + name;
}

} // namespace varnholt
