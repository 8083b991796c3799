// The manifests embedded in the two builds' varnholt.exe. The 32-bit exe names no requested
// execution level, so that Windows virtualizes it like the game in a data folder below Program
// Files; the 64-bit exe, which Windows never virtualizes, runs as invoker. Each test reads the
// exe of its own build beside it, or the other build's in its sibling build folder.
#include "tests/driver/Driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

using namespace varnholt::drive;

namespace {

constexpr bool WIN64_BUILD = sizeof(void*) == 8;

// The varnholt.exe of the 32-bit or the 64-bit build; empty when that build is not there.
std::wstring ExeOf(bool win64) {
    const std::wstring exe =
        win64 == WIN64_BUILD
            ? ExeFolder() + L"varnholt.exe"
            : ExeFolder() + (win64 ? L"..\\..\\win64" : L"..\\..\\win32") + L"\\bin\\varnholt.exe";
    return GetFileAttributesW(exe.c_str()) == INVALID_FILE_ATTRIBUTES ? std::wstring() : exe;
}

// The exe's own manifest as text; empty when it has none.
std::string EmbeddedManifest(const std::wstring& exe) {
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr) {
        ADD_FAILURE() << "cannot load " << Narrow(exe) << ": error " << GetLastError();
        return std::string();
    }
    std::string text;
    // The program's manifest: resource 1 (CREATEPROCESS_MANIFEST_RESOURCE_ID) of type 24
    // (RT_MANIFEST).
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    if (HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr) {
        const char* bytes = static_cast<const char*>(LockResource(loaded));
        text.assign(bytes, SizeofResource(module, found));
    }
    FreeLibrary(module);
    return text;
}

// The version block's texts that Windows' installer detection looks at.
std::vector<std::string> VersionTexts(const std::wstring& exe) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &handle);
    std::vector<char> block(size);
    std::vector<std::string> texts;
    if (size == 0 || !GetFileVersionInfoW(exe.c_str(), 0, size, block.data())) {
        ADD_FAILURE() << "no version block in " << Narrow(exe);
        return texts;
    }
    for (const wchar_t* name : {L"CompanyName", L"FileDescription", L"InternalName",
                                L"OriginalFilename", L"ProductName"}) {
        wchar_t* value = nullptr;
        UINT length = 0;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\040704B0\\") + name;
        if (VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) &&
            length > 0) {
            texts.push_back(Narrow(value));
        }
    }
    return texts;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Each test reads the manifest of one build's exe and checks first what both builds' manifests
// hold: the architecture and the common controls of version 6.
struct Manifest : ::testing::Test {
    std::wstring exe;
    std::string manifest;
    // False when that build is not there.
    bool Read(bool win64) {
        exe = ExeOf(win64);
        if (exe.empty()) {
            return false;
        }
        manifest = EmbeddedManifest(exe);
        EXPECT_TRUE(Has(manifest, std::string("processorArchitecture=\"") +
                                      (win64 ? "amd64" : "x86") + "\""));
        EXPECT_TRUE(
            Has(manifest, "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
        return true;
    }
};

} // namespace

TEST_F(Manifest, The32BitExeNamesNoExecutionLevelAndLooksLikeNoInstaller) {
    if (!Read(false)) {
        GTEST_SKIP() << "the 32-bit build is not there";
    }
    EXPECT_FALSE(Has(manifest, "trustInfo"));
    EXPECT_FALSE(Has(manifest, "requestedExecutionLevel"));

    // Without an execution level Windows guesses by these words whether a 32-bit program is an
    // installer, and would then ask for elevation.
    std::vector<std::string> texts = VersionTexts(exe);
    EXPECT_EQ(texts.size(), 5u);
    texts.push_back(Narrow(exe.substr(exe.rfind(L'\\') + 1)));
    texts.push_back(manifest);
    for (const std::string& text : texts) {
        for (const char* word : {"setup", "install", "patch", "update"}) {
            EXPECT_FALSE(Has(Lower(text), word)) << word << " in " << text;
        }
    }
}

TEST_F(Manifest, The64BitExeRunsAsInvoker) {
    if (!Read(true)) {
        GTEST_SKIP() << "the 64-bit build is not there";
    }
    EXPECT_TRUE(Has(manifest, "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"));
}
