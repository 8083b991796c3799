// Adding variants in the window: files dropped on it, chosen through the list's menu, named on
// the command line or handed over by a later start wait in a queue and are added one after
// another while no dialog is open; the name dialog and the question whether to activate.
#include "../core/Handover.h"
#include "../core/Texts.h"
#include "../platform/SingleInstance.h"
#include "../platform/Text.h"
#include "../platform/modDatDlgs.h"
#include "frmVarnholt.h"
#include "resource.h"

namespace varnholt {

namespace {

// What the name dialog works with.
struct NameDialog {
    std::string& name;
    const std::string& source;
    const std::string& firstLine;
    const std::function<std::string(const std::string&)>& problemOf;
};

std::wstring DialogItemText(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(item, &text[0], static_cast<int>(text.size()))));
    return text;
}

// Shows why the typed name cannot be taken, and offers OK only for one that can.
void CheckTypedName(HWND dialog, const NameDialog& context) {
    const std::string problem = context.problemOf(Narrow(DialogItemText(dialog, IDC_NAME_EDIT)));
    SetDlgItemTextW(dialog, IDC_NAME_PROBLEM, Widen(problem).c_str());
    EnableWindow(GetDlgItem(dialog, IDOK), problem.empty() ? TRUE : FALSE);
}

INT_PTR CALLBACK NameDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* context = reinterpret_cast<NameDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG:
        context = reinterpret_cast<NameDialog*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        SetWindowTextW(dialog, Widen(Text(IDS_ADD_TITLE)).c_str());
        SetDlgItemTextW(dialog, IDC_NAME_SOURCE,
                        Widen(Text(IDS_NAME_SOURCE, {context->source})).c_str());
        if (!context->firstLine.empty()) {
            SetDlgItemTextW(dialog, IDC_NAME_FIRST_LINE,
                            Widen(Text(IDS_NAME_FIRST_LINE, {context->firstLine})).c_str());
        }
        SetDlgItemTextW(dialog, IDC_NAME_PROMPT, Widen(Text(IDS_NAME_PROMPT)).c_str());
        SetDlgItemTextW(dialog, IDOK, Widen(Text(IDS_OK)).c_str());
        SetDlgItemTextW(dialog, IDCANCEL, Widen(Text(IDS_CANCEL)).c_str());
        SetDlgItemTextW(dialog, IDC_NAME_EDIT, Widen(context->name).c_str());
        CheckTypedName(dialog, *context);
        return TRUE; // the field takes the focus
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_NAME_EDIT && HIWORD(wParam) == EN_CHANGE && context != nullptr) {
            CheckTypedName(dialog, *context);
        } else if (LOWORD(wParam) == IDOK && context != nullptr) {
            const std::string typed = Narrow(DialogItemText(dialog, IDC_NAME_EDIT));
            if (context->problemOf(typed).empty()) {
                context->name = typed;
                EndDialog(dialog, IDOK);
            }
        } else if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

bool frmVarnholt::AskYesNo(const std::string& text, const std::string& title) {
    HWND owner = MessageOwner();
    return MessageBoxW(owner, Widen(text).c_str(), Widen(title).c_str(),
                       MB_YESNO | MB_ICONQUESTION | (owner == nullptr ? MB_TASKMODAL : 0)) == IDYES;
}

NameAnswer
frmVarnholt::AskVariantName(std::string& name, const std::string& source,
                            const std::string& firstLine,
                            const std::function<std::string(const std::string&)>& problemOf) {
    NameDialog context{name, source, firstLine, problemOf};
    // Owned as the message boxes are. Without an owner (the window minimised, or not shown) it
    // stands on its own where the player sees it, and the window takes no input meanwhile, as
    // under a task-modal message box.
    const HWND owner = MessageOwner();
    const bool disable = owner == nullptr && hwnd_ != nullptr && IsWindowEnabled(hwnd_);
    if (disable) {
        EnableWindow(hwnd_, FALSE);
    }
    const INT_PTR answer = DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_VARIANT_NAME), owner,
                                           NameDialogProc, reinterpret_cast<LPARAM>(&context));
    if (disable) {
        EnableWindow(hwnd_, TRUE);
    }
    // 0 and -1 tell that the dialog did not open: never the player's Cancel.
    return answer == IDOK       ? NameAnswer::Given
           : answer == IDCANCEL ? NameAnswer::Cancelled
                                : NameAnswer::NotShown;
}

void frmVarnholt::AddFiles(const std::vector<std::wstring>& files) {
    for (const std::wstring& file : files) {
        pendingFiles_.push_back(Narrow(file));
    }
    if (!pendingFiles_.empty() && hwnd_ != nullptr) {
        PostMessageW(hwnd_, WM_ADD_PENDING_FILES, 0, 0);
    }
}

void frmVarnholt::AddPendingFiles() {
    // Never in the middle of another dialog (it disables the window) or of an adding: a later
    // look takes the files then.
    if (adding_ || !loaded_ || ended_ || !IsWindowEnabled(hwnd_)) {
        if (!pendingFiles_.empty() && !ended_) {
            SetTimer(hwnd_, WM_ADD_PENDING_FILES, 250, nullptr);
        }
        return;
    }
    KillTimer(hwnd_, WM_ADD_PENDING_FILES);
    adding_ = true;
    while (!pendingFiles_.empty() && !ended_) {
        const std::string file = pendingFiles_.front();
        pendingFiles_.pop_front();
        logic_->AddVariant(file, AddOptions());
    }
    adding_ = false;
}

void frmVarnholt::ChooseAndAddFile() {
    const std::string file =
        ChooseFile(hwnd_, Text(IDS_ADD_TITLE),
                   {{Text(IDS_FILTER_DAT), "*.dat"}, {Text(IDS_FILTER_ALL), "*.*"}}, "");
    if (!file.empty()) {
        AddFiles({Widen(file)});
    }
}

LRESULT frmVarnholt::TakeHandedFiles(const COPYDATASTRUCT* data) {
    // Only files it will add: not while its start-up may still fail, nor once it ends.
    if (data == nullptr || data->dwData != FILES_TO_ADD || ended_) {
        return HANDOVER_REFUSED;
    }
    if (!loaded_) {
        return HANDOVER_NOT_YET;
    }
    std::vector<std::u16string> paths;
    if (!DecodeHandedFiles(data->lpData, data->cbData, paths)) {
        return HANDOVER_REFUSED;
    }
    std::vector<std::wstring> files;
    for (const std::u16string& path : paths) {
        files.emplace_back(path.begin(), path.end());
    }
    AddFiles(files);
    return HANDOVER_TAKEN;
}

} // namespace varnholt
