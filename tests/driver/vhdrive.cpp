// Command-line driver for a running Varnholt, for the demo and the benchmark:
//
//   vhdrive install-demo <game folder>  writes the game's registry key, clears Varnholt's
//                                       settings, and makes a data folder with synthetic files;
//                                       only in a Wine prefix made by the project's scripts
//   vhdrive wait-start                  answers start-up messages until the window is shown
//   vhdrive state                       prints the window's labels, list and button
//   vhdrive select <text>               selects the first list entry containing <text>
//   vhdrive click <control>             presses a button (btnActivate, btnDone, ...)
//   vhdrive answer                      waits for a message box, prints it, presses OK
//   vhdrive menu                        opens the list's menu with the context-menu key
//   vhdrive wait-exit                   waits until Varnholt has ended
#include "Driver.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace varnholt;
using namespace varnholt::drive;
using namespace varnholt::test;

namespace {

constexpr DWORD TIMEOUT_MS = 60000;

// The running Varnholt: its process and, once it exists, its main window (hidden or not).
bool Attach(App& app, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        HWND main = FindWindowW(L"frmVarnholt", nullptr);
        if (main != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(main, &pid);
            app.process.dwProcessId = pid;
            app.process.hProcess = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
            app.processOwner.reset(app.process.hProcess);
            app.main = main;
            return true;
        }
        Sleep(50);
    }
    return false;
}

void PrintBox(const Box& box) {
    std::printf("message [%s]: %s\n", box.title.c_str(), box.text.c_str());
}

void PrintState(HWND main) {
    std::printf("installation folder: %s\n", Text(ControlOf(main, Ctl::lblANNOPath)).c_str());
    std::printf("data folder:         %s\n", Text(ControlOf(main, Ctl::lblDATPath)).c_str());
    std::printf("game version:        %s\n", Text(ControlOf(main, Ctl::lblANNOVers)).c_str());
    std::printf("current variant:     %s\n", Text(ControlOf(main, Ctl::lblCurrDAT)).c_str());
    std::string hint = Text(ControlOf(main, Ctl::lblHint));
    for (char& c : hint) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    std::printf("verdict:             %s\n", hint.c_str());
    const std::vector<std::string> items = ListItems(main);
    const int selected = ListSelection(main);
    for (std::size_t i = 0; i < items.size(); ++i) {
        std::printf("  %c %s\n", static_cast<int>(i) == selected ? '>' : ' ', items[i].c_str());
    }
    std::printf("button:              %s (%s)\n", Text(ControlOf(main, Ctl::btnActivate)).c_str(),
                IsWindowEnabled(ControlOf(main, Ctl::btnActivate)) ? "enabled" : "disabled");
}

int InstallDemo(const std::string& gameFolder) {
    InstallationKeys keys;
    if (!keys.refusal().empty()) {
        std::fprintf(stderr, "vhdrive: %s\n", keys.refusal().c_str());
        return 1;
    }
    const std::wstring game = Widen(gameFolder);
    const std::wstring data = game + L"\\Data";
    for (std::size_t at = data.find(L'\\', 3); at != std::wstring::npos;
         at = data.find(L'\\', at + 1)) {
        CreateDirectoryW(data.substr(0, at).c_str(), nullptr);
    }
    CreateDirectoryW(data.c_str(), nullptr);
    DeleteFileW((data + L"\\BGruppen_Original.dat").c_str());
    if (!WriteDemoFiles(data)) {
        std::fprintf(stderr, "vhdrive: cannot write the demo data folder\n");
        return 1;
    }
    keys.Clear();
    if (!keys.WriteGameKey(game)) {
        std::fprintf(stderr, "vhdrive: cannot write the game's registry key\n");
        return 1;
    }
    std::printf("demo installation: %s\n", gameFolder.c_str());
    return 0;
}

int WaitStart() {
    App app;
    if (!Attach(app, TIMEOUT_MS)) {
        std::fprintf(stderr, "vhdrive: Varnholt did not start\n");
        return 1;
    }
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < TIMEOUT_MS) {
        Box box;
        if (FindBox(app.process.dwProcessId, box)) {
            Sleep(100);
            FindBox(app.process.dwProcessId, box);
            PrintBox(box);
            Answer(box);
            continue;
        }
        if (HWND main = VisibleMainWindow(app.process.dwProcessId)) {
            if (Settle(main)) {
                PrintState(main);
                return 0;
            }
        }
        if (!app.running()) {
            std::printf("Varnholt has ended\n");
            return 0;
        }
        Sleep(50);
    }
    std::fprintf(stderr, "vhdrive: the window did not appear\n");
    return 1;
}

bool ControlByName(const std::string& name, Ctl& control) {
    for (const ControlDesign& d : DESIGN) {
        if (name == d.name) {
            control = d.id;
            return true;
        }
    }
    return false;
}

// Selects the first list entry that contains `text`.
int SelectEntry(HWND main, const char* text) {
    const std::vector<std::string> items = ListItems(main);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].find(text) != std::string::npos) {
            Select(main, static_cast<int>(i));
            Settle(main);
            std::printf("selected: %s\n", items[i].c_str());
            return 0;
        }
    }
    std::fprintf(stderr, "vhdrive: no entry contains %s\n", text);
    return 1;
}

// Clicks the control of the design's `name`.
int ClickControl(HWND main, const char* name) {
    Ctl control;
    if (!ControlByName(name, control)) {
        std::fprintf(stderr, "vhdrive: no control %s\n", name);
        return 2;
    }
    Click(main, control);
    Settle(main);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(
            stderr,
            "usage: vhdrive install-demo|wait-start|state|select|click|answer|menu|wait-exit\n");
        return 2;
    }
    const std::string command = argv[1];
    if (command == "install-demo" && argc == 3) {
        return InstallDemo(argv[2]);
    }
    if (command == "wait-start") {
        return WaitStart();
    }
    App app;
    if (command == "wait-exit") {
        // Once its window is gone the program has ended, or is about to.
        return !Attach(app, 1000) || WaitForExit(app, TIMEOUT_MS) ? 0 : 1;
    }
    if (!Attach(app, TIMEOUT_MS)) {
        std::fprintf(stderr, "vhdrive: Varnholt is not running\n");
        return 1;
    }
    if (command == "state") {
        Settle(app.main);
        PrintState(app.main);
        return 0;
    }
    if (command == "select" && argc == 3) {
        return SelectEntry(app.main, argv[2]);
    }
    if (command == "click" && argc == 3) {
        return ClickControl(app.main, argv[2]);
    }
    if (command == "menu") {
        HWND list = ControlOf(app.main, Ctl::lstDATs);
        PostMessageW(list, WM_KEYDOWN, VK_APPS, 1);
        PostMessageW(list, WM_KEYUP, VK_APPS, 0xC0000001);
        Settle(app.main);
        return 0;
    }
    if (command == "answer") {
        Box box;
        if (!WaitForBox(app, TIMEOUT_MS, box)) {
            std::fprintf(stderr, "vhdrive: no message appeared\n");
            return 1;
        }
        PrintBox(box);
        Answer(box);
        Settle(app.main);
        return 0;
    }
    std::fprintf(stderr, "vhdrive: unknown command %s\n", command.c_str());
    return 2;
}
