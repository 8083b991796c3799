// The handover of files from a later start to the running window: a block of paths in UTF-16
// (little-endian), each ended by a NUL. The window takes the block from another process, so it
// reads it as untrusted bytes: a block that breaks any rule is refused whole, never half taken.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace varnholt {

// The most files one block hands over; a later start hands more in several blocks.
constexpr std::size_t HANDOVER_MAX_FILES = 100;
// The longest path, in UTF-16 code units without its NUL: the system's own limit.
constexpr std::size_t HANDOVER_MAX_PATH = 32767;
// The largest block that can be well-formed.
constexpr std::size_t HANDOVER_MAX_BYTES = HANDOVER_MAX_FILES * (HANDOVER_MAX_PATH + 1) * 2;

// The block that hands over `files` (at most HANDOVER_MAX_FILES, each a full path).
std::string EncodeHandedFiles(const std::vector<std::u16string>& files);

// The paths of the block of `size` bytes at `data`, read within those bytes only; false (and
// no path) unless the block is well-formed: not empty, an even size of at most
// HANDOVER_MAX_BYTES, at most HANDOVER_MAX_FILES paths, each not empty, at most
// HANDOVER_MAX_PATH long, a full path ("X:\..." or "\\...") and ended by a NUL.
bool DecodeHandedFiles(const void* data, std::size_t size, std::vector<std::u16string>& files);

// The message of a later start whose `files` were not added, in the language shown: the files
// (the first few, and how many more) and why, the text numbered `reason`.
std::string NotAddedText(const std::vector<std::string>& files, int reason);

} // namespace varnholt
