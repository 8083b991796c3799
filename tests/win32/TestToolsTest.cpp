// The safeguards of the test tools: they write the registry only inside the project's own Wine
// prefix, and remove only what they write there.
#include "Win32TestSupport.h"

#include <gtest/gtest.h>

using namespace varnholt;
using namespace varnholt::test;

namespace {

// The text value `name` of the key, or "<absent>" when the key or the value does not exist.
std::string Value(HKEY root, const std::wstring& path, const wchar_t* name, REGSAM view = 0) {
    RegistryKey key;
    wchar_t value[256] = {};
    DWORD size = sizeof value - sizeof(wchar_t);
    const bool found =
        RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, key.receive()) == ERROR_SUCCESS &&
        (name == nullptr ||
         RegQueryValueExW(key.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(value),
                          &size) == ERROR_SUCCESS);
    return found ? Narrow(value) : "<absent>";
}

bool Exists(HKEY root, const std::wstring& path, REGSAM view = 0) {
    return Value(root, path, nullptr, view) != "<absent>";
}

} // namespace

TEST(TestTools, RefuseTheRegistryOutsideTheProjectsWinePrefix) {
    TempFolder dir;
    const std::wstring mark = Widen(dir / "varnholt-prefix.txt");
    const std::string allowed = std::string(PREFIX_MARK_LINE) + "\r\nloaders: 32+64\r\n";

    const std::string notWine = RegistryRefusal(false, mark);
    WriteFileBytes(mark, allowed);
    EXPECT_EQ(RegistryRefusal(false, mark), notWine);
    EXPECT_EQ(notWine.rfind("refusing to touch the registry: this is not Wine;", 0), 0u) << notWine;
    EXPECT_EQ(RegistryRefusal(true, mark), "");

    DeleteFileW(mark.c_str());
    const std::string unmarked = RegistryRefusal(true, mark);
    EXPECT_EQ(unmarked.rfind("refusing to touch the registry: this Wine prefix has no " +
                                 Narrow(mark) + ";",
                             0),
              0u)
        << unmarked;

    WriteFileBytes(mark, "Some other prefix\r\n" + allowed);
    EXPECT_NE(RegistryRefusal(true, mark).find("does not mark this Wine prefix as Varnholt's"),
              std::string::npos);

    // Each reason is one line.
    for (const std::string& line : {notWine, unmarked, RegistryRefusal(true, mark)}) {
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
    }
}

TEST(TestTools, RemoveOnlyTheKeysAndValuesTheyWrite) {
    if (!RegistryRefusal().empty()) {
        GTEST_SKIP() << RegistryRefusal();
    }
    // The game's key and the family's key below keys of this test's own, removed at the end.
    const std::string base = "Software\\Varnholt-Test-" + UniqueSuffix();
    TestKey machine{HKEY_LOCAL_MACHINE, base, KEY_WOW64_32KEY};
    TestKey user{HKEY_CURRENT_USER, base};
    ASSERT_TRUE(machine.ok() && user.ok());
    const std::wstring maker = Widen(base) + L"\\Max-Design";
    const std::wstring game = maker + L"\\ANNO1503";
    const std::wstring tools = Widen(base) + L"\\Marrik's ANNO 1503-Tools";
    const std::wstring settings = tools + L"\\Varnholt";

    // Keys the set-up made are removed again once empty.
    {
        InstallationKeys keys(game, tools);
        ASSERT_TRUE(keys.WriteGameKey(L"C:\\Games\\ANNO 1503"));
        ASSERT_TRUE(keys.WriteSetting(L"FirstRun", L"1"));
        EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, game, L"GAMEPATH", KEY_WOW64_32KEY),
                  "C:\\Games\\ANNO 1503");
        EXPECT_EQ(Value(HKEY_CURRENT_USER, settings, L"FirstRun"), "1");
        keys.Clear();
        EXPECT_FALSE(Exists(HKEY_LOCAL_MACHINE, maker, KEY_WOW64_32KEY));
        EXPECT_FALSE(Exists(HKEY_CURRENT_USER, tools));
    }

    // Another tool of the family keeps its settings, and the game's key a value of its own.
    TestKey other{HKEY_CURRENT_USER, Narrow(tools) + "\\OtherTool"};
    ASSERT_EQ(other.SetText("Option", L"kept"), ERROR_SUCCESS);
    TestKey gameKey{HKEY_LOCAL_MACHINE, Narrow(game), KEY_WOW64_32KEY};
    ASSERT_EQ(gameKey.SetText("PATCH", L"1.05"), ERROR_SUCCESS);
    InstallationKeys keys(game, tools);
    ASSERT_TRUE(keys.WriteGameKey(L"C:\\Games\\ANNO 1503"));
    ASSERT_TRUE(keys.WriteSetting(L"DATPath", L"C:\\Games\\ANNO 1503\\Data\\"));
    keys.Clear();
    EXPECT_EQ(Value(HKEY_CURRENT_USER, tools + L"\\OtherTool", L"Option"), "kept");
    EXPECT_FALSE(Exists(HKEY_CURRENT_USER, settings));
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, game, L"PATCH", KEY_WOW64_32KEY), "1.05");
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, game, L"GAMEPATH", KEY_WOW64_32KEY), "<absent>");
}
