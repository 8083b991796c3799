// Opens a web address in the user's default web browser.
#pragma once

#include "Ports.h"

#include <string>

namespace varnholt {

// Opens `url` with the program the shell associates with it; tells the user when that fails.
void OpenWebPage(LauncherFactory& launchers, FormControls& ui, const std::string& url);

} // namespace varnholt
