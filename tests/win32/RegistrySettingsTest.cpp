// The settings store in the per-user registry, under a key of the test's own.
#include "platform/RegistrySettings.h"
#include "Win32TestSupport.h"
#include "platform/RegKey.h"

#include <gtest/gtest.h>

using namespace varnholt;
using namespace varnholt::test;

namespace {

struct Settings : ::testing::Test {
    std::string keyPath = "Software\\Varnholt-Test-" + UniqueSuffix() + "\\Varnholt";
    RegistrySettings settings{keyPath};
    std::string out = "previous";

    void TearDown() override {
        const std::wstring parent = Widen(keyPath.substr(0, keyPath.rfind('\\')));
        RegDeleteTreeW(HKEY_CURRENT_USER, parent.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, parent.c_str());
    }
};

} // namespace

TEST_F(Settings, AbsentKeyOrValueGivesTheDefault) {
    EXPECT_TRUE(settings.GetSetting("FirstRun", "0", out));
    EXPECT_EQ(out, "0");

    ASSERT_TRUE(settings.SaveSetting("ANNOPath", "C:\\Games\\ANNO 1503\\"));
    out = "previous";
    EXPECT_TRUE(settings.GetSetting("DATPath", "", out));
    EXPECT_EQ(out, "");
}

TEST_F(Settings, SavedValuesRoundTrip) {
    const std::string folder = "C:\\Spiele\\K\u00f6nigs-Edition \u20ac \u65e5\u672c\\Data\\";
    ASSERT_TRUE(settings.SaveSetting("DATPath", folder));
    EXPECT_TRUE(settings.GetSetting("DATPath", "", out));
    EXPECT_EQ(out, folder);

    // Longer than any buffer of a first guess.
    const std::string longText(5000, 'p');
    ASSERT_TRUE(settings.SaveSetting("GAMESPath", longText));
    EXPECT_TRUE(settings.GetSetting("GAMESPath", "", out));
    EXPECT_EQ(out, longText);

    // Overwriting with a shorter value leaves nothing of the longer one.
    ASSERT_TRUE(settings.SaveSetting("GAMESPath", "S"));
    EXPECT_TRUE(settings.GetSetting("GAMESPath", "", out));
    EXPECT_EQ(out, "S");

    ASSERT_TRUE(settings.SaveSetting("FirstRun", ""));
    EXPECT_TRUE(settings.GetSetting("FirstRun", "0", out));
    EXPECT_EQ(out, "");

    // Stored as one REG_SZ value per key, as the default key of the program holds them.
    RegistryKey key;
    ASSERT_EQ(
        RegOpenKeyExW(HKEY_CURRENT_USER, Widen(keyPath).c_str(), 0, KEY_QUERY_VALUE, key.receive()),
        ERROR_SUCCESS);
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExW(key.get(), L"DATPath", nullptr, &type, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
}

TEST_F(Settings, ValuesWrittenByOthersAreReadSafely) {
    ASSERT_TRUE(settings.SaveSetting("FirstRun", "1"));
    TestKey key{HKEY_CURRENT_USER, keyPath};
    ASSERT_TRUE(key.ok());

    // A value of another type is no setting of this program: as if absent.
    ASSERT_EQ(key.SetNumber("FirstRun", 1), ERROR_SUCCESS);
    EXPECT_TRUE(settings.GetSetting("FirstRun", "0", out));
    EXPECT_EQ(out, "0");

    // A text stored without its terminating NUL is read whole and nothing beyond it.
    const wchar_t bare[] = {L'D', L'a', L't', L'a'};
    ASSERT_EQ(key.SetRaw("DATPath", REG_SZ, bare, sizeof bare), ERROR_SUCCESS);
    EXPECT_TRUE(settings.GetSetting("DATPath", "", out));
    EXPECT_EQ(out, "Data");
}

TEST_F(Settings, LongValuesAreReadWholeAndTheKeyDeletesAValue) {
    const std::string longFolder = "C:\\" + std::string(20000, 'x') + "\\";
    ASSERT_TRUE(settings.SaveSetting("DATPath", longFolder));
    EXPECT_TRUE(settings.GetSetting("DATPath", "", out));
    EXPECT_EQ(out, longFolder);

    RegKey key;
    ASSERT_EQ(key.Open(HKEY_CURRENT_USER, keyPath, KEY_SET_VALUE), ERROR_SUCCESS);
    EXPECT_EQ(key.DeleteValue("DATPath"), ERROR_SUCCESS);
    EXPECT_EQ(key.DeleteValue("DATPath"), ERROR_FILE_NOT_FOUND);
    key.Close();
    EXPECT_TRUE(settings.GetSetting("DATPath", "default", out));
    EXPECT_EQ(out, "default");
}
