// The file operations on real files with the standard library, for the native tests. Folder
// paths may use backslashes as the program builds them; they are turned into slashes.
// FailingFileSystem fails one chosen operation to show what each failure leaves behind.
#pragma once

#include "core/Ports.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace varnholt::test {

std::string ToNative(const std::string& path);
// Case-insensitive wildcard match with * and ?.
bool WildcardMatch(const std::string& pattern, const std::string& name);
// The first line of a file's start `bytes` as the program reads it: up to the first carriage
// return, decoded to UTF-8. The test files are written in Latin-1.
std::string Latin1FirstLine(const std::string& bytes);

class StdFileSystem : public FileSystem {
  public:
    bool FileLength(const std::string& path, std::uint64_t& length) override;
    bool FileExists(const std::string& path) override;
    bool ReadFirstLine(const std::string& path, std::size_t maxBytes, std::string& line) override;
    std::string FirstLineOf(const std::string& bytes) override { return Latin1FirstLine(bytes); }
    FileError CheckDeletable(const std::string& path) override;
    FileError CopyFileTo(const std::string& source, const std::string& target) override;
    FileError WriteBytes(const std::string& path, const std::string& bytes) override;
    FileError RenameFile(const std::string& from, const std::string& to, bool replace) override;
    FileError DeleteFileAt(const std::string& path) override;
    bool ListFiles(const std::string& folder, const std::string& pattern,
                   std::vector<std::string>& names) override;
    bool ReadBytes(const std::string& path, std::size_t maxBytes, std::string& bytes) override;
    // The device and inode: a symbolic link names what it points to.
    bool FileIdentity(const std::string& path, FileId& id) override;
    bool SameContent(const std::string& first, const std::string& second) override;

    int listings = 0;
    std::vector<std::string> compared; // the second file of each comparison, in order
    int firstLineReads = 0;
    std::size_t largestFirstLineRequest = 0;
};

// Failures with the platform's error numbers and descriptions.
FileError NotFound();
FileError AccessDenied();
FileError SharingViolation();
FileError DiskFull();
FileError AlreadyExists();

// The operations that FailingFileSystem can make fail.
enum class FsStep {
    None,
    CheckDeletable,
    CopyFileTo,
    CopyHalfway,
    WriteBytes,
    RenameFile,
    List,
    Read
};

class FailingFileSystem : public StdFileSystem {
  public:
    FsStep failAt = FsStep::None;
    // What the failing step reports; when unset, its usual failure (a locked file for the
    // check and the rename, a full disk for the copy).
    FileError failure;
    // When set, only an operation on a path that contains this text fails.
    std::string onlyFor;
    // Runs before each copy, writing, rename, deletable check and reading of a length or of
    // bytes, with the step (Read for a reading) and the file: another program at work
    // meanwhile, a download that grows, a file made under a name just chosen.
    std::function<void(FsStep, const std::string&)> meanwhile;
    FileError CheckDeletable(const std::string& path) override;
    FileError CopyFileTo(const std::string& source, const std::string& target) override;
    FileError WriteBytes(const std::string& path, const std::string& bytes) override;
    FileError RenameFile(const std::string& from, const std::string& to, bool replace) override;
    bool ListFiles(const std::string& folder, const std::string& pattern,
                   std::vector<std::string>& names) override;
    bool FileLength(const std::string& path, std::uint64_t& length) override;
    bool ReadBytes(const std::string& path, std::size_t maxBytes, std::string& bytes) override;

  private:
    void Meanwhile(FsStep step, const std::string& path) const;
    bool Fails(FsStep step, const std::string& path, const std::string& other = "") const;
    FileError Failure(const FileError& usual) const;
};

// A fresh temporary folder, removed with everything in it at the end of the test. Its name
// holds a blank, as the game's own folder does, so that a path handed on unquoted is seen.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    // The folder as the program would show it, with a trailing backslash.
    std::string shown() const { return path_.string() + "\\"; }
    void Write(const std::string& name, const std::string& content) const;
    std::string Read(const std::string& name) const;
    bool Has(const std::string& name) const;
    // The names of everything in the folder, sorted.
    std::vector<std::string> Names() const;

  private:
    std::filesystem::path path_;
};

} // namespace varnholt::test
