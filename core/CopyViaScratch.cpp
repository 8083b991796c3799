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
    return Written(files_.CopyFileTo(source, scratch_));
}

FileError ScratchCopy::WriteContent(const std::string& bytes) {
    pending_ = true;
    return Written(files_.WriteBytes(scratch_, bytes));
}

FileError ScratchCopy::Written(const FileError& error) {
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
    const FileError error = copy.Write(source);
    return error.failed() ? error : copy.Commit(target, replace);
}

FileError WriteViaScratch(FileSystem& files, const std::string& bytes, const std::string& target,
                          const std::string& scratch, bool replace) {
    ScratchCopy copy(files, scratch);
    const FileError error = copy.WriteContent(bytes);
    return error.failed() ? error : copy.Commit(target, replace);
}

} // namespace varnholt
