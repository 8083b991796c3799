// A file system in memory whose names ignore letter case as the platform's do (by the tests' own
// rule, OtherCase.h, never the program's), with failures injected at chosen operations: the fuzz
// targets run the whole start-up on it, and a native test that needs no real files may too.
// Paths may use backslashes or slashes.
#pragma once

#include "core/Ports.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace varnholt::test {

class MemoryFileSystem : public FileSystem {
  public:
    struct File {
        std::string path; // as it was first written, in its own case
        std::string content;
        bool readOnly = false;
        bool locked = false; // held open by another program that shares nothing
    };

    // The key of a path: upper case, backslashes.
    static std::string Key(const std::string& path);
    // Writes a file, replacing one whose name differs only in case (that one keeps its name).
    File& Write(const std::string& path, const std::string& content);
    const File* Find(const std::string& path) const;

    // The operations that can fail are counted from 0 as they come (every call but FileExists
    // and DeleteFileAt); those whose number is in `failures` fail as a full disk or a locked
    // file would. A failed copy leaves half its content in the target.
    std::set<int> failures;
    int operations = 0;
    std::map<std::string, File> files; // by Key

    // Each operation fails as the platform's would: a missing file, a read-only one (access
    // denied), a locked one (a sharing violation; it cannot be read either), or an injection.
    bool FileLength(const std::string& path, std::uint64_t& length) override;
    bool FileExists(const std::string& path) override; // never injected
    // Decoded as Latin-1, as the native tests' files are written.
    bool ReadFirstLine(const std::string& path, std::size_t maxBytes, std::string& line) override;
    std::string FirstLineOf(const std::string& bytes) override;
    FileError CheckDeletable(const std::string& path) override;
    // A copy over a file keeps that file's name; an injected failure leaves half the content.
    FileError CopyFileTo(const std::string& source, const std::string& target) override;
    // As a copy of `bytes`.
    FileError WriteBytes(const std::string& path, const std::string& bytes) override;
    FileError RenameFile(const std::string& from, const std::string& to, bool replace) override;
    FileError DeleteFileAt(const std::string& path) override; // never injected
    // In the order of the keys; an injected failure delivers the first half of the names.
    bool ListFiles(const std::string& folder, const std::string& pattern,
                   std::vector<std::string>& names) override;
    // The bytes as they are, as far as `maxBytes`.
    bool ReadBytes(const std::string& path, std::size_t maxBytes, std::string& bytes) override;
    // By the key, however the path spells it: a file, or a folder that holds one (never injected).
    bool FileIdentity(const std::string& path, FileId& id) override;
    bool SameContent(const std::string& first, const std::string& second) override;

  private:
    std::map<std::string, std::uint64_t> identities_; // by key, handed out as asked for
    File* Lookup(const std::string& path);
    // Counts an operation that can fail; true when this one is to fail.
    bool Injected();
    // Why a file cannot be written, replaced or removed now; no failure when it can.
    static FileError Blocked(const File& file);
};

} // namespace varnholt::test
