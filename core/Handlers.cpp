// The event handlers of the main window other than activation: the list, game launch,
// viewing a variant, the folder change, the credits link, closing and the caption rule.
#include "FormLogic.h"
#include "Texts.h"

#include "modBasis.h"
#include "modHlpINetSubs.h"

namespace varnholt {

void FormLogic::lstDATs_Click() {
    UpdateActivateButton();
}

void FormLogic::lstDATs_DblClick() {
    const int index = s_.ui.ListIndex();
    const std::string entry = index >= 0 ? s_.ui.ListText(index) : std::string();
    std::string path;
    SelectedVariantPath(path);
    s_.ui.Beep();
    s_.ui.MsgBox(Text(IDS_LOCATION, {entry, path}), MB_OK_VALUE, SHORT_TITLE);
}

void FormLogic::btnANNOStart_Click() {
    s_.ui.MinimizeForm();
    s_.ui.DoEvents();
    // A second starter would start a second game beside the running one.
    const std::vector<RunningProgram> game = RunningGame();
    if (game.empty()) {
        StartGame();
    } else {
        ShowRunningGame(game);
    }
    s_.ui.DoEvents();
    s_.ui.EndProgram();
}

void FormLogic::StartGame() {
    // A bare "1503startup.exe" (no installation folder) would be looked for beside Varnholt and
    // along the search path, and might start another program of that name.
    const std::string starter =
        s_.launchers.FullPath(AddBackslash(s_.folders.strANNOPath) + "1503startup.exe");
    std::unique_ptr<Launcher> launcher = s_.launchers.CreateLauncher();
    launcher->ProgName(starter);
    launcher->WorkDir(StripBackslash(ExtractDir(starter)));
    launcher->WinMode(SW_SHOWNORMAL_VALUE);
    launcher->ExecProg();
    if (launcher->EPError()) {
        s_.ui.Beep();
        s_.ui.MsgBox(Text(IDS_CANT_START_ANNO), MB_ICONINFORMATION_VALUE, Text(IDS_PROBLEM_TITLE));
    }
}

void FormLogic::ShowRunningGame(const std::vector<RunningProgram>& game) {
    for (const RunningProgram& program : game) {
        if (s_.processes.BringToFront(program.id)) {
            return;
        }
    }
    // A game that shows no window (its starter still at work, or a tool of the game's): the
    // player learns why nothing starts.
    s_.ui.Beep();
    s_.ui.MsgBox(Text(IDS_GAME_ALREADY_RUNNING, {game.front().path}), MB_ICONINFORMATION_VALUE,
                 TITLE_TEXT);
}

// The editor and Explorer start in the Windows folder and are not virtualized: they get the full
// path of the file, where it really lies for Varnholt.
void FormLogic::btnView_Click() {
    std::string path;
    if (SelectedVariantPath(path)) { // with nothing selected the editor opens with no file
        path = s_.launchers.WhereFileLies(s_.launchers.FullPath(path));
    }
    LaunchSystemProgram("notepad.exe", path);
}

void FormLogic::OpenDataFolder() {
    std::string path;
    const bool selected = SelectedVariantPath(path) && s_.files.FileExists(path);
    // The folder alone where the selected entry has no file (a missing catalogue variant).
    LaunchSystemProgram(
        "explorer.exe",
        selected
            ? "/select,\"" + s_.launchers.WhereFileLies(s_.launchers.FullPath(path)) + "\""
            : "\"" + StripBackslash(s_.launchers.FullPath(s_.ui.Caption(Ctl::lblDATPath))) + "\"");
}

void FormLogic::LaunchSystemProgram(const std::string& program, const std::string& parameters) {
    std::unique_ptr<Launcher> launcher = s_.launchers.CreateLauncher();
    // By its full path: a program of that name in the working folder or beside Varnholt never
    // runs.
    launcher->ProgName(s_.launchers.SystemProgram(program));
    launcher->ProgParas(parameters);
    launcher->ExecProg();
    if (launcher->EPError()) {
        s_.ui.Beep();
        s_.ui.MsgBox(Text(IDS_ERROR_STARTING, {program}), MB_ICONEXCLAMATION_VALUE, TITLE_TEXT);
    }
}

void FormLogic::btnChooseDir_Click() {
    const std::string chosen = s_.picker.BrowseForFolder(Text(IDS_CHOOSE_DATA_FOLDER),
                                                         StripBackslash(s_.folders.strANNOPath));
    if (chosen.empty()) {
        return;
    }
    // The prompt asks for the installation: its data folder is meant when the chosen folder
    // holds no BGruppen.dat and its Data subfolder does.
    std::string folder = AddBackslash(chosen);
    if (!s_.files.FileExists(folder + CURRENT_FILE) &&
        s_.files.FileExists(folder + "Data\\" + CURRENT_FILE)) {
        folder += "Data\\";
    }
    s_.ui.SetCaption(Ctl::lblDATPath, folder);
    s_.folders.strDATPath = folder;
    s_.settings.SaveSetting("DATPath", folder);
    // The window then shows the new folder, as after an activation.
    InitProg();
}

void FormLogic::lblCR_Click() {
    OpenWebPage(s_.launchers, s_.ui, TOOLS_WEB_PAGE);
}

void FormLogic::btnDone_Click() {
    s_.ui.EndProgram();
}

void FormLogic::Form_Resize() {
    s_.ui.SetFormCaption(s_.ui.FormWindowState() == WindowState::Normal ? TITLE_TEXT : SHORT_TITLE);
}

} // namespace varnholt
