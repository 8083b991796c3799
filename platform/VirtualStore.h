// The file virtualization of a process that requests no execution level (the 32-bit exe): where
// it may not write below Program Files, its writes go to a copy below
// %LOCALAPPDATA%\VirtualStore, which it sees in place of the file and other programs do not.
#pragma once

#include <functional>
#include <string>

namespace varnholt {

// What the decision asks of the system; a test hands in its own.
struct VirtualStoreView {
    std::function<bool()> virtualized;         // this process's token says so
    std::function<std::string()> localAppData; // the user's local application data folder
    std::function<std::string()> systemDrive;  // the Windows folder's drive, such as "C:"
    std::function<bool(const std::string&)> fileExists;
};
// The view of this process on this system.
VirtualStoreView SystemVirtualStoreView();

// The place of the VirtualStore's copy of `fullPath` (C:\Program Files\X gives
// <localAppData>\VirtualStore\Program Files\X); empty for a path on no drive letter or on
// another drive than `systemDrive`, which the system never virtualizes (the copy of a folder of
// the same name on the system drive is another file).
std::string VirtualStorePath(const std::string& localAppData, const std::string& systemDrive,
                             const std::string& fullPath);

// Where the file `fullPath` really lies for this process: its VirtualStore copy when the process
// is virtualized and the copy exists; else `fullPath`.
std::string ActualLocation(const std::string& fullPath,
                           const VirtualStoreView& view = SystemVirtualStoreView());

} // namespace varnholt
