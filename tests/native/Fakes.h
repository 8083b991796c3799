// The test doubles wired to the form logic for the native tests: a harness on a real temporary
// data folder, and the fixtures built on it.
#pragma once

#include "Doubles.h"
#include "StdFileSystem.h"
#include "core/CommandLineRun.h"

#include <gtest/gtest.h>

#include <string>

namespace varnholt::test {

// The form logic wired to fakes, working on a real temporary data folder.
struct Harness {
    FakeControls ui;
    FakeRegistry registry;
    FakeSettings settings;
    FailingFileSystem files;
    FakePicker picker;
    FakeLauncherFactory launchers;
    modVarnholt folders;
    FakeClock clock;
    FakeProcesses processes;
    SystemServices system{registry, settings, files, picker, launchers, folders, clock, processes};
    FormLogic logic{FormServices{system, ui}};

    // A game installation whose data folder is `data` and whose backup already exists.
    void Installed(const TempFolder& data, const std::string& version = "1.04") {
        registry.values["GAMEPATH"] = "C:\\Games\\ANNO 1503";
        registry.values["VERSION"] = version;
        registry.values["LANGUAGE"] = "Deutsch";
        settings.values["DATPath"] = data.shown();
        settings.values["FirstRun"] = "1";
        ui.onResize = [this] { logic.Form_Resize(); };
    }
    // varnholt.exe run with `arguments` while no other Varnholt runs: its exit code.
    int Run(MessageOutput& output, const std::string& arguments) {
        return RunCommandLine(ParseCommandLine(SplitCommandLine("varnholt.exe " + arguments)),
                              CommandLineServices{system, output, [] { return false; }});
    }
};

// A test of the form logic on fakes, with a real temporary data folder.
struct FolderTest : ::testing::Test {
    Harness h;
    TempFolder data;
};

// The AddOn variant's groups, and a folder test that switches an AddOn installation to it.
const std::string ADDON_GROUPS = ";AddOn\r\nnew groups\r\n";
struct AddOnSwitch : FolderTest {
    // An AddOn installation (2.01) whose BGruppen.dat holds `current`, the AddOn variant beside.
    void Install(const std::string& current) {
        h.Installed(data, "2.01");
        data.Write("BGruppen.dat", current);
        data.Write("BGruppen_AddOn.dat", ADDON_GROUPS);
    }
    // The message of a successful activation of the AddOn variant.
    std::string Copied() const {
        return "'" + data.shown() + "BGruppen_AddOn.dat' is copied as current BGruppen.dat file...";
    }
};

} // namespace varnholt::test
