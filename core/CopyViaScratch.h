// Copying a data file so that its target is whole or absent: the copy is written under a
// scratch name in the target's folder and then renamed to the target in one step. The first-run
// backup, activation and the keeping of an unmatched BGruppen.dat all copy this way.
#pragma once

#include "Ports.h"

#include <string>

namespace varnholt {

// One copy through a scratch file, in two steps, so that a caller can do more between the
// complete copy and the rename. The target changes only by the rename, so it is never seen
// half-written. No scratch file is left when the copy does not reach the target: a failed step
// removes it at once, and so does the end of the object without a Commit.
class ScratchCopy {
  public:
    ScratchCopy(FileSystem& files, const std::string& scratch) : files_(files), scratch_(scratch) {}
    ~ScratchCopy();
    ScratchCopy(const ScratchCopy&) = delete;
    ScratchCopy& operator=(const ScratchCopy&) = delete;

    // Copies `source` to the scratch file; a stale scratch file of an interrupted run is
    // replaced.
    FileError Write(const std::string& source);
    // Writes `bytes` as the scratch file's content, as Write does with a copy.
    FileError WriteContent(const std::string& bytes);
    // Renames the complete scratch file to `target`. With `replace` an existing target is
    // replaced in one step; without it an existing target makes the rename fail and stays as
    // it is.
    FileError Commit(const std::string& target, bool replace);

  private:
    void Discard();
    // Removes the scratch file after a failed writing; passes `error` on.
    FileError Written(const FileError& error);

    FileSystem& files_;
    std::string scratch_;
    bool pending_ = false; // a scratch file may exist that has not reached its target
};

// Copies `source` to `target` through the scratch file `scratch`: afterwards `target` holds the
// whole copy, or after a failure what it held before (nothing, if it did not exist), and no
// scratch file is left. `replace` as for ScratchCopy::Commit.
FileError CopyViaScratch(FileSystem& files, const std::string& source, const std::string& target,
                         const std::string& scratch, bool replace);
// As CopyViaScratch, writing `bytes` already read instead of copying a file.
FileError WriteViaScratch(FileSystem& files, const std::string& bytes, const std::string& target,
                          const std::string& scratch, bool replace);

} // namespace varnholt
