// One Varnholt at a time in a user's session: a named mutex marks the running one, and a later
// start finds what it shows and brings that forward instead of running a second copy, which would
// remove and overwrite the first one's scratch files.
#pragma once

#include "Handles.h"

#include <windows.h>

#include <cstddef>
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

// The WM_COPYDATA kind by which a later start hands files to add to the running window, in the
// block of core/Handover.h, and the window's answers.
constexpr ULONG_PTR FILES_TO_ADD = 0x56484146; // "VHAF"
constexpr LRESULT HANDOVER_REFUSED = 0;        // it is ending, or the block broke a rule
constexpr LRESULT HANDOVER_TAKEN = 1;          // it adds every file of the block
constexpr LRESULT HANDOVER_NOT_YET = 2;        // its start-up is still at work

// How handing files to the running Varnholt ended.
enum class Handover {
    Taken,            // its window takes every file
    RunWithoutWindow, // it runs without a window (a shortcut, a command line)
    NoWindowInTime,   // no window took them within a few seconds (its start-up is at work)
    NoAnswer,         // its window did not answer in time
    Refused,          // its window did not take them
};

// Hands `files` (full paths) to the running main window of class `windowClass`, which adds them,
// and lets it come to the front; waits a few seconds for the window while the running Varnholt
// has none yet, unless it is a run without the window (marked under `markName`). `taken` gets
// the number of files, from the first, that the window took.
Handover HandFilesToWindow(const wchar_t* windowClass, const wchar_t* markName,
                           const std::vector<std::wstring>& files, std::size_t& taken);

// Lets the messages of a drop and of a handover reach `window` from processes of a lower
// integrity level (an ordinary Explorer, a later start, while this one runs elevated). Where the
// system has no such filter (before Windows 7), nothing needs letting through.
void LetHandoverIn(HWND window);

} // namespace varnholt
