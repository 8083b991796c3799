// The desktop shortcut that activates a variant and starts the game: what it runs and where, the
// shortcut it replaces and the names it leaves alone, and its failures.
#include "core/DesktopShortcut.h"
#include "Fakes.h"

#include <gtest/gtest.h>

using namespace varnholt;
using namespace varnholt::test;

namespace {

const std::string EXE = "C:\\Tools\\varnholt.exe";
const std::string GAME = "C:\\Games\\ANNO 1503\\";
// The desktop of the shell double, where the shortcuts land.
const std::string DESKTOP = FakeShortcutShell().desktop + "\\";

ShortcutLink Link(const std::string& target, const std::string& arguments) {
    ShortcutLink link;
    link.target = target;
    link.arguments = arguments;
    return link;
}

} // namespace

TEST(DesktopShortcut, StartsTheProgramWithTheVariantInTheInstallationFolder) {
    FakeControls ui;
    FakeShortcutShell shell;
    EXPECT_EQ(CreateDesktopShortcut(ui, shell, EXE, GAME, "BGruppen_KZA.dat"),
              DESKTOP + "ANNO 1503 - KZA.lnk");
    const ShortcutLink& kza = shell.links[DESKTOP + "ANNO 1503 - KZA.lnk"];
    EXPECT_EQ(kza.target, EXE);
    EXPECT_EQ(kza.arguments, "/activate KZA /start");
    EXPECT_EQ(kza.workDir, "C:\\Games\\ANNO 1503");
    EXPECT_EQ(kza.icon, EXE); // no starter: the program's own icon
    // The message's text, and a shortcut the player edited: the end-to-end FromCommandLine test.
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].flags, MB_ICONINFORMATION_VALUE);

    shell.plainFiles.insert(GAME + "1503startup.exe");
    CreateDesktopShortcut(ui, shell, EXE, GAME, "BGruppen_My Mod.dat");
    const ShortcutLink& mod = shell.links[DESKTOP + "ANNO 1503 - My Mod.lnk"];
    EXPECT_EQ(mod.arguments, "/activate \"BGruppen_My Mod.dat\" /start");
    EXPECT_EQ(mod.icon, GAME + "1503startup.exe");
}

TEST(DesktopShortcut, ReplacesOnlyTheSameShortcutElseNumbersTheName) {
    FakeControls ui;
    FakeShortcutShell shell;
    // Unedited, to this exe in other letter case, in any alphabet: made again in its place.
    const std::string cyrillicExe = "C:\\Игры\\varnholt.exe";
    shell.links[DESKTOP + "ANNO 1503 - KE.lnk"] =
        Link("c:\\игры\\VARNHOLT.EXE", "/activate KE /start");
    EXPECT_EQ(CreateDesktopShortcut(ui, shell, cyrillicExe, GAME, "BGruppen_KE.dat"),
              DESKTOP + "ANNO 1503 - KE.lnk");
    EXPECT_EQ(shell.links[DESKTOP + "ANNO 1503 - KE.lnk"].target, cyrillicExe);

    // Two variants with the same title keep a shortcut each.
    CreateDesktopShortcut(ui, shell, EXE, GAME, "BGruppenMod.dat");
    EXPECT_EQ(CreateDesktopShortcut(ui, shell, EXE, GAME, "BGruppen_BGruppenMod.dat"),
              DESKTOP + "ANNO 1503 - BGruppenMod (2).lnk");
    EXPECT_EQ(shell.links[DESKTOP + "ANNO 1503 - BGruppenMod.lnk"].arguments,
              "/activate BGruppenMod.dat /start");

    // Any other file of that name is left alone.
    shell.plainFiles.insert(DESKTOP + "ANNO 1503 - AddOn.lnk");
    shell.links[DESKTOP + "ANNO 1503 - AddOn (2).lnk"] = Link("C:\\Other\\varnholt.exe", "/old");
    EXPECT_EQ(CreateDesktopShortcut(ui, shell, EXE, GAME, "BGruppen_AddOn.dat"),
              DESKTOP + "ANNO 1503 - AddOn (3).lnk");
    EXPECT_EQ(shell.links[DESKTOP + "ANNO 1503 - AddOn (2).lnk"].target, "C:\\Other\\varnholt.exe");
}

TEST(DesktopShortcut, FailuresAreReported) {
    FakeControls ui;
    FakeShortcutShell shell;
    shell.failWrite = true;
    EXPECT_EQ(CreateDesktopShortcut(ui, shell, EXE, GAME, "BGruppen_KE.dat"), "");
    shell.desktop.clear();
    EXPECT_EQ(CreateDesktopShortcut(ui, shell, EXE, GAME, "BGruppen_KE.dat"), "");
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, "Unable to create the shortcut '" + DESKTOP +
                                       "ANNO 1503 - KE.lnk': Access is denied.");
    EXPECT_EQ(ui.messages[1].text, "Unable to find your desktop folder.");
    EXPECT_TRUE(shell.links.empty());
}
