// Where a file really lies for a virtualized process: the decision on a fake view of the system
// (virtualization cannot be switched on under Wine), and the system's own view here.
#include "platform/VirtualStore.h"
#include "Win32TestSupport.h"
#include "platform/clsExecProg.h"

#include <gtest/gtest.h>

#include <set>

using namespace varnholt;
using namespace varnholt::test;

TEST(VirtualStore, TheCopyIsShownWhereTheProcessIsVirtualizedAndItExists) {
    const std::string local = "C:\\Users\\Spieler\\AppData\\Local";
    const std::string game = "C:\\Program Files (x86)\\ANNO 1503\\Data\\";
    const std::string copy = local + "\\VirtualStore\\Program Files (x86)\\ANNO 1503\\Data\\";
    std::set<std::string> existing = {copy + "BGruppen_KZA.dat"};
    bool virtualized = true;
    const VirtualStoreView view{[&] { return virtualized; }, [&] { return local; },
                                [] { return std::string("C:"); },
                                [&](const std::string& path) { return existing.count(path) != 0; }};

    EXPECT_EQ(ActualLocation(game + "BGruppen_KZA.dat", view), copy + "BGruppen_KZA.dat");
    EXPECT_EQ(ActualLocation(game + "BGruppen_KE.dat", view), game + "BGruppen_KE.dat");
    // The same folder on another drive is another game, which the system never virtualizes.
    const std::string other = "D:" + game.substr(2) + "BGruppen_KZA.dat";
    EXPECT_EQ(ActualLocation(other, view), other);
    virtualized = false;
    EXPECT_EQ(ActualLocation(game + "BGruppen_KZA.dat", view), game + "BGruppen_KZA.dat");

    const std::pair<std::string, std::string> places[] = {
        {"c:\\Spiele\\BGruppen.dat", local + "\\VirtualStore\\Spiele\\BGruppen.dat"},
        {"\\\\?\\C:\\Games\\BGruppen.dat", local + "\\VirtualStore\\Games\\BGruppen.dat"},
        {"D:\\Spiele\\BGruppen.dat", ""}, // another drive: never virtualized
        {"\\\\?\\D:\\Games\\BGruppen.dat", ""},
        {"\\\\server\\share\\BGruppen.dat", ""}, // never virtualized
        {"\\\\?\\UNC\\server\\share\\BGruppen.dat", ""},
        {"Data\\BGruppen.dat", ""},
    };
    for (const auto& [path, place] : places) {
        EXPECT_EQ(VirtualStorePath(local, "C:", path), place) << path;
        EXPECT_EQ(VirtualStorePath(local + "\\", "c:", path), place) << path;
    }
    EXPECT_EQ(VirtualStorePath("", "C:", "C:\\Games\\BGruppen.dat"), "");
}

TEST(VirtualStore, AProcessThatIsNotVirtualizedShowsTheFileItself) {
    // The 64-bit test program runs as invoker, and Wine virtualizes nothing: the token says so.
    const VirtualStoreView system = SystemVirtualStoreView();
    EXPECT_FALSE(system.virtualized());
    EXPECT_EQ(system.systemDrive(), "C:");
    EXPECT_FALSE(
        VirtualStorePath(system.localAppData(), system.systemDrive(), "C:\\Games\\BGruppen.dat")
            .empty());
    EXPECT_EQ(ShellLauncherFactory().WhereFileLies("C:\\Games\\BGruppen.dat"),
              "C:\\Games\\BGruppen.dat");

    // A data folder spelt by short names is handed over by its long ones, the VirtualStore's.
    const TempFolder dir("virtual store");
    dir.MakeFolder("ANNO 1503 Data");
    const std::string path = dir.Write("ANNO 1503 Data\\BGruppen_Long Name.dat", "x");
    wchar_t shortPath[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameW(Widen(path).c_str(), shortPath, MAX_PATH), 0u);
    ASSERT_NE(Narrow(shortPath), path);
    EXPECT_EQ(ShellLauncherFactory().WhereFileLies(Narrow(shortPath)), path);
}
