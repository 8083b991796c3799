// The local time from the system. The C runtime's local time follows a TZ variable that it may
// not understand (under Wine it inherits the Linux one) and then gives UTC; the system does not.
#pragma once

#include "../core/Ports.h"

namespace varnholt {

class Win32Clock : public Clock {
  public:
    LocalTime Now() override;
};

} // namespace varnholt
