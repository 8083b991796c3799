// A small program the launcher tests start. It writes what it was started with into the file
// named by its first argument (without arguments: probe-report.txt beside itself, for the
// tests that start it as the game's starter), in UTF-8, one item a line:
//   the current folder
//   STARTUPINFO.wShowWindow, or -1 when STARTF_USESHOWWINDOW is not set
//   the show code WinMain received
// and then, when a second argument names an event, waits until that event is set (at most one
// minute) before it ends. The file appears complete or not at all.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& wide) {
    if (wide.empty()) {
        return std::string();
    }
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, &text[0], length, nullptr, nullptr);
    return text;
}

bool WriteWhole(const std::wstring& path, const std::string& content) {
    const std::wstring scratch = path + L".part";
    HANDLE file = CreateFileW(scratch.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == content.size() &&
           MoveFileExW(scratch.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int nCmdShow) {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (args == nullptr) {
        return 2;
    }
    std::wstring output;
    if (count >= 2) {
        output = args[1];
    } else {
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        output = self;
        output = output.substr(0, output.find_last_of(L'\\') + 1) + L"probe-report.txt";
    }
    const std::wstring eventName = count >= 3 ? args[2] : L"";
    LocalFree(args);

    std::vector<wchar_t> folder(GetCurrentDirectoryW(0, nullptr) + 1, L'\0');
    const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    const int shown =
        (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? static_cast<int>(startup.wShowWindow) : -1;

    const std::string report = Utf8(std::wstring(folder.data(), length)) + "\n" +
                               std::to_string(shown) + "\n" + std::to_string(nCmdShow) + "\n";
    if (!WriteWhole(output, report)) {
        return 3;
    }
    if (!eventName.empty()) {
        HANDLE release = OpenEventW(SYNCHRONIZE, FALSE, eventName.c_str());
        if (release != nullptr) {
            WaitForSingleObject(release, 60000);
            CloseHandle(release);
        }
    }
    return 0;
}
