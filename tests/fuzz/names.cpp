// Variant names on any listing of the data folder: every variant of the table is found again by
// the NAME the command line and its shortcut give it, in any letter case; and shortcuts made on a
// desktop that already holds files and shortcuts, for the variants in any order and any number
// of times, activate their variant and never change what a file or shortcut there starts.
#include "Fuzz.h"
#include "tests/native/Doubles.h"
#include "tests/native/OtherCase.h"
#include "tests/native/StdFileSystem.h"

#include "core/CommandLine.h"
#include "core/DesktopShortcut.h"
#include "core/modBasis.h"

#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <map>

using namespace varnholt;
using namespace varnholt::fuzz;

namespace {

const std::string EXE = "C:\\Tools\\varnholt.exe";
const std::string GAME = "C:\\Games\\ANNO 1503\\";

// A name as the platform's listing could deliver it: UTF-8, none of the characters a file name
// cannot hold, matching the variants' pattern.
bool Listable(const std::string& name) {
    for (unsigned char c : name) {
        if (c < 0x20 ||
            std::string("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string::npos) {
            return false;
        }
    }
    return IsUtf8(name) && test::WildcardMatch(VARIANT_PATTERN, name);
}

// The shortcuts by path, as the text of what each starts.
std::map<std::string, std::string> Starts(const test::FakeShortcutShell& shell) {
    std::map<std::string, std::string> starts;
    for (const auto& [path, link] : shell.links) {
        starts[path] = link.target + " " + link.arguments;
    }
    return starts;
}

std::string Name(FuzzedDataProvider& input, const std::vector<std::string>& earlier) {
    switch (input.ConsumeIntegralInRange(0, 5)) {
    case 0:
        return "BGruppen_" + input.ConsumeRandomLengthString(24) + ".dat";
    case 1: {
        const std::string& file = CATALOGUE_FILES[input.ConsumeIntegralInRange<std::size_t>(0, 4)];
        return input.ConsumeBool() ? test::InUpperCase(file) : test::InLowerCase(file);
    }
    case 2:
        return input.ConsumeBool() ? CURRENT_FILE : test::InUpperCase(CURRENT_FILE);
    case 3:
        return earlier.empty() ? std::string()
                               : earlier.back() + (input.ConsumeBool() ? ".dat" : ".DAT");
    case 4:
        return "BGruppen" + input.ConsumeRandomLengthString(24) + ".dat";
    default:
        return input.ConsumeRandomLengthString(32);
    }
}

void CheckNames(const std::vector<std::string>& files) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string name = VariantName(files[i]);
        const std::string detail = "variant " + Quoted(files[i]) + " named " + Quoted(name);
        FUZZ_CHECK(ResolveVariantName(name, files) == static_cast<int>(i), detail);
        // In any other letter case, as Windows would find the file (written by the tests' rule).
        const auto otherLower = [](char32_t) { return test::LetterCase::OtherLower; };
        for (const std::string& other :
             {test::InUpperCase(name), test::InLowerCase(name), test::WithCase(name, otherLower)}) {
            FUZZ_CHECK(ResolveVariantName(other, files) == static_cast<int>(i),
                       detail + " is not found as " + Quoted(other));
        }
        // As Explorer shows the file with its extension hidden: the name without its last ".dat"
        // names a file of that name, or of that name with ".dat".
        const std::string stem = files[i].substr(0, files[i].size() - 4);
        const int shown = ResolveVariantName(stem, files);
        const std::string found = shown < 0 ? "" : files[static_cast<std::size_t>(shown)];
        FUZZ_CHECK(!found.empty() && (test::InUpperCase(found) == test::InUpperCase(stem) ||
                                      test::InUpperCase(found) == test::InUpperCase(stem + ".dat")),
                   detail + " is not found as " + Quoted(stem));
        // As the shortcut hands it over.
        const CommandLine line =
            ParseCommandLine(SplitCommandLine("v /activate " + QuoteArgument(name) + " /start"));
        FUZZ_CHECK(line.error == 0 && line.name == name, detail);
    }
}

void CheckShortcuts(FuzzedDataProvider& input, const std::vector<std::string>& files) {
    test::FakeShortcutShell shell;
    const std::string desktop = AddBackslash(shell.desktop);
    // What lay on the desktop before: files and other shortcuts under the variants' titles.
    for (int n = input.ConsumeIntegralInRange(0, 6); n > 0; --n) {
        const std::string& file =
            files[input.ConsumeIntegralInRange<std::size_t>(0, files.size() - 1)];
        const std::string path =
            desktop + ShortcutTitle(file) + (input.ConsumeBool() ? " (2)" : "") + ".lnk";
        if (shell.links.count(path) != 0 || shell.plainFiles.count(path) != 0) {
            continue; // one file a name
        }
        if (input.ConsumeBool()) {
            shell.plainFiles.insert(path);
        } else {
            // Another program's shortcut, or this one's, perhaps with the variant's own arguments.
            const std::string target = input.ConsumeBool() ? EXE : "C:\\Other.exe";
            shell.links[path] = ShortcutLink{
                target,
                input.ConsumeBool() ? input.ConsumeRandomLengthString(16)
                                    : "/activate " + QuoteArgument(VariantName(file)) + " /start",
                "", "", 0};
        }
    }
    for (int n = input.ConsumeIntegralInRange(1, 8); n > 0 && input.remaining_bytes() > 0; --n) {
        const std::size_t index = input.ConsumeIntegralInRange<std::size_t>(0, files.size() - 1);
        const std::string& file = files[index];
        const auto startsBefore = Starts(shell);
        const auto plainBefore = shell.plainFiles;
        test::FakeControls ui;
        const std::string made = CreateDesktopShortcut(ui, shell, EXE, GAME, file);
        const std::string detail = "shortcut of " + Quoted(file) + " made as " + Quoted(made);
        FUZZ_CHECK(!made.empty() || startsBefore == Starts(shell), detail);
        // Nothing replaced, nothing lost: every shortcut that lay there still starts what it did.
        const auto startsAfter = Starts(shell);
        for (const auto& [path, starts] : startsBefore) {
            FUZZ_CHECK(startsAfter.count(path) == 1 && startsAfter.at(path) == starts,
                       detail + " replaced " + Quoted(path) + " that started " + Quoted(starts));
        }
        FUZZ_CHECK(plainBefore == shell.plainFiles, detail + " overwrote a file");
        // What it made activates this very variant and starts the game.
        ShortcutLink link;
        const bool read = made.empty() || shell.ReadLink(made, link);
        const CommandLine line = ParseCommandLine(SplitCommandLine("v " + link.arguments));
        FUZZ_CHECK(read && (made.empty() ||
                            (line.error == 0 && line.activate && line.start &&
                             ResolveVariantName(line.name, files) == static_cast<int>(index))),
                   detail + " starts " + Quoted(link.arguments));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    std::vector<std::string> listing;
    for (int n = input.ConsumeIntegralInRange(0, 10); n > 0; --n) {
        const std::string name = Name(input, listing);
        if (Listable(name)) {
            listing.push_back(name);
        }
    }
    std::vector<std::string> files = CATALOGUE_FILES;
    for (const std::string& name : FurtherVariantFiles(listing)) {
        files.push_back(name);
    }
    CheckNames(files);
    CheckShortcuts(input, files);
    return 0;
}
