// The list's menu: a right click on an entry, the context-menu key or Shift+F10 open it with
// "Activate", "Show location", "View/Edit", "Open the data folder", "Add a variant..." and
// "Create desktop shortcut...".
#include "../core/DesktopShortcut.h"
#include "../core/Texts.h"
#include "../platform/Shortcut.h"
#include "../platform/Text.h"
#include "frmVarnholt.h"

namespace varnholt {

namespace {

// The menu's commands, apart from the controls' identifiers.
enum MenuCommand {
    ID_MENU_ACTIVATE = 200,
    ID_MENU_LOCATION,
    ID_MENU_VIEW,
    ID_MENU_SHORTCUT,
    ID_MENU_OPEN_FOLDER,
    ID_MENU_ADD,
};

void Append(HMENU menu, int id, int text, bool enabled) {
    AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), static_cast<UINT_PTR>(id),
                Widen(Text(text)).c_str());
}

} // namespace

bool frmVarnholt::IsListMenuKey(const MSG& msg) const {
    if (msg.hwnd != Control(Ctl::lstDATs)) {
        return false;
    }
    if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_APPS) {
        return true;
    }
    return (msg.message == WM_SYSKEYDOWN || msg.message == WM_SYSKEYUP) && msg.wParam == VK_F10 &&
           (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

void frmVarnholt::ShowListMenu(LPARAM where) {
    HWND list = Control(Ctl::lstDATs);
    POINT at = {static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
    if (where == -1) {
        // From the keyboard: below the selected entry, or at the list's corner.
        RECT item = {};
        const int index = ListIndex();
        if (index < 0 || SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(&item)) == LB_ERR) {
            item = RECT{};
        }
        at = POINT{item.left + (item.bottom - item.top), item.bottom};
        ClientToScreen(list, &at);
    } else {
        // A right click selects the entry under the mouse first, as a left click would.
        POINT inList = at;
        ScreenToClient(list, &inList);
        const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(inList.x, inList.y));
        const int index = LOWORD(hit);
        if (HIWORD(hit) == 0 && index != ListIndex()) {
            SetListIndex(index);
            logic_->lstDATs_Click();
        }
    }
    SetFocus(list);
    const bool selected = ListIndex() >= 0;
    const MenuHandle menu(CreatePopupMenu());
    if (!menu) {
        return;
    }
    Append(menu.get(), ID_MENU_ACTIVATE, IDS_MENU_ACTIVATE,
           selected && IsWindowEnabled(Control(Ctl::btnActivate)) != FALSE);
    Append(menu.get(), ID_MENU_LOCATION, IDS_MENU_LOCATION, selected);
    Append(menu.get(), ID_MENU_VIEW, IDS_VIEW_EDIT, selected);
    Append(menu.get(), ID_MENU_OPEN_FOLDER, IDS_MENU_OPEN_FOLDER, true);
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    Append(menu.get(), ID_MENU_ADD, IDS_MENU_ADD, true);
    Append(menu.get(), ID_MENU_SHORTCUT, IDS_MENU_SHORTCUT, selected);
    // The chosen command arrives as WM_COMMAND once the menu has closed.
    TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_,
                   nullptr);
}

bool frmVarnholt::OnListMenuCommand(int id) {
    switch (id) {
    case ID_MENU_ACTIVATE:
        if (IsWindowEnabled(Control(Ctl::btnActivate))) {
            logic_->btnActivate_Click();
        }
        return true;
    case ID_MENU_LOCATION:
        logic_->lstDATs_DblClick();
        return true;
    case ID_MENU_VIEW:
        logic_->btnView_Click();
        return true;
    case ID_MENU_SHORTCUT:
        CreateShortcutOfSelection();
        return true;
    case ID_MENU_OPEN_FOLDER:
        logic_->OpenDataFolder();
        return true;
    case ID_MENU_ADD:
        ChooseAndAddFile();
        return true;
    default:
        return false;
    }
}

void frmVarnholt::CreateShortcutOfSelection() {
    const int index = ListIndex();
    const std::vector<std::string>& files = logic_->aDATFiles();
    const std::string file = index >= 0 && static_cast<std::size_t>(index) < files.size()
                                 ? files[static_cast<std::size_t>(index)]
                                 : std::string();
    Win32ShortcutShell shell;
    CreateDesktopShortcut(*this, shell, ProgramPath(), Caption(Ctl::lblANNOPath), file);
}

} // namespace varnholt
