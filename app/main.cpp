// The program entry: wires the window to the platform's registry, settings store, file system,
// folder picker, launcher and clock, and runs it; or runs the command line without the window.
#include "../core/CommandLineRun.h"
#include "../core/Handover.h"
#include "../core/Texts.h"
#include "../platform/RegistrySettings.h"
#include "../platform/ResourceTexts.h"
#include "../platform/ShellOnDemand.h"
#include "../platform/SingleInstance.h"
#include "../platform/Text.h"
#include "../platform/Win32Clock.h"
#include "../platform/Win32FileSystem.h"
#include "../platform/clsExecProg.h"
#include "../platform/modDatDlgs.h"
#include "../platform/modRegSubs.h"
#include "frmVarnholt.h"

#include <windows.h>

namespace {

// The messages of a run without the window: boxes of their own, brought to the front.
class MessageBoxOutput : public varnholt::MessageOutput {
  public:
    void Beep() override { MessageBeep(MB_OK); }
    void MsgBox(const std::string& text, int flags, const std::string& title) override {
        MessageBoxW(nullptr, varnholt::Widen(text).c_str(), varnholt::Widen(title).c_str(),
                    MB_OK | static_cast<UINT>(flags) | MB_TASKMODAL | MB_SETFOREGROUND);
    }
};

// Hands the files of a later start to the running window; where it does not take them all, says
// which were not added and why. The exit code: 0 only when the window took every file.
int HandOver(const std::vector<std::wstring>& files, const wchar_t* mark) {
    using varnholt::Handover;
    std::size_t taken = 0;
    const Handover result =
        varnholt::HandFilesToWindow(varnholt::frmVarnholt::CLASS_NAME, mark, files, taken);
    if (result == Handover::Taken) {
        varnholt::BringWindowForward(varnholt::frmVarnholt::CLASS_NAME, mark);
        return 0;
    }
    const int reason = result == Handover::RunWithoutWindow ? IDS_HANDOVER_RUN_WITHOUT_WINDOW
                       : result == Handover::NoWindowInTime ? IDS_HANDOVER_NO_WINDOW
                       : result == Handover::NoAnswer       ? IDS_HANDOVER_NO_ANSWER
                                                            : IDS_HANDOVER_REFUSED;
    std::vector<std::string> left;
    for (std::size_t i = taken; i < files.size(); ++i) {
        left.push_back(varnholt::Narrow(files[i]));
    }
    MessageBoxOutput().MsgBox(varnholt::NotAddedText(left, reason), MB_ICONEXCLAMATION,
                              varnholt::TITLE_TEXT);
    return 1;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const varnholt::CommandLine commandLine =
        varnholt::ParseCommandLine(varnholt::SplitCommandLine(varnholt::Narrow(GetCommandLineW())));
    // Every text in the language of the user's Windows, or the one "/lang de|en" asks for.
    varnholt::ScopedTexts texts(instance, varnholt::ChosenLanguage(commandLine.lang));
    // One Varnholt at a time: a second start of the window only brings the running one forward,
    // and a command-line run ends with its own exit code; neither touches a file or a setting,
    // which would remove and overwrite the running one's scratch files.
    const wchar_t* const mark = L"Marrik's ANNO 1503-Tools Varnholt";
    varnholt::SingleInstance instanceMark(mark);
    // Each file a full path in this start's working folder, which the running window, handed
    // them, does not share.
    std::vector<std::wstring> toAdd;
    for (const std::string& file : commandLine.files) {
        toAdd.push_back(varnholt::Widen(varnholt::ShellLauncherFactory().FullPath(file)));
    }
    if (instanceMark.AnotherRuns() && !commandLine.RunsWithoutWindow()) {
        // Files to add go to the running window, which adds them. Otherwise what the running
        // one shows comes forward; where it shows nothing (a run without the window at work), a
        // message says why no window opens.
        if (!toAdd.empty()) {
            return HandOver(toAdd, mark);
        }
        if (!varnholt::BringWindowForward(varnholt::frmVarnholt::CLASS_NAME, mark)) {
            MessageBoxOutput().MsgBox(varnholt::Text(IDS_ALREADY_RUNNING), MB_ICONINFORMATION,
                                      varnholt::TITLE_TEXT);
        }
        return 0;
    }
    // COM, which the folder-browse dialog and the shell's launch need, is started on this thread
    // by the first of them: a normal start loads neither the shell nor COM.
    varnholt::Win32Registry registry;
    varnholt::RegistrySettings settings;
    varnholt::Win32FileSystem files;
    varnholt::ShellFolderPicker picker;
    varnholt::ShellLauncherFactory launchers;
    varnholt::modVarnholt folders;
    varnholt::Win32Clock clock;
    const varnholt::SystemServices system{registry,  settings, files, picker,
                                          launchers, folders,  clock};

    int exitCode = 0;
    if (commandLine.RunsWithoutWindow()) {
        MessageBoxOutput output;
        if (!instanceMark.AnotherRuns()) {
            instanceMark.MarkRunWithoutWindow();
        }
        exitCode = varnholt::RunCommandLine(
            commandLine, varnholt::CommandLineServices{system, output, [&instanceMark] {
                                                           return instanceMark.AnotherRuns();
                                                       }});
    } else {
        varnholt::frmVarnholt form(instance, system);
        if (form.Create()) {
            form.AddFiles(toAdd);
            exitCode = form.Run();
        }
    }
    varnholt::ReleaseCom();
    return exitCode;
}
