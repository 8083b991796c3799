// A desktop shortcut that activates a variant and starts the game: the list's menu entry
// "Create desktop shortcut...".
#pragma once

#include "Ports.h"

#include <string>

namespace varnholt {

// What a shortcut holds.
struct ShortcutLink {
    std::string target;
    std::string arguments;
    std::string workDir;
    std::string icon;
    int iconIndex = 0;
};

// The user's desktop and the shortcuts on it.
class ShortcutShell {
  public:
    virtual ~ShortcutShell() = default;
    // The desktop folder, without a trailing backslash; empty when it cannot be found.
    virtual std::string DesktopFolder() = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // True when the file at `path` is a shortcut that could be read into `link`.
    virtual bool ReadLink(const std::string& path, ShortcutLink& link) = 0;
    // Writes the shortcut, replacing a file of that name.
    virtual FileError WriteLink(const std::string& path, const ShortcutLink& link) = 0;
};

// Creates on the desktop the shortcut "ANNO 1503 - NAME.lnk" of the variant file `fileName`:
// it starts `exePath` with "/activate NAME /start" in the installation folder `annoPath`, with
// the icon of the game's starter where it exists, else the program's own. A file of that name
// is replaced only when it is a shortcut to `exePath` with these very arguments; otherwise the
// name gets " (2)", " (3)", .... A message names the shortcut's path or why it could not be made.
// The path of the shortcut made, or empty.
std::string CreateDesktopShortcut(FormControls& ui, ShortcutShell& shell,
                                  const std::string& exePath, const std::string& annoPath,
                                  const std::string& fileName);

} // namespace varnholt
