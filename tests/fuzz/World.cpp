#include "World.h"
#include "Fuzz.h"

#include "tests/native/OtherCase.h"

#include <set>

namespace varnholt::fuzz {

namespace {

// The program's own scratch files; the fuzzer draws the first three into the data folder.
const std::string* const SCRATCH[] = {&CURRENT_FILE_SCRATCH, &BACKUP_FILE_SCRATCH,
                                      &KEPT_FILE_SCRATCH, &ADDED_FILE_SCRATCH};

// Contents the game and the players' variants hold: the original (no marker), the catalogue's,
// a player's own, one with a catalogue marker but other bytes, one too large to be the original.
const std::string CONTENTS[] = {
    "\r\n; the original groups\r\n",
    ";Classic\r\nclassic groups\r\n",
    ";AddOn\r\naddon groups\r\n",
    ";KE\r\nke groups\r\n",
    ";KZA\r\nkza groups\r\n",
    ";More harbour workers\r\nharbour\r\n",
    ";Classic\r\nclassic groups, edited\r\n",
    ";KZA\r\n" + std::string(13 * 1024, 'k'),
};

} // namespace

std::string DrawContent(FuzzedDataProvider& input) {
    const std::size_t which = input.ConsumeIntegralInRange<std::size_t>(0, 8);
    return which < 8 ? CONTENTS[which] : input.ConsumeRandomLengthString(48);
}

namespace {

std::string InCase(FuzzedDataProvider& input, const std::string& name) {
    const int which = input.ConsumeIntegralInRange(0, 3);
    return which == 0 ? test::InLowerCase(name) : which == 1 ? test::InUpperCase(name) : name;
}

std::string FileName(FuzzedDataProvider& input, const std::string& previous) {
    switch (input.ConsumeIntegralInRange(0, 9)) {
    case 0:
        return CURRENT_FILE;
    case 1:
        return CATALOGUE_FILES[input.ConsumeIntegralInRange<std::size_t>(0, 4)];
    case 2:
        return BACKUP_FILE;
    case 3:
        return *SCRATCH[input.ConsumeIntegralInRange(0, 2)];
    case 4:
        return KEPT_FILE_PREFIX + "2026-12-08_1435.dat";
    case 5:
        return previous.empty() ? "ReadMe.txt" : previous + ".dat";
    case 6:
        return "ReadMe.txt";
    default:
        return "BGruppen_" + input.ConsumeRandomLengthString(12) + ".dat";
    }
}

void DrawFiles(FuzzedDataProvider& input, test::MemoryFileSystem& files) {
    std::string previous;
    for (int n = input.ConsumeIntegralInRange(0, 8); n > 0; --n) {
        const std::string name = InCase(input, FileName(input, previous));
        if (name.find_first_of("\\/:*?\"<>|") != std::string::npos) {
            continue;
        }
        const std::string content = DrawContent(input);
        test::MemoryFileSystem::File& file = files.Write(DATA + name, content);
        // Another program may hold a data file, or the player made it read-only; never one of
        // the program's own scratch files.
        const int state = IsScratchName(test::MemoryFileSystem::Key(name))
                              ? 0
                              : input.ConsumeIntegralInRange(0, 9);
        file.readOnly = state == 1;
        file.locked = state == 2;
        previous = name;
    }
}

void DrawInstallation(FuzzedDataProvider& input, World& w) {
    const std::string versions[] = {"1.04", "2.01", "3.02", "", "2.50000000000000000001"};
    const int key = input.ConsumeIntegralInRange(0, 3);
    if (key != 0) {
        w.registry.values["GAMEPATH"] =
            key == 1 ? test::InLowerCase(GAME) : GAME.substr(0, GAME.size() - 1);
    } else if (input.ConsumeBool()) { // no game key: the stored folder, else the player picks one
        w.settings.values["ANNOPath"] = GAME;
    } else if (input.ConsumeBool()) { // or cancels
        w.picker.answers.push_back(GAME.substr(0, GAME.size() - 1));
    }
    const std::size_t version = input.ConsumeIntegralInRange<std::size_t>(0, 5);
    w.registry.values["VERSION"] =
        version < 5 ? versions[version] : input.ConsumeRandomLengthString(8);
    if (input.ConsumeBool()) {
        w.registry.values["ADDON_VERSION"] = versions[input.ConsumeIntegralInRange(0, 4)];
    }
    if (input.ConsumeIntegralInRange(0, 4) != 0) {
        w.registry.values["LANGUAGE"] = "Deutsch";
    }
}

void DrawSettings(FuzzedDataProvider& input, World& w) {
    // None (the data folder follows the installation folder), it, in another form, another one.
    const std::string stored[] = {"", DATA, test::InLowerCase(DATA.substr(0, DATA.size() - 1)),
                                  "D:\\Elsewhere\\"};
    const int where = input.ConsumeIntegralInRange(0, 3);
    if (where != 0) {
        w.settings.values["DATPath"] = stored[where];
    }
    const int firstRun = input.ConsumeIntegralInRange(0, 2);
    if (firstRun != 2) {
        w.settings.values["FirstRun"] = firstRun == 0 ? "0" : "1";
    }
    if (input.ConsumeBool()) {
        w.settings.values[FILLED_SETTING] = DATA;
    }
    if (input.ConsumeIntegralInRange(0, 7) == 0) {
        w.settings.failReads.insert("FirstRun");
    }
    w.settings.failWrites = input.ConsumeIntegralInRange(0, 7) == 0;
    w.launchers.failLaunch = input.ConsumeIntegralInRange(0, 3) == 0;
}

} // namespace

World::World(FuzzedDataProvider& input) {
    DrawInstallation(input, *this);
    DrawSettings(input, *this);
    DrawFiles(input, files);
    for (int n = input.ConsumeIntegralInRange(0, 3); n > 0; --n) {
        files.failures.insert(input.ConsumeIntegralInRange(0, 63));
    }
}

Snapshot Contents(const test::MemoryFileSystem& files) {
    Snapshot contents;
    for (const auto& [key, file] : files.files) {
        contents[key] = file.content;
    }
    return contents;
}

std::string CurrentContent(const test::MemoryFileSystem& files, const std::string& data) {
    const test::MemoryFileSystem::File* file = files.Find(data + CURRENT_FILE);
    return file == nullptr ? "<none>" : file->content;
}

bool IsScratchName(const std::string& key) {
    for (const std::string* name : SCRATCH) {
        if (key.substr(key.find_last_of('\\') + 1) == test::MemoryFileSystem::Key(*name)) {
            return true;
        }
    }
    return false;
}

std::string Describe(const Snapshot& files) {
    std::string text;
    for (const auto& [key, content] : files) {
        text += "\n    " + Quoted(key) + " = " + Quoted(content.substr(0, 40));
    }
    return text;
}

void CheckFiles(const Snapshot& before, const test::MemoryFileSystem& files,
                const std::string& data, const std::string& step) {
    const Snapshot after = Contents(files);
    const std::string folder = test::MemoryFileSystem::Key(data);
    std::set<std::string> held;
    for (const auto& [key, content] : after) {
        held.insert(content);
        const bool inData = !data.empty() && key.compare(0, folder.size(), folder) == 0;
        FUZZ_CHECK(!IsScratchName(key) || (!inData && before.count(key) != 0),
                   step + " left " + Quoted(key) + Describe(after));
    }
    const std::string current = test::MemoryFileSystem::Key(data + CURRENT_FILE);
    for (const auto& [key, content] : before) {
        FUZZ_CHECK(IsScratchName(key) || held.count(content) != 0,
                   step + " lost the content of " + Quoted(key) + "; before:" + Describe(before) +
                       "\n  after:" + Describe(after));
        const auto now = after.find(key);
        FUZZ_CHECK(IsScratchName(key) || (!data.empty() && key == current) ||
                       (now != after.end() && now->second == content),
                   step + " changed " + Quoted(key) + "; before:" + Describe(before) +
                       "\n  after:" + Describe(after));
    }
}

} // namespace varnholt::fuzz
