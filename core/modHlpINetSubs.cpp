#include "modHlpINetSubs.h"

#include "modVarnholt.h"

namespace varnholt {

void OpenWebPage(LauncherFactory& launchers, FormControls& ui, const std::string& url) {
    std::unique_ptr<Launcher> launcher = launchers.CreateLauncher();
    launcher->ProgName("");
    launcher->ProgParas(url);
    launcher->WinMode(SW_SHOWNORMAL_VALUE);
    launcher->ExecProg();
    if (launcher->EPError()) {
        ui.Beep();
        ui.MsgBox("Client konnte nicht gestartet werden...", MB_ICONINFORMATION_VALUE,
                  PROBLEM_TITLE);
    }
}

} // namespace varnholt
