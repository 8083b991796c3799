#include "modHlpINetSubs.h"

#include "Texts.h"

namespace varnholt {

void OpenWebPage(LauncherFactory& launchers, FormControls& ui, const std::string& url) {
    std::unique_ptr<Launcher> launcher = launchers.CreateLauncher();
    launcher->ProgName("");
    launcher->ProgParas(url);
    launcher->WinMode(SW_SHOWNORMAL_VALUE);
    launcher->ExecProg();
    if (launcher->EPError()) {
        ui.Beep();
        ui.MsgBox(Text(IDS_BROWSER_FAILED), MB_ICONINFORMATION_VALUE, Text(IDS_PROBLEM_TITLE));
    }
}

} // namespace varnholt
