// The whole start-up and activation on a data folder in memory whose names ignore letter case:
// the window's start (InitProg) with up to two clicks of the Activate button, or a command-line
// run, on an installation, settings, data files and failing file operations drawn from the
// input. After each step: no file's content is lost; BGruppen.dat holds exactly the chosen
// variant or what it held; no scratch file is left; the list and the identification agree with
// the data folder; a bad command line or a request for help exits as it should and changes
// nothing; a quiet run shows nothing; while a program of the installation folder runs, a
// command-line run changes no BGruppen.dat and starts no game, and only then exits with 5; after
// an activation filled the empty place, the next start saves no variant as the original. A later
// run may add a file to the data folder: it replaces nothing, adds no file of the data folder
// itself and nothing that is no variant, and a name given ends up holding the file.
#include "Fuzz.h"
#include "World.h"
#include "tests/native/OtherCase.h"
#include "tests/native/RcTexts.h"
#include "tests/native/StdFileSystem.h"

#include "core/CommandLineRun.h"
#include "core/Marker.h"
#include "core/modBasis.h"

#include <algorithm>
#include <cstdint>
#include <set>

using namespace varnholt;
using namespace varnholt::fuzz;

namespace {

// The data folder the start-up works on, as the settings and the installation name it.
std::string DataFolder(const World& w) {
    const auto stored = w.settings.values.find("DATPath");
    return stored == w.settings.values.end() ? DATA : AddBackslash(stored->second);
}

std::string ExpectedIdentification(test::MemoryFileSystem& files, const std::string& data) {
    const test::MemoryFileSystem::File* current = files.Find(data + CURRENT_FILE);
    if (current == nullptr) {
        return Text(IDS_IDENT_MISSING);
    }
    // A file that cannot be read counts as the original.
    const std::string marker =
        current->locked
            ? std::string()
            : MarkerOf(test::Latin1FirstLine(current->content.substr(0, FIRST_LINE_LIMIT)));
    const std::string markers[] = {"", "Classic", "AddOn", "KE", "KZA"};
    const int i = static_cast<int>(std::find(markers, markers + 5, marker) - markers);
    return Text(i == 0 ? IDS_IDENT_ORIGINAL : i < 5 ? IDS_CATALOGUE_FIRST + i : IDS_IDENT_OTHER);
}

// The list shows the catalogue and each further variant of the data folder once; the
// identification names what BGruppen.dat holds.
void CheckList(World& w, const FormLogic& logic, const test::FakeControls& ui,
               const std::string& step) {
    const std::vector<std::string>& files = logic.aDATFiles();
    FUZZ_CHECK(ui.items == logic.aDATDescr() && files.size() == ui.items.size(), step);
    FUZZ_CHECK(std::vector<std::string>(files.begin(), files.begin() + 5) == CATALOGUE_FILES, step);
    const std::string data = AddBackslash(ui.Caption(Ctl::lblDATPath));
    std::set<std::string> seen;
    for (std::size_t i = 5; i < files.size(); ++i) {
        const std::string detail = step + ": list entry " + Quoted(files[i]);
        FUZZ_CHECK(seen.insert(test::InUpperCase(files[i])).second, detail + " twice");
        FUZZ_CHECK(w.files.FileExists(data + files[i]) &&
                       test::WildcardMatch(VARIANT_PATTERN, files[i]),
                   detail + " is no variant file");
        FUZZ_CHECK(test::InUpperCase(files[i]) != test::InUpperCase(CURRENT_FILE), detail);
    }
    if (w.files.failures.empty()) {
        const std::string expected = ExpectedIdentification(w.files, data);
        FUZZ_CHECK(ui.Caption(Ctl::lblCurrDAT) == expected,
                   step + ": identified as " + Quoted(ui.Caption(Ctl::lblCurrDAT)) + ", not " +
                       Quoted(expected) + " in " + Quoted(data) + Describe(Contents(w.files)));
    }
}

// The next start after an activation filled the empty place of `data`: whatever BGruppen.dat
// holds, no start-up makes it the backup of the original, nor marks the backup as made.
void CheckNextStart(World& w, const std::string& data) {
    const bool hadBackup = w.files.Find(data + BACKUP_FILE) != nullptr;
    const std::string firstRun =
        w.settings.values.count("FirstRun") != 0 ? w.settings.values["FirstRun"] : "0";
    test::FakeControls ui;
    FormLogic logic(FormServices{w.system, ui});
    logic.Form_Load();
    const bool hasBackup = w.files.Find(data + BACKUP_FILE) != nullptr;
    FUZZ_CHECK(hadBackup || !hasBackup, "the next start saved a variant as the original in " +
                                            Quoted(data) + Describe(Contents(w.files)));
    const auto now = w.settings.values.find("FirstRun");
    FUZZ_CHECK(hasBackup || firstRun != "0" || now == w.settings.values.end() || now->second != "1",
               "the next start set FirstRun without a backup in " + Quoted(data));
}

void RunWindow(FuzzedDataProvider& input, World& w) {
    test::FakeControls ui;
    FormLogic logic(FormServices{w.system, ui});
    Snapshot before = Contents(w.files);
    const std::string current = CurrentContent(w.files, DataFolder(w));
    if (!logic.Form_Load()) {
        FUZZ_CHECK(ui.ended, "a start-up that failed left the window open");
        FUZZ_CHECK(CurrentContent(w.files, DataFolder(w)) == current,
                   "start-up changed BGruppen.dat");
        CheckFiles(before, w.files, "", "the failed start-up");
        return;
    }
    const std::string data = AddBackslash(ui.Caption(Ctl::lblDATPath));
    FUZZ_CHECK(CurrentContent(w.files, data) == current, "start-up changed BGruppen.dat");
    CheckFiles(before, w.files, data, "the start-up");
    CheckList(w, logic, ui, "the start-up");
    bool filled = false; // an activation put a variant into the empty place
    for (int click = input.ConsumeIntegralInRange(0, 2); click > 0; --click) {
        const int index = input.ConsumeIntegralInRange(-1, ui.ListCount() - 1);
        ui.index = index;
        logic.lstDATs_Click();
        before = Contents(w.files);
        const std::string old = CurrentContent(w.files, data);
        const test::MemoryFileSystem::File* chosen =
            index < 0 ? nullptr
                      : w.files.Find(data + logic.aDATFiles()[static_cast<std::size_t>(index)]);
        const std::string wanted = chosen == nullptr ? "<none>" : chosen->content;
        const bool activated = logic.ActivateSelected(true);
        const std::string now = CurrentContent(w.files, data);
        const std::string step = "activating entry " + std::to_string(index);
        FUZZ_CHECK(activated ? now == wanted : now == old,
                   step + (activated ? " succeeded" : " failed") + " with BGruppen.dat " +
                       Quoted(now.substr(0, 40)) + ", before " + Quoted(old.substr(0, 40)) +
                       ", the variant " + Quoted(wanted.substr(0, 40)));
        CheckFiles(before, w.files, data, step);
        if (ui.ended) {
            return; // the start-up after the activation asked for the folder again, in vain
        }
        CheckList(w, logic, ui, step);
        filled = filled || (activated && old == "<none>");
    }
    if (filled && !w.settings.failWrites) {
        CheckNextStart(w, data);
    }
}

std::string RunDescribed(const std::vector<std::string>& arguments, int code) {
    std::string detail = "the command line";
    for (const std::string& argument : arguments) {
        detail += " " + Quoted(argument);
    }
    return detail + " exited with " + std::to_string(code);
}

// A command line of the switches, the names of the data folder's files and the catalogue, and
// anything else.
std::vector<std::string> Arguments(FuzzedDataProvider& input, const World& w) {
    const std::vector<std::string> words = {"/activate", "/start", "/quiet", "/help",    "/?",
                                            "/lang",     "de",     "en",     "-ACTIVATE"};
    std::vector<std::string> arguments;
    for (int n = input.ConsumeIntegralInRange(0, 5); n > 0; --n) {
        const int kind = input.ConsumeIntegralInRange(0, 3);
        if (kind == 0) {
            arguments.push_back(
                words[input.ConsumeIntegralInRange<std::size_t>(0, words.size() - 1)]);
        } else if (kind == 1 && !w.files.files.empty()) {
            auto file = w.files.files.begin();
            std::advance(file,
                         input.ConsumeIntegralInRange<std::size_t>(0, w.files.files.size() - 1));
            const std::string name = file->second.path.substr(file->second.path.rfind('\\') + 1);
            const std::string variant = VariantName(name);
            arguments.push_back(input.ConsumeBool() || variant.size() < 5
                                    ? variant
                                    : variant.substr(0, variant.size() - 4));
        } else if (kind == 2) {
            arguments.push_back(CATALOGUE_NAMES[input.ConsumeIntegralInRange<std::size_t>(0, 4)]);
        } else {
            arguments.push_back(input.ConsumeRandomLengthString(12));
        }
    }
    return arguments;
}

// What an /activate NAME that succeeded may have copied: `exactly` the variant NAME resolves to
// in the data folder's table, else (while a listing may have failed part-way) any file NAME
// could name.
std::set<std::string> Chosen(World& w, const std::string& data, const std::string& name,
                             bool exactly) {
    std::vector<std::string> listed;
    w.files.failures.clear(); // this look is no part of the run
    w.files.ListFiles(data, VARIANT_PATTERN, listed);
    std::vector<std::string> table = CATALOGUE_FILES;
    for (const std::string& file : FurtherVariantFiles(listed)) {
        table.push_back(file);
    }
    std::set<std::string> chosen;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::string upper = test::InUpperCase(table[i]);
        const bool exact = ResolveVariantName(name, table) == static_cast<int>(i);
        const bool could = upper == test::InUpperCase(name) ||
                           upper == test::InUpperCase(name + ".dat") ||
                           test::InUpperCase(VariantName(table[i])) == test::InUpperCase(name);
        const test::MemoryFileSystem::File* file = w.files.Find(data + table[i]);
        if (file != nullptr && (exact || (could && !exactly))) {
            chosen.insert(file->content);
        }
    }
    return chosen;
}

// A program that runs beside Varnholt: of the installation folder, in another letter case or
// below it, which is the game; or of a folder that merely begins like it, or of another one.
bool DrawRunningProgram(FuzzedDataProvider& input, World& w) {
    const std::string programs[] = {GAME + "1503startup.exe", "c:\\GAMES\\anno 1503\\Tools\\x.exe",
                                    "C:\\Games\\ANNO 1503 Tools\\1503.exe", "C:\\Games\\1503.exe"};
    const int drawn = input.ConsumeIntegralInRange(0, 5);
    if (drawn < 4) {
        w.processes.programs = {{7, programs[drawn]}};
    }
    return drawn < 2;
}

void RunCommandLineOf(FuzzedDataProvider& input, World& w) {
    const std::vector<std::string> arguments = Arguments(input, w);
    const CommandLine line = ParseCommandLine(arguments);
    const bool another = input.ConsumeIntegralInRange(0, 7) == 0;
    const bool gameRuns = DrawRunningProgram(input, w);
    const bool injected = !w.files.failures.empty();
    const std::string data = DataFolder(w);
    const Snapshot before = Contents(w.files);
    const std::string current = CurrentContent(w.files, data);
    const int code = RunCommandLine(
        line, CommandLineServices{w.system, w.output, [another] { return another; }});

    const std::string detail =
        RunDescribed(arguments, code) + (gameRuns ? " while the game runs" : "");
    // Help, a bad command line and a second Varnholt run no start-up that would clean up, change
    // nothing, and exit as such.
    const bool startedUp = line.error == 0 && !line.help && !another;
    CheckFiles(before, w.files,
               startedUp && (code == EXIT_DONE || code == EXIT_NOT_STARTED) ? data : "", detail);
    const bool unchanged =
        Contents(w.files) == before && w.settings.writes.empty() && w.launchers.launches.empty();
    FUZZ_CHECK(startedUp || (unchanged && code == (line.error != 0 ? EXIT_BAD_COMMAND_LINE
                                                   : line.help     ? EXIT_DONE
                                                                   : EXIT_ALREADY_RUNNING)),
               detail);
    if (line.quiet) {
        FUZZ_CHECK(w.output.messages.empty() && w.output.beeps == 0 && w.picker.calls.empty(),
                   detail + " showed " +
                       (w.output.messages.empty() ? "a beep" : w.output.messages[0].text));
    }
    const std::string now = CurrentContent(w.files, data);
    FUZZ_CHECK(code != EXIT_GAME_RUNS || (gameRuns && line.activate), detail);
    if (gameRuns) {
        FUZZ_CHECK(now == current && w.launchers.launches.empty(),
                   detail + " but changed BGruppen.dat or started the game");
        return;
    }
    if (code == EXIT_FAILED || code == EXIT_BAD_COMMAND_LINE || code == EXIT_ALREADY_RUNNING) {
        FUZZ_CHECK(now == current, detail + " but changed BGruppen.dat");
    } else if (line.activate && !line.help && !another) {
        const std::set<std::string> chosen = Chosen(w, data, line.name, !injected);
        FUZZ_CHECK(chosen.count(now) != 0, detail + " and left BGruppen.dat " +
                                               Quoted(now.substr(0, 40)) + " for the variant " +
                                               Quoted(line.name));
    }
}

// The file that a later run is asked to add: from outside the data folder, from inside it, or
// missing.
std::string FileToAdd(FuzzedDataProvider& input, World& w, const std::string& data) {
    const std::string names[] = {"BGruppen.dat", "BGruppen_Harbour.dat", "harbour.txt",
                                 "BGruppen_KZA.dat", "BGruppen_Original.dat"};
    switch (const int from = input.ConsumeIntegralInRange(0, 5); from) {
    case 0:
    case 1:
    case 2: { // a name of the kind, or any name
        const std::string name = from < 2 ? names[input.ConsumeIntegralInRange(0, 4)]
                                          : input.ConsumeRandomLengthString(16);
        const std::string path = "C:\\Downloads\\" + (name.empty() ? "x" : name);
        if (name.find_first_of("\\/:*?\"<>|") == std::string::npos) {
            w.files.Write(path, DrawContent(input));
        }
        return path;
    }
    case 3:
        if (!w.files.files.empty()) {
            auto file = w.files.files.begin();
            std::advance(file,
                         input.ConsumeIntegralInRange<std::size_t>(0, w.files.files.size() - 1));
            std::string path = file->second.path;
            for (char& c : path) {
                c = c == '\\' && input.ConsumeBool() ? '/' : c; // as the shell may hand it
            }
            return path;
        }
        return data + CURRENT_FILE;
    case 4:
        // Too large to be a variant; made seldom, since every step copies what the folder holds.
        if (input.ConsumeIntegralInRange(0, 7) == 0) {
            w.files.Write("C:\\Downloads\\huge.dat", std::string(ADD_SIZE_LIMIT + 1, 'x'));
            return "C:\\Downloads\\huge.dat";
        }
        return "C:\\Downloads\\gone.dat";
    default:
        w.files.Write("C:\\Downloads\\empty.dat", "");
        return "C:\\Downloads\\empty.dat";
    }
}

// A later run of "/add FILE", perhaps with "/as NAME" and "/quiet": it replaces no file, changes
// no BGruppen.dat, and when it succeeds the data folder holds the file's content in a variant
// file of its list (under the name given, if one is), the file lay outside the data folder and is
// a variant: neither empty, nor too large, nor anything but text.
void RunAdd(FuzzedDataProvider& input, World& w) {
    const std::string data = DataFolder(w);
    std::vector<std::string> arguments = {"/add", FileToAdd(input, w, data)};
    if (input.ConsumeBool()) {
        const std::string names[] = {"Harbour", "Original", "KZA", "", "a:b"};
        const int which = input.ConsumeIntegralInRange(0, 5);
        arguments.push_back("/as");
        arguments.push_back(which < 5 ? names[which] : input.ConsumeRandomLengthString(12));
    }
    if (input.ConsumeBool()) {
        arguments.push_back("/quiet");
    }
    const CommandLine line = ParseCommandLine(arguments);
    const Snapshot before = Contents(w.files);
    const test::MemoryFileSystem::File* source = w.files.Find(arguments[1]);
    const std::string added = source == nullptr ? "<none>" : source->content;
    w.settings.writes.clear();
    test::RecordedOutput output;
    const int code =
        RunCommandLine(line, CommandLineServices{w.system, output, [] { return false; }});
    const std::string detail = RunDescribed(arguments, code);
    CheckFiles(before, w.files, "", detail);
    FUZZ_CHECK(!line.quiet || (output.messages.empty() && output.beeps == 0), detail);
    const std::string folder = test::MemoryFileSystem::Key(arguments[1]);
    FUZZ_CHECK(code != EXIT_DONE || folder.substr(0, folder.find_last_of('\\') + 1) !=
                                        test::MemoryFileSystem::Key(data),
               detail + " for a file of the data folder");
    if (code == EXIT_DONE) {
        const test::MemoryFileSystem::File* named = w.files.Find(data + VariantFileOf(line.asName));
        FUZZ_CHECK(!line.named || (named != nullptr && named->content == added),
                   detail + " without " + Quoted(VariantFileOf(line.asName)) + " holding it");
        FUZZ_CHECK(!added.empty() && added.size() <= ADD_SIZE_LIMIT &&
                       added.find('\0') == std::string::npos,
                   detail + " for what is no variant");
        bool found = false;
        for (const auto& [key, file] : w.files.files) {
            const std::string name = file.path.substr(file.path.find_last_of("\\/") + 1);
            found = found || (test::MemoryFileSystem::Key(file.path) ==
                                  test::MemoryFileSystem::Key(data + name) &&
                              test::WildcardMatch(VARIANT_PATTERN, name) &&
                              test::InUpperCase(name) != test::InUpperCase(CURRENT_FILE) &&
                              file.content == added);
        }
        FUZZ_CHECK(found,
                   detail + " but no variant holds what it added" + Describe(Contents(w.files)));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    UseTextSource(&test::EnglishTable());
    FuzzedDataProvider input(data, size);
    const bool window = input.ConsumeBool();
    World world(input);
    if (window) {
        RunWindow(input, world);
    } else {
        RunCommandLineOf(input, world);
    }
    // Drawn last, so that the inputs made before there was a way to add keep their meaning.
    if (input.remaining_bytes() > 0 && input.ConsumeBool()) {
        RunAdd(input, world);
    }
    return 0;
}
