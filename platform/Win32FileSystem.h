// The file operations of the variant management on the Win32 file system.
#pragma once

#include "../core/Ports.h"

namespace varnholt {

class Win32FileSystem : public FileSystem {
  public:
    bool FileLength(const std::string& path, std::uint64_t& length) override;
    bool FileExists(const std::string& path) override;
    bool ReadFirstLine(const std::string& path, std::size_t maxBytes, std::string& line) override;
    std::string FirstLineOf(const std::string& bytes) override;
    FileError CheckDeletable(const std::string& path) override;
    FileError CopyFileTo(const std::string& source, const std::string& target) override;
    FileError WriteBytes(const std::string& path, const std::string& bytes) override;
    FileError RenameFile(const std::string& from, const std::string& to, bool replace) override;
    FileError DeleteFileAt(const std::string& path) override;
    bool ListFiles(const std::string& folder, const std::string& pattern,
                   std::vector<std::string>& names) override;
    bool ListFilesWithLengths(const std::string& folder, const std::string& pattern,
                              std::vector<FileEntry>& entries) override;
    bool ReadBytes(const std::string& path, std::size_t maxBytes, std::string& bytes) override;
    bool FileIdentity(const std::string& path, FileId& id) override;
    bool SameContent(const std::string& first, const std::string& second) override;
};

} // namespace varnholt
