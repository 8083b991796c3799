// The program launcher: what it hands to the shell, and real launches of the probe program that
// lies next to this test program.
#include "Win32TestSupport.h"
#include "platform/clsExecProg.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace varnholt;
using namespace varnholt::test;

namespace {

// What the fake shell saw of the last call made to it, and what it answers.
struct ShellCall {
    bool fileSet = false;
    bool parametersSet = false;
    std::string file;
    std::string parameters;
    std::string directory;
    INT_PTR answer = 42;
    HANDLE process = nullptr;
};
ShellCall shellCall;

std::string Copy(const wchar_t* text, bool& set) {
    set = text != nullptr;
    return set ? Narrow(text) : std::string();
}

BOOL WINAPI FakeShell(SHELLEXECUTEINFOW* record) {
    shellCall.file = Copy(record->lpFile, shellCall.fileSet);
    shellCall.parameters = Copy(record->lpParameters, shellCall.parametersSet);
    bool directorySet = false;
    shellCall.directory = Copy(record->lpDirectory, directorySet);
    record->hInstApp = reinterpret_cast<HINSTANCE>(shellCall.answer);
    record->hProcess = shellCall.process;
    return shellCall.answer > 32;
}

struct LaunchRecord : ::testing::Test {
    void SetUp() override { shellCall = ShellCall(); }
};

std::string WindowsFolder() {
    char value[MAX_PATH + 1] = {};
    const DWORD length = GetEnvironmentVariableA("windir", value, sizeof value);
    return std::string(value, length);
}

} // namespace

TEST_F(LaunchRecord, EmptyProgramNameOpensTheParameters) {
    clsExecProg launcher(FakeShell);
    launcher.ProgParas("http://www.example.org/VEROZavuv");
    launcher.WinMode(SW_SHOWNORMAL_VALUE);
    launcher.ExecProg();
    EXPECT_TRUE(shellCall.fileSet);
    EXPECT_EQ(shellCall.file, "http://www.example.org/VEROZavuv");
    EXPECT_FALSE(shellCall.parametersSet);
    EXPECT_EQ(launcher.ProgName(), "");
}

TEST_F(LaunchRecord, TextsBeyondTheAnsiCodePageAreHandedOverWhole) {
    clsExecProg launcher(FakeShell);
    launcher.ProgName("notepad.exe");
    launcher.ProgParas("C:\\Игры\\Königs\\Data\\BGruppen_Classic.dat");
    launcher.WorkDir("C:\\Игры\\Königs");
    launcher.ExecProg();
    EXPECT_EQ(shellCall.parameters, "C:\\Игры\\Königs\\Data\\BGruppen_Classic.dat");
    EXPECT_EQ(shellCall.directory, "C:\\Игры\\Königs");
}

TEST_F(LaunchRecord, ShellErrorCodesUpTo32SetTheErrorFlag) {
    clsExecProg launcher(FakeShell);
    launcher.ProgName("1503startup.exe");
    for (INT_PTR answer : {0, 2, 31, 32}) {
        shellCall.answer = answer;
        launcher.ExecProg();
        EXPECT_TRUE(launcher.EPError()) << answer;
    }
    for (INT_PTR answer : {33, 42}) {
        shellCall.answer = answer;
        launcher.ExecProg();
        EXPECT_FALSE(launcher.EPError()) << answer;
    }
}

TEST_F(LaunchRecord, RunningCheckFollowsTheReturnedProcessHandle) {
    // An event stands in for the process: not set while it runs, set when it has ended.
    const KernelHandle ended(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(ended);
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), ended.get(), GetCurrentProcess(),
                                &shellCall.process, 0, FALSE, DUPLICATE_SAME_ACCESS));
    {
        clsExecProg launcher(FakeShell);
        launcher.ProgName("1503startup.exe");
        launcher.ExecProg();
        EXPECT_TRUE(launcher.IsRunning());
        SetEvent(ended.get());
        EXPECT_FALSE(launcher.IsRunning());
        EXPECT_FALSE(launcher.EPError());

        // A launch that started no process (the shell handed the document on) has no handle.
        shellCall.process = nullptr;
        launcher.ExecProg();
        EXPECT_FALSE(launcher.EPError());
        EXPECT_FALSE(launcher.IsRunning());
        EXPECT_TRUE(launcher.EPError());
    }
}

namespace {

// The shell as it is when its library or ShellExecuteExW cannot be found.
BOOL WINAPI MissingShell(SHELLEXECUTEINFOW* record) {
    return LaunchThroughShell(nullptr, record);
}

} // namespace

TEST(Launcher, SystemProgramsComeByTheirFullPath) {
    ShellLauncherFactory factory;
    const auto same = [](const std::string& a, const std::string& b) {
        return CompareStringOrdinal(Widen(a).c_str(), -1, Widen(b).c_str(), -1, TRUE) == CSTR_EQUAL;
    };
    wchar_t windows[MAX_PATH] = {}, system[MAX_PATH] = {};
    ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 0u);
    ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
    const std::string notepad = factory.SystemProgram("notepad.exe");
    const std::string expected =
        GetFileAttributesW((std::wstring(windows) + L"\\notepad.exe").c_str()) !=
                INVALID_FILE_ATTRIBUTES
            ? Narrow(windows) + "\\notepad.exe"
            : Narrow(system) + "\\notepad.exe";
    EXPECT_PRED2(same, notepad, expected);
    // One that only the system folder holds comes from there; one that neither holds gets the
    // Windows folder's path, where its launch then fails.
    EXPECT_PRED2(same, factory.SystemProgram("kernel32.dll"), Narrow(system) + "\\kernel32.dll");
    EXPECT_PRED2(same, factory.SystemProgram("varnholt-none.exe"),
                 Narrow(windows) + "\\varnholt-none.exe");
}

TEST(Launcher, MissingShellIsAFailedLaunch) {
    clsExecProg launcher(MissingShell);
    launcher.ProgName("notepad.exe");
    launcher.ExecProg();
    EXPECT_TRUE(launcher.EPError());
    EXPECT_EQ(reinterpret_cast<INT_PTR>(launcher.LaunchRecord().hInstApp), SE_ERR_DLLNOTFOUND);
    EXPECT_FALSE(launcher.IsRunning());
}

TEST(Launcher, NeverLaunchedIsNotRunningAndReportsAnError) {
    clsExecProg launcher;
    EXPECT_FALSE(launcher.EPError());
    EXPECT_FALSE(launcher.IsRunning());
    EXPECT_TRUE(launcher.EPError());
}

namespace {

std::string ProbePath() {
    return Narrow(ExeFolder()) + "varnholt_probe.exe";
}

struct Probe : ::testing::Test {
    TempFolder dir{"varnholt-launch"};
    std::string report = dir / "report.txt";

    void SetUp() override {
        ASSERT_TRUE(dir.created());
        ASSERT_NE(GetFileAttributesW(Widen(ProbePath()).c_str()), INVALID_FILE_ATTRIBUTES)
            << ProbePath();
    }

    // Waits until the probe's report exists; false after 20 seconds.
    bool AwaitReport() const {
        for (int waited = 0; waited < 20000; waited += 50) {
            if (GetFileAttributesW(Widen(report).c_str()) != INVALID_FILE_ATTRIBUTES) {
                return true;
            }
            Sleep(50);
        }
        return false;
    }

    static bool AwaitEnd(clsExecProg& launcher) {
        for (int waited = 0; waited < 20000; waited += 10) {
            if (!launcher.IsRunning()) {
                return true;
            }
        }
        return false;
    }

    // Launches the probe with `launcher` as it is set up, waits for its report and its end, and
    // returns the report's lines; the report is removed for the next launch.
    std::vector<std::string> Launched(clsExecProg& launcher) {
        launcher.ProgName(ProbePath());
        launcher.ProgParas("\"" + report + "\"");
        launcher.ExecProg();
        EXPECT_FALSE(launcher.EPError());
        EXPECT_TRUE(AwaitReport());
        EXPECT_TRUE(AwaitEnd(launcher));
        const std::vector<std::string> lines = ReportLines();
        DeleteFileW(Widen(report).c_str());
        return lines;
    }

    std::vector<std::string> ReportLines() const {
        std::vector<std::string> lines;
        std::string content = TempFolder::ReadPath(report);
        std::string::size_type start = 0;
        for (std::string::size_type end; (end = content.find('\n', start)) != std::string::npos;
             start = end + 1) {
            lines.push_back(content.substr(start, end - start));
        }
        return lines;
    }
};

bool SameFolder(const std::string& a, const std::string& b) {
    return CompareStringOrdinal(Widen(a).c_str(), -1, Widen(b).c_str(), -1, TRUE) == CSTR_EQUAL;
}

} // namespace

TEST_F(Probe, StartsInTheGivenFolderWithTheGivenWindowModeElseMaximizedInTheWindowsFolder) {
    // A working folder with a space, an umlaut and letters beyond any Western code page.
    const std::string folderName = "Spiele \u00e4 \u0418\u0433\u0440\u044b";
    dir.MakeFolder(folderName);
    clsExecProg given;
    given.WorkDir(dir / folderName);
    given.WinMode(SW_SHOWMINNOACTIVE);
    std::vector<std::string> lines = Launched(given);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_PRED2(SameFolder, lines[0], dir / folderName);
    EXPECT_EQ(lines[1], std::to_string(SW_SHOWMINNOACTIVE));
    EXPECT_EQ(lines[2], std::to_string(SW_SHOWMINNOACTIVE));

    // A fresh object.
    clsExecProg fresh;
    lines = Launched(fresh);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_PRED2(SameFolder, lines[0], WindowsFolder());
    EXPECT_EQ(lines[1], "3");
}

TEST_F(Probe, IsRunningUntilTheProgramEnds) {
    const std::wstring eventName = L"Varnholt-Probe-" + Widen(UniqueSuffix());
    const KernelHandle release(CreateEventW(nullptr, TRUE, FALSE, eventName.c_str()));
    ASSERT_TRUE(release);
    clsExecProg launcher;
    launcher.ProgName(ProbePath());
    launcher.ProgParas("\"" + report + "\" " + Narrow(eventName));
    launcher.WinMode(SW_SHOWNORMAL_VALUE);
    launcher.ExecProg();
    ASSERT_FALSE(launcher.EPError());
    const bool reported = AwaitReport();
    EXPECT_TRUE(reported);
    EXPECT_TRUE(launcher.IsRunning());
    EXPECT_TRUE(launcher.IsRunning());
    SetEvent(release.get());
    EXPECT_TRUE(AwaitEnd(launcher));
    EXPECT_FALSE(launcher.IsRunning());
    EXPECT_FALSE(launcher.EPError());
}

TEST_F(Probe, MissingProgramSetsTheErrorFlag) {
    clsExecProg launcher;
    launcher.ProgName(dir / "1503startup.exe");
    launcher.WorkDir(dir.withoutBackslash());
    launcher.ExecProg();
    EXPECT_TRUE(launcher.EPError());
    EXPECT_LE(reinterpret_cast<INT_PTR>(launcher.LaunchRecord().hInstApp), 32);

    // A later successful launch on the same object clears the flag (Launched checks it).
    Launched(launcher);
}
