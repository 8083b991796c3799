// One Varnholt at a time in a user's session: a named mutex marks the running one, and a later
// start finds its window and brings it forward instead of running a second copy, which would
// remove and overwrite the first one's scratch files.
#pragma once

#include "Handles.h"

#include <windows.h>

namespace varnholt {

class SingleInstance {
  public:
    // Claims the session's mark, or finds that another Varnholt holds it. `name` is the mutex's
    // name in the session's namespace (without "Local\").
    explicit SingleInstance(const wchar_t* name);
    // True when another Varnholt of this session was running at construction.
    bool AnotherRuns() const { return anotherRuns_; }

  private:
    KernelHandle mutex_;
    bool anotherRuns_ = false;
};

// Brings the top-level window of class `windowClass` to the front, restored if it is minimised;
// while that window is still hidden (its start-up messages are open), its open message box. False
// when there is no such window.
bool BringWindowForward(const wchar_t* windowClass);

} // namespace varnholt
