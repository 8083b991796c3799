// The main window: its stored design as real child windows, and the forwarding of its events
// to the form logic.
#pragma once

#include "../core/FormLogic.h"
#include "Design.h"

#include <windows.h>

#include <memory>

namespace varnholt {

class frmVarnholt : public FormControls {
  public:
    frmVarnholt(HINSTANCE instance, RegistryReader& registry, SettingsStore& settings,
                FileSystem& files, FolderPicker& picker, LauncherFactory& launchers,
                modVarnholt& folders, Clock* clock = nullptr);
    ~frmVarnholt() override;

    // Creates the window hidden, runs the load event and shows the window. False when the
    // start-up ended the program before the window was shown.
    bool Create();
    // Runs the message loop until the program ends; returns the exit code.
    int Run();

    HWND Handle() const { return hwnd_; }

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

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void OnCommand(int id, int code);
    void DrawLabel(const DRAWITEMSTRUCT& item);
    void PaintBackground(HDC dc, const RECT& area);
    HWND Control(Ctl control) const { return controls_[static_cast<int>(control)]; }
    const ControlDesign& DesignOf(Ctl control) const;
    // Relays the mouse to the tool tips and handles the dialog keys; true when the message is
    // handled.
    bool PreTranslate(MSG& msg);

    HINSTANCE instance_;
    std::unique_ptr<FormLogic> logic_;
    HWND hwnd_ = nullptr;
    HWND controls_[CONTROL_COUNT] = {};
    HWND toolTip_ = nullptr;
    COLORREF colours_[CONTROL_COUNT] = {};
    HFONT windowFont_ = nullptr;
    HFONT boldFont_ = nullptr;
    HFONT boldUnderlineFont_ = nullptr;
    HBITMAP background_ = nullptr;
    HDC backgroundDC_ = nullptr;
    HGDIOBJ backgroundOld_ = nullptr;
    HICON folderIcon_ = nullptr;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    HCURSOR handCursor_ = nullptr;
    bool loaded_ = false;
    bool ended_ = false;
};

} // namespace varnholt
