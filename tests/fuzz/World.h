// The world of the start-up target: a game installation whose registry, settings, data folder
// and failing file operations are all drawn from the fuzzer's input, on the native tests'
// doubles and the file system in memory; and what no step may do to its files.
#pragma once

#include "tests/native/Doubles.h"
#include "tests/native/MemoryFileSystem.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <map>
#include <string>

namespace varnholt::fuzz {

// The installation folder and its data folder as the registry and the settings name them.
inline const std::string GAME = "C:\\Games\\ANNO 1503\\";
inline const std::string DATA = GAME + "Data\\";

struct World {
    test::FakeRegistry registry;
    test::FakeSettings settings;
    test::MemoryFileSystem files;
    test::FakePicker picker;
    test::FakeLauncherFactory launchers;
    test::FakeClock clock;
    test::RecordedOutput output;
    modVarnholt folders;
    test::FakeProcesses processes;
    SystemServices system{registry, settings, files, picker, launchers, folders, clock, processes};

    World() = default; // no installation, no files
    // Draws the installation from `input`; the failures to inject come last.
    explicit World(FuzzedDataProvider& input);
};

// A data file's content: the original, a catalogue variant, a player's, or anything.
std::string DrawContent(FuzzedDataProvider& input);

// Every file's content by its key.
using Snapshot = std::map<std::string, std::string>;
Snapshot Contents(const test::MemoryFileSystem& files);
// The content of BGruppen.dat in `data` (the data folder with its backslash), or "<none>".
std::string CurrentContent(const test::MemoryFileSystem& files, const std::string& data);
bool IsScratchName(const std::string& key);
// The files by key and their contents' beginnings, for a failure's message.
std::string Describe(const Snapshot& files);
// No content that a file other than a scratch file held is lost, no file but BGruppen.dat of the
// data folder `data` is changed or removed, and no scratch file is left in `data` (one in
// another folder is none of the program's business).
void CheckFiles(const Snapshot& before, const test::MemoryFileSystem& files,
                const std::string& data, const std::string& step);

} // namespace varnholt::fuzz
