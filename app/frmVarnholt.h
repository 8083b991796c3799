// The main window: its stored design as real child windows, laid out at the screen's dots per
// inch, and the forwarding of its events to the form logic.
#pragma once

#include "../core/FormLogic.h"
#include "../platform/Handles.h"
#include "Design.h"

#include <windows.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace varnholt {

class Picture;

class frmVarnholt : public FormControls {
  public:
    // The window's class, by which a later start finds the running window.
    static constexpr wchar_t CLASS_NAME[] = L"frmVarnholt";
    // Posted to itself: the files waiting to be added are added now, unless a dialog is open.
    static constexpr UINT WM_ADD_PENDING_FILES = WM_APP + 1;

    frmVarnholt(HINSTANCE instance, const SystemServices& system);
    ~frmVarnholt() override;

    // Creates the window hidden, runs the load event and shows the window. False when the
    // start-up ended the program before the window was shown.
    bool Create();
    // Runs the message loop until the program ends; returns the exit code.
    int Run();

    HWND Handle() const { return hwnd_; }
    // Adds `files` as variants, one after another, once the window takes input (AddFiles.cpp):
    // the files of the command line, of a drop, of a later start.
    void AddFiles(const std::vector<std::wstring>& files);
    // The dots per inch the window is laid out for.
    int Dpi() const { return dpi_; }

    // FormControls
    std::string Caption(Ctl control) const override;
    void SetCaption(Ctl control, const std::string& text) override;
    void SetForeColor(Ctl control, std::uint32_t rgb) override;
    void SetEnabled(Ctl control, bool enabled) override;
    void SetListRedraw(bool on) override;
    void ListClear() override;
    void ListAdd(const std::string& text) override;
    int ListCount() const override;
    int ListIndex() const override;
    void SetListIndex(int index) override;
    std::string ListText(int index) const override;
    void Beep() override;
    void MsgBox(const std::string& text, int flags, const std::string& title) override;
    void SetFormCaption(const std::string& text) override;
    WindowState FormWindowState() const override;
    void MinimizeForm() override;
    void DoEvents() override;
    void EndProgram() override;
    bool AskYesNo(const std::string& text, const std::string& title) override;
    NameAnswer
    AskVariantName(std::string& name, const std::string& source, const std::string& firstLine,
                   const std::function<std::string(const std::string&)>& problemOf) override;

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void OnCommand(int id, int code);
    // The list's menu (ListMenu.cpp): opened by a right click on the list, the context-menu key
    // or Shift+F10, at `where` (screen coordinates, or -1 for the keyboard); its commands.
    void ShowListMenu(LPARAM where);
    bool OnListMenuCommand(int id);
    bool IsListMenuKey(const MSG& msg) const;
    void CreateShortcutOfSelection();
    // Adding variants (AddFiles.cpp): the files waiting, added when no dialog is open; a file
    // chosen in the system's dialog; files handed over by a later start, answered with one of
    // the HANDOVER_ answers of SingleInstance.h.
    void AddPendingFiles();
    void ChooseAndAddFile();
    LRESULT TakeHandedFiles(const COPYDATASTRUCT* data);
    // The owner of a message box: the window while it is shown and not minimised, else none.
    HWND MessageOwner() const;
    void DrawLabel(const DRAWITEMSTRUCT& item);
    void PaintBackground(HDC dc, const RECT& area);
    HWND Control(Ctl control) const { return controls_[static_cast<int>(control)]; }
    const ControlDesign& DesignOf(Ctl control) const;
    // Relays the mouse to the tool tips and handles the dialog keys; true when the message is
    // handled.
    bool PreTranslate(MSG& msg);

    // The design at `dpi`: a control's rectangle, the window's outer size.
    RECT ScaledRect(const ControlDesign& d) const;
    SIZE FrameSize(int dpi) const;
    // Makes the fonts, pictures, icons and cursor for `dpi` (without giving them to the
    // controls yet).
    void LoadForDpi(int dpi);
    // Lays the window out anew for `dpi` from the design: fonts, places, pictures, icons.
    void ApplyDpi(int dpi);
    // WM_DPICHANGED: laid out anew for `dpi`, at the `suggested` place in the design's size.
    void OnDpiChanged(int dpi, const RECT& suggested);
    // Gives each control its font and design rectangle, the folder button its picture and
    // the window its icons.
    void PlaceControls();
    // Chooses the font a label draws its caption in: the design's, or a narrower one where
    // the caption would not fit otherwise.
    void FitCaption(int index);

    HINSTANCE instance_;
    std::unique_ptr<FormLogic> logic_;
    HWND hwnd_ = nullptr;
    HWND controls_[CONTROL_COUNT] = {};
    HWND toolTip_ = nullptr;
    COLORREF colours_[CONTROL_COUNT] = {};
    int dpi_ = DESIGN_DPI;
    // The design's three fonts (by FontStyle) at the window's dots per inch, and the narrower
    // font of each label whose caption needs one.
    GdiObject<HFONT> fonts_[3];
    GdiObject<HFONT> fitted_[CONTROL_COUNT];
    std::unique_ptr<Picture> picture_;
    IconHandle folderIcon_;
    IconHandle bigIcon_;
    IconHandle smallIcon_;
    CursorHandle handCursor_;
    // Registered by Create and unregistered before the icons it names are destroyed.
    bool classRegistered_ = false;
    std::deque<std::string> pendingFiles_;
    bool adding_ = false;
    bool loaded_ = false;
    bool ended_ = false;
};

} // namespace varnholt
