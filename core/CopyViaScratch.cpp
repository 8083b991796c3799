#include "CopyViaScratch.h"

namespace varnholt {

ScratchCopy::~ScratchCopy() {
    Discard();
}

void ScratchCopy::Discard() {
    if (pending_) {
        files_.DeleteFileAt(scratch_);
        pending_ = false;
    }
}

FileError ScratchCopy::Write(const std::string& source) {
    pending_ = true;
    const FileError error = files_.CopyFileTo(source, scratch_);
    if (error.failed()) {
        Discard();
    }
    return error;
}

FileError ScratchCopy::Commit(const std::string& target, bool replace) {
    const FileError error = files_.RenameFile(scratch_, target, replace);
    if (error.failed()) {
        Discard();
    } else {
        pending_ = false;
    }
    return error;
}

FileError CopyViaScratch(FileSystem& files, const std::string& source, const std::string& target,
                         const std::string& scratch, bool replace) {
    ScratchCopy copy(files, scratch);
    FileError error = copy.Write(source);
    if (!error.failed()) {
        error = copy.Commit(target, replace);
    }
    return error;
}

} // namespace varnholt
