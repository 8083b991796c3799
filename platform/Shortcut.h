// Shortcuts (.lnk files) on the user's desktop, through the shell's link object. The shell and
// COM are loaded at the first use, as for the folder picker.
#pragma once

#include "../core/DesktopShortcut.h"

namespace varnholt {

class Win32ShortcutShell : public ShortcutShell {
  public:
    std::string DesktopFolder() override;
    bool FileExists(const std::string& path) override;
    bool ReadLink(const std::string& path, ShortcutLink& link) override;
    FileError WriteLink(const std::string& path, const ShortcutLink& link) override;
};

// The full path of the running program.
std::string ProgramPath();

} // namespace varnholt
