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
                                [&](const std::string& path) { return existing.count(path) != 0; }};

    EXPECT_EQ(ActualLocation(game + "BGruppen_KZA.dat", view), copy + "BGruppen_KZA.dat");
    EXPECT_EQ(ActualLocation(game + "BGruppen_KE.dat", view), game + "BGruppen_KE.dat");
    virtualized = false;
    EXPECT_EQ(ActualLocation(game + "BGruppen_KZA.dat", view), game + "BGruppen_KZA.dat");

    const std::pair<std::string, std::string> places[] = {
        {"D:\\Spiele\\BGruppen.dat", local + "\\VirtualStore\\Spiele\\BGruppen.dat"},
        {"\\\\?\\C:\\Games\\BGruppen.dat", local + "\\VirtualStore\\Games\\BGruppen.dat"},
        {"\\\\server\\share\\BGruppen.dat", ""}, // never virtualized
        {"\\\\?\\UNC\\server\\share\\BGruppen.dat", ""},
        {"Data\\BGruppen.dat", ""},
    };
    for (const auto& [path, place] : places) {
        EXPECT_EQ(VirtualStorePath(local, path), place) << path;
        EXPECT_EQ(VirtualStorePath(local + "\\", path), place) << path;
    }
    EXPECT_EQ(VirtualStorePath("", "C:\\Games\\BGruppen.dat"), "");
}

TEST(VirtualStore, AProcessThatIsNotVirtualizedShowsTheFileItself) {
    // The 64-bit test program runs as invoker, and Wine virtualizes nothing: the token says so.
    const VirtualStoreView system = SystemVirtualStoreView();
    EXPECT_FALSE(system.virtualized());
    EXPECT_FALSE(VirtualStorePath(system.localAppData(), "C:\\Games\\BGruppen.dat").empty());
    EXPECT_EQ(ShellLauncherFactory().WhereFileLies("C:\\Games\\BGruppen.dat"),
              "C:\\Games\\BGruppen.dat");
}
