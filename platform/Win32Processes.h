// The programs running on this computer, from the system's process snapshot, and the bringing
// of one's window to the front. Kernel32 alone, from Vista on: no further DLL is imported.
#pragma once

#include "../core/Ports.h"

namespace varnholt {

class Win32ProcessList : public ProcessList {
  public:
    std::vector<RunningProgram> OtherPrograms() override;
    bool BringToFront(std::uint32_t id) override;
};

} // namespace varnholt
