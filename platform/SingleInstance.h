// One Varnholt at a time in a user's session: a named mutex marks the running one, and a later
// start finds what it shows and brings that forward instead of running a second copy, which would
// remove and overwrite the first one's scratch files.
#pragma once

#include "Handles.h"

#include <windows.h>

#include <string>
#include <vector>

namespace varnholt {

class SingleInstance {
  public:
    // Claims the session's mark, or finds that another Varnholt holds it. `name` is the mutex's
    // name in the session's namespace (without "Local\").
    explicit SingleInstance(const wchar_t* name);
    // True when another Varnholt of this session was running at construction.
    bool AnotherRuns() const { return anotherRuns_; }
    // Makes a run without the main window findable by a later start (BringWindowForward), through a
    // message-only window that carries the mark's name.
    void MarkRunWithoutWindow();

  private:
    std::wstring name_;
    KernelHandle mutex_;
    WindowHandle runMark_;
    bool anotherRuns_ = false;
};

// Brings what the running Varnholt shows to the front: its main window of class `windowClass`
// (restored if minimised) with the dialog open on it; while that window is hidden (its start-up
// is still at work), or in a run without it (marked under `markName`), its open message box or
// folder picker. False when it shows nothing a player could be sent to.
bool BringWindowForward(const wchar_t* windowClass, const wchar_t* markName);

// The WM_COPYDATA kind by which a later start hands files to add to the running window: their
// paths in UTF-16, each ended by a NUL.
constexpr ULONG_PTR FILES_TO_ADD = 0x56484146; // "VHAF"

// Hands `files` to the running main window of class `windowClass`, which adds them, and lets it
// come to the front. False when there is no such window or it did not take them.
bool HandFilesToWindow(const wchar_t* windowClass, const std::vector<std::wstring>& files);

} // namespace varnholt
