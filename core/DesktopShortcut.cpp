#include "DesktopShortcut.h"

#include "CommandLine.h"
#include "Marker.h"
#include "Texts.h"
#include "modVarnholt.h"

#include "modBasis.h"

namespace varnholt {

namespace {

const std::string LINK_EXTENSION = ".lnk";
const std::string STARTER = "1503startup.exe";
// Numbered names are tried up to this one.
constexpr int LAST_NUMBER = 99;

} // namespace

std::string CreateDesktopShortcut(FormControls& ui, ShortcutShell& shell,
                                  const std::string& exePath, const std::string& annoPath,
                                  const std::string& fileName) {
    if (fileName.empty()) {
        ui.Beep();
        ui.MsgBox(Text(IDS_NONE_SELECTED), MB_ICONEXCLAMATION_VALUE, TITLE_TEXT);
        return std::string();
    }
    const std::string desktop = shell.DesktopFolder();
    if (desktop.empty()) {
        ui.Beep();
        ui.MsgBox(Text(IDS_NO_DESKTOP), MB_ICONEXCLAMATION_VALUE, TITLE_TEXT);
        return std::string();
    }
    const std::string starter = AddBackslash(annoPath) + STARTER;
    ShortcutLink link;
    link.target = exePath;
    link.arguments = "/activate " + QuoteArgument(VariantName(fileName)) + " /start";
    link.workDir = StripBackslash(ExtractDir(starter));
    link.icon = shell.FileExists(starter) ? starter : exePath;

    // A file of that name is replaced only when it is this very shortcut: the same program
    // with the same arguments. A shortcut the player edited (a "/lang de" added, say), another
    // variant's whose title happens to agree, or any other file is never replaced.
    auto same = [&shell, &link](const std::string& candidate) {
        ShortcutLink existing;
        return shell.ReadLink(candidate, existing) &&
               LowerName(existing.target) == LowerName(link.target) &&
               existing.arguments == link.arguments;
    };
    const std::string stem = AddBackslash(desktop) + ShortcutTitle(fileName);
    std::string path = stem + LINK_EXTENSION;
    int number = 1;
    while (number <= LAST_NUMBER && shell.FileExists(path) && !same(path)) {
        path = stem + " (" + std::to_string(++number) + ")" + LINK_EXTENSION;
    }
    FileError error;
    if (number > LAST_NUMBER) {
        error.number = 183; // the platform's code for a file that already exists
        error.description = Text(IDS_SHORTCUT_NAME_TAKEN);
    } else {
        error = shell.WriteLink(path, link);
    }
    ui.Beep();
    if (error.failed()) {
        ui.MsgBox(Text(IDS_SHORTCUT_FAILED, {path, error.description}), MB_ICONEXCLAMATION_VALUE,
                  TITLE_TEXT);
        return std::string();
    }
    ui.MsgBox(Text(IDS_SHORTCUT_CREATED, {path}), MB_ICONINFORMATION_VALUE, TITLE_TEXT);
    return path;
}

} // namespace varnholt
