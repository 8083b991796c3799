// GetRegValue against registry values the tests write themselves.
#include "Win32TestSupport.h"
#include "core/modVarnholt.h"
#include "platform/modRegSubs.h"

#include <gtest/gtest.h>

#include <aclapi.h>

using namespace varnholt;
using namespace varnholt::test;

namespace {

constexpr char UNTOUCHED[] = "caller's text";

struct Reader : ::testing::Test {
    std::string keyPath = "Software\\Varnholt-Test-" + UniqueSuffix();
    TestKey key{HKEY_CURRENT_USER, keyPath};
    std::vector<std::string> faults;
    std::string out = UNTOUCHED;

    void SetUp() override { ASSERT_TRUE(key.ok()); }

    bool Read(const std::string& name, int selector) {
        return GetRegValue(
            HiveValue(HKEY_CURRENT_USER), keyPath, name, selector, out,
            [this](const std::string& description) { faults.push_back(description); });
    }
};

} // namespace

TEST_F(Reader, TextValuesAreDeliveredWithoutTheirTerminatingNul) {
    ASSERT_EQ(key.SetText("GAMEPATH", L"C:\\Games\\ANNO 1503"), ERROR_SUCCESS);
    EXPECT_TRUE(Read("GAMEPATH", REG_TYPE_TEXT));
    EXPECT_EQ(out, "C:\\Games\\ANNO 1503");

    // Only the terminating NUL stored: an empty text, and still a success.
    ASSERT_EQ(key.SetAnsi("LANGUAGE", "", 1), ERROR_SUCCESS);
    out = UNTOUCHED;
    EXPECT_TRUE(Read("LANGUAGE", REG_TYPE_TEXT));
    EXPECT_EQ(out, "");
    EXPECT_TRUE(faults.empty());
}

TEST_F(Reader, TextOfUpTo4095CharactersIsReadWholeAndLongerFails) {
    const std::string longest(4095, 'x');
    ASSERT_EQ(key.SetAnsi("Longest", longest, 4096), ERROR_SUCCESS);
    EXPECT_TRUE(Read("Longest", REG_TYPE_TEXT));
    EXPECT_EQ(out, longest);

    const std::string tooLong(4096, 'y');
    ASSERT_EQ(key.SetAnsi("TooLong", tooLong, 4097), ERROR_SUCCESS);
    out = UNTOUCHED;
    EXPECT_FALSE(Read("TooLong", REG_TYPE_TEXT));
    EXPECT_EQ(out, UNTOUCHED);
}

TEST_F(Reader, TextBeyondTheAnsiCodePageIsReadWholeWithinTheSameLimit) {
    ASSERT_EQ(key.SetText("GAMEPATH", L"C:\\\u0418\u0433\u0440\u044b\\ANNO 1503"), ERROR_SUCCESS);
    EXPECT_TRUE(Read("GAMEPATH", REG_TYPE_TEXT));
    EXPECT_EQ(out, "C:\\\u0418\u0433\u0440\u044b\\ANNO 1503");

    // The limit counts characters, whatever their code.
    const std::wstring longest(4095, L'\u0418');
    ASSERT_EQ(key.SetText("Longest", longest.c_str()), ERROR_SUCCESS);
    EXPECT_TRUE(Read("Longest", REG_TYPE_TEXT));
    EXPECT_EQ(out, Narrow(longest));
    ASSERT_EQ(key.SetText("TooLong", (longest + L"\u0418").c_str()), ERROR_SUCCESS);
    out = UNTOUCHED;
    EXPECT_FALSE(Read("TooLong", REG_TYPE_TEXT));
    EXPECT_EQ(out, UNTOUCHED);

    // Key path and value name in such letters as well.
    TestKey cyrillicKey{HKEY_CURRENT_USER, keyPath + "\\\u0418\u0433\u0440\u044b"};
    ASSERT_TRUE(cyrillicKey.ok());
    ASSERT_EQ(cyrillicKey.SetText("\u0418\u043c\u044f", L"\u0414\u0430"), ERROR_SUCCESS);
    EXPECT_TRUE(GetRegValue(HiveValue(HKEY_CURRENT_USER), keyPath + "\\\u0418\u0433\u0440\u044b",
                            "\u0418\u043c\u044f", REG_TYPE_TEXT, out));
    EXPECT_EQ(out, "\u0414\u0430");
}

TEST_F(Reader, TextTypesOtherThanPlainTextDeliverTheNumberOne) {
    ASSERT_EQ(key.SetText("Expand", L"%windir%\\ANNO", REG_EXPAND_SZ), ERROR_SUCCESS);
    EXPECT_TRUE(Read("Expand", REG_TYPE_TEXT));
    EXPECT_EQ(out, "1");

    const wchar_t multi[] = L"one\0two\0";
    ASSERT_EQ(key.SetRaw("Multi", REG_MULTI_SZ, multi, sizeof multi), ERROR_SUCCESS);
    out = UNTOUCHED;
    EXPECT_TRUE(Read("Multi", REG_TYPE_TEXT));
    EXPECT_EQ(out, "1");

    const unsigned char binary[] = {0x41, 0x00, 0x42};
    ASSERT_EQ(key.SetRaw("Binary", REG_BINARY, binary, sizeof binary), ERROR_SUCCESS);
    out = UNTOUCHED;
    EXPECT_TRUE(Read("Binary", REG_TYPE_TEXT));
    EXPECT_EQ(out, "1");
}

TEST_F(Reader, NumbersArriveAsSignedDecimalDigits) {
    ASSERT_EQ(key.SetNumber("Version", 1503), ERROR_SUCCESS);
    EXPECT_TRUE(Read("Version", REG_TYPE_NUMBER));
    EXPECT_EQ(out, "1503");

    ASSERT_EQ(key.SetNumber("AllBits", 0xFFFFFFFFu), ERROR_SUCCESS);
    EXPECT_TRUE(Read("AllBits", REG_TYPE_NUMBER));
    EXPECT_EQ(out, "-1");

    ASSERT_EQ(key.SetNumber("Lowest", 0x80000000u), ERROR_SUCCESS);
    EXPECT_TRUE(Read("Lowest", REG_TYPE_NUMBER));
    EXPECT_EQ(out, "-2147483648");

    // Read as text, a number's data lands in the text buffer: the number itself stays 0.
    EXPECT_TRUE(Read("Version", REG_TYPE_TEXT));
    EXPECT_EQ(out, "0");
}

TEST_F(Reader, ShortTextReadAsNumberIsEmptyAndLongerTextFails) {
    ASSERT_EQ(key.SetAnsi("Short", "abc", 4), ERROR_SUCCESS);
    EXPECT_TRUE(Read("Short", REG_TYPE_NUMBER));
    EXPECT_EQ(out, "");

    ASSERT_EQ(key.SetAnsi("Longer", "abcd", 5), ERROR_SUCCESS);
    out = UNTOUCHED;
    EXPECT_FALSE(Read("Longer", REG_TYPE_NUMBER));
    EXPECT_EQ(out, UNTOUCHED);
}

TEST_F(Reader, OtherSelectorsMakeNoQueryAndDeliverOne) {
    // The key opens; whether the value exists is never asked.
    EXPECT_TRUE(Read("NoSuchValue", 7));
    EXPECT_EQ(out, "1");
    EXPECT_TRUE(faults.empty());
}

TEST_F(Reader, MissingKeyOrValueLeavesTheOutValueUntouched) {
    EXPECT_FALSE(Read("NoSuchValue", REG_TYPE_TEXT));
    EXPECT_EQ(out, UNTOUCHED);
    EXPECT_FALSE(Read("NoSuchValue", REG_TYPE_NUMBER));
    EXPECT_EQ(out, UNTOUCHED);

    const std::string missingKey = keyPath + "\\Missing";
    for (int selector : {REG_TYPE_TEXT, REG_TYPE_NUMBER, 7}) {
        EXPECT_FALSE(GetRegValue(HiveValue(HKEY_CURRENT_USER), missingKey, "GAMEPATH", selector,
                                 out, [this](const std::string& d) { faults.push_back(d); }))
            << selector;
        EXPECT_EQ(out, UNTOUCHED);
    }
    EXPECT_TRUE(faults.empty());
}

TEST_F(Reader, TextOfSizeZeroIsReportedAsFault) {
    ASSERT_EQ(key.SetAnsi("Empty", "", 0), ERROR_SUCCESS);
    DWORD type = 0;
    DWORD size = 99;
    ASSERT_EQ(RegQueryValueExW(key.handle(), L"Empty", nullptr, &type, nullptr, &size),
              ERROR_SUCCESS);
    ASSERT_EQ(type, static_cast<DWORD>(REG_SZ));
    ASSERT_EQ(size, 0u) << "the registry did not keep a value of size 0";

    EXPECT_FALSE(Read("Empty", REG_TYPE_TEXT));
    EXPECT_EQ(out, UNTOUCHED);
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_FALSE(faults[0].empty());
}

TEST_F(Reader, AnsiTextIsDeliveredAsUtf8) {
    if (!AnsiHasUmlauts()) {
        GTEST_SKIP() << "the ANSI code page " << GetACP() << " has no single-byte \u00e4";
    }
    // "Spiele" followed by the byte of the umlaut in the ANSI code page.
    const std::string ansi = Utf8ToAnsi("C:\\Spiele\u00e4");
    ASSERT_EQ(ansi.size(), 10u);
    ASSERT_EQ(key.SetAnsi("GAMEPATH", ansi, 11), ERROR_SUCCESS);
    EXPECT_TRUE(Read("GAMEPATH", REG_TYPE_TEXT));
    EXPECT_EQ(out, "C:\\Spiele\u00e4");

    // Key path and value name are converted as well.
    TestKey umlautKey{HKEY_CURRENT_USER, keyPath + "\\K\u00f6nigs"};
    ASSERT_TRUE(umlautKey.ok());
    ASSERT_EQ(umlautKey.SetText("Sprache\u00e4", L"Deutsch"), ERROR_SUCCESS);
    EXPECT_TRUE(GetRegValue(HiveValue(HKEY_CURRENT_USER), keyPath + "\\K\u00f6nigs",
                            "Sprache\u00e4", REG_TYPE_TEXT, out));
    EXPECT_EQ(out, "Deutsch");
}

TEST_F(Reader, KeyThatMayBeReadButNotWrittenIsRead) {
    // A key whose access list grants reading only, like the game's key under
    // HKEY_LOCAL_MACHINE for a standard user.
    TestKey readOnly{HKEY_CURRENT_USER, keyPath + "\\ReadOnly"};
    ASSERT_TRUE(readOnly.ok());
    ASSERT_EQ(readOnly.SetText("VERSION", L"2.01"), ERROR_SUCCESS);

    KernelHandle token;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.receive()));
    std::vector<BYTE> userData(256);
    DWORD needed = 0;
    ASSERT_TRUE(GetTokenInformation(token.get(), TokenUser, userData.data(),
                                    static_cast<DWORD>(userData.size()), &needed));
    EXPLICIT_ACCESSW access = {};
    access.grfAccessPermissions = KEY_READ;
    access.grfAccessMode = SET_ACCESS;
    access.grfInheritance = NO_INHERITANCE;
    access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    access.Trustee.TrusteeType = TRUSTEE_IS_USER;
    access.Trustee.ptstrName =
        static_cast<LPWSTR>(reinterpret_cast<TOKEN_USER*>(userData.data())->User.Sid);
    PACL acl = nullptr;
    ASSERT_EQ(SetEntriesInAclW(1, &access, nullptr, &acl), static_cast<DWORD>(ERROR_SUCCESS));
    const LocalMemory aclMemory(acl);
    const DWORD protectedDacl =
        SetSecurityInfo(readOnly.handle(), SE_REGISTRY_KEY,
                        DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr,
                        nullptr, acl, nullptr);
    ASSERT_EQ(protectedDacl, static_cast<DWORD>(ERROR_SUCCESS));
    // Without an access list again the key can be deleted at the end.
    struct OpenUp {
        HKEY key;
        ~OpenUp() {
            SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                            nullptr, nullptr);
        }
    } openUp{readOnly.handle()};

    RegistryKey full;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, (keyPath + "\\ReadOnly").c_str(), 0, KEY_ALL_ACCESS,
                      full.receive()) == ERROR_SUCCESS) {
        GTEST_SKIP() << "this system grants full access despite the key's access list";
    }
    EXPECT_TRUE(GetRegValue(HiveValue(HKEY_CURRENT_USER), keyPath + "\\ReadOnly", "VERSION",
                            REG_TYPE_TEXT, out));
    EXPECT_EQ(out, "2.01");
}

TEST(GameKey, ValuesWrittenInThe32BitViewAreRead) {
    if (!RegistryRefusal().empty()) {
        GTEST_SKIP() << RegistryRefusal();
    }
    const std::string name = "VarnholtTest-" + UniqueSuffix();
    // Keys made here are removed again, the maker's key after the game's.
    TestKey maker{HKEY_LOCAL_MACHINE, "Software\\Max-Design", KEY_WOW64_32KEY};
    TestKey game{HKEY_LOCAL_MACHINE, GAME_KEY, KEY_WOW64_32KEY};
    if (game.status() == ERROR_ACCESS_DENIED) {
        GTEST_SKIP() << "this account may not write HKEY_LOCAL_MACHINE";
    }
    ASSERT_TRUE(game.ok());
    ASSERT_EQ(game.SetText(name, L"C:\\Programme\\ANNO 1503\\"), ERROR_SUCCESS);
    std::string out;
    EXPECT_TRUE(GetRegValue(HKEY_LOCAL_MACHINE_VALUE, "Software\\Max-Design\\ANNO1503", name,
                            REG_TYPE_TEXT, out, [](const std::string&) { FAIL(); }));
    EXPECT_EQ(out, "C:\\Programme\\ANNO 1503\\");

    // A value that only the 64-bit view holds is not the game's, in either build.
    TestKey maker64{HKEY_LOCAL_MACHINE, "Software\\Max-Design", KEY_WOW64_64KEY};
    TestKey game64{HKEY_LOCAL_MACHINE, GAME_KEY, KEY_WOW64_64KEY};
    ASSERT_TRUE(game64.ok());
    ASSERT_EQ(game64.SetText(name + "-64", L"C:\\Wrong\\"), ERROR_SUCCESS);
    std::string other = "untouched";
    EXPECT_FALSE(GetRegValue(HKEY_LOCAL_MACHINE_VALUE, GAME_KEY, name + "-64", REG_TYPE_TEXT, other,
                             [](const std::string&) { FAIL(); }));
    EXPECT_EQ(other, "untouched");
}
