#include "World.h"
#include "Fuzz.h"

#include "tests/native/OtherCase.h"

#include <set>

namespace varnholt::fuzz {

namespace {

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
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return test::InLowerCase(name);
    case 1:
        return test::InUpperCase(name);
    default:
        return name;
    }
}

std::string FileName(FuzzedDataProvider& input, const std::string& previous) {
    switch (input.ConsumeIntegralInRange(0, 9)) {
    case 0:
        return CURRENT_FILE;
    case 1:
        return CATALOGUE_FILES[input.ConsumeIntegralInRange<std::size_t>(0, 4)];
    case 2:
        return BACKUP_FILE;
    case 3: {
        const std::string* scratch[] = {&CURRENT_FILE_SCRATCH, &BACKUP_FILE_SCRATCH,
                                        &KEPT_FILE_SCRATCH};
        return *scratch[input.ConsumeIntegralInRange(0, 2)];
    }
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
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0: // no game key: the stored folder, else the player picks one or cancels
        if (input.ConsumeBool()) {
            w.settings.values["ANNOPath"] = GAME;
        } else if (input.ConsumeBool()) {
            w.picker.answers.push_back(GAME.substr(0, GAME.size() - 1));
        }
        break;
    case 1:
        w.registry.values["GAMEPATH"] = test::InLowerCase(GAME);
        break;
    default:
        w.registry.values["GAMEPATH"] = GAME.substr(0, GAME.size() - 1);
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
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        break; // the data folder follows the installation folder
    case 1:
        w.settings.values["DATPath"] = DATA;
        break;
    case 2:
        w.settings.values["DATPath"] = test::InLowerCase(DATA.substr(0, DATA.size() - 1));
        break;
    default:
        w.settings.values["DATPath"] = "D:\\Elsewhere\\";
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
    for (const std::string* name :
         {&CURRENT_FILE_SCRATCH, &BACKUP_FILE_SCRATCH, &KEPT_FILE_SCRATCH, &ADDED_FILE_SCRATCH}) {
        const std::string own = test::MemoryFileSystem::Key(*name);
        if (key.size() >= own.size() &&
            key.compare(key.size() - own.size(), own.size(), own) == 0 &&
            (key.size() == own.size() || key[key.size() - own.size() - 1] == '\\')) {
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
