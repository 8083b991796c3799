// Adding variants in the window: files dropped on it, chosen through the list's menu, named on
// the command line or handed over by a later start wait in a queue and are added one after
// another while no dialog is open; the name dialog and the question whether to activate.
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

bool frmVarnholt::AskVariantName(std::string& name,
                                 const std::function<std::string(const std::string&)>& problemOf) {
    NameDialog context{name, problemOf};
    return DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_VARIANT_NAME), hwnd_, NameDialogProc,
                           reinterpret_cast<LPARAM>(&context)) == IDOK;
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

bool frmVarnholt::TakeHandedFiles(const COPYDATASTRUCT& data) {
    if (data.dwData != FILES_TO_ADD || data.lpData == nullptr ||
        data.cbData % sizeof(wchar_t) != 0) {
        return false;
    }
    // Paths ended by a NUL each; what follows the last NUL is no path.
    const auto* text = static_cast<const wchar_t*>(data.lpData);
    const std::wstring block(text, data.cbData / sizeof(wchar_t));
    std::vector<std::wstring> files;
    for (std::size_t start = 0, end; (end = block.find(L'\0', start)) != std::wstring::npos;
         start = end + 1) {
        if (end > start) {
            files.push_back(block.substr(start, end - start));
        }
    }
    AddFiles(files);
    return true;
}

} // namespace varnholt
