#include "MemoryFileSystem.h"

#include "OtherCase.h"
#include "StdFileSystem.h"

namespace varnholt::test {

std::string MemoryFileSystem::Key(const std::string& path) {
    std::string key = InUpperCase(path);
    for (char& c : key) {
        if (c == '/') {
            c = '\\';
        }
    }
    return key;
}

MemoryFileSystem::File& MemoryFileSystem::Write(const std::string& path,
                                                const std::string& content) {
    File& file = files[Key(path)];
    if (file.path.empty()) {
        file.path = path;
    }
    file.content = content;
    return file;
}

const MemoryFileSystem::File* MemoryFileSystem::Find(const std::string& path) const {
    const auto found = files.find(Key(path));
    return found == files.end() ? nullptr : &found->second;
}

MemoryFileSystem::File* MemoryFileSystem::Lookup(const std::string& path) {
    const auto found = files.find(Key(path));
    return found == files.end() ? nullptr : &found->second;
}

bool MemoryFileSystem::Injected() {
    return failures.count(operations++) != 0;
}

FileError MemoryFileSystem::Blocked(const File& file) {
    if (file.readOnly) {
        return AccessDenied();
    }
    return file.locked ? SharingViolation() : FileError();
}

bool MemoryFileSystem::FileLength(const std::string& path, std::uint64_t& length) {
    const File* file = Lookup(path);
    if (Injected() || file == nullptr) {
        return false;
    }
    length = file->content.size();
    return true;
}

bool MemoryFileSystem::FileExists(const std::string& path) {
    return Lookup(path) != nullptr;
}

bool MemoryFileSystem::ReadFirstLine(const std::string& path, std::size_t maxBytes,
                                     std::string& line) {
    const File* file = Lookup(path);
    if (Injected() || file == nullptr || file->locked) {
        return false;
    }
    line = Latin1FirstLine(file->content.substr(0, maxBytes));
    return true;
}

std::string MemoryFileSystem::FirstLineOf(const std::string& bytes) {
    return Latin1FirstLine(bytes);
}

FileError MemoryFileSystem::CheckDeletable(const std::string& path) {
    const File* file = Lookup(path);
    if (Injected()) {
        return SharingViolation();
    }
    return file == nullptr ? NotFound() : Blocked(*file);
}

FileError MemoryFileSystem::CopyFileTo(const std::string& source, const std::string& target) {
    const bool injected = Injected();
    const File* from = Lookup(source);
    if (from == nullptr) {
        return NotFound();
    }
    if (from->locked) {
        return SharingViolation();
    }
    const File* existing = Lookup(target);
    if (existing != nullptr && Blocked(*existing).failed()) {
        return Blocked(*existing);
    }
    const std::string content = from->content;
    if (injected) {
        Write(target, content.substr(0, content.size() / 2));
        return DiskFull();
    }
    Write(target, content);
    return FileError();
}

FileError MemoryFileSystem::WriteBytes(const std::string& path, const std::string& bytes) {
    const bool injected = Injected();
    const File* existing = Lookup(path);
    if (existing != nullptr && Blocked(*existing).failed()) {
        return Blocked(*existing);
    }
    if (injected) {
        Write(path, bytes.substr(0, bytes.size() / 2));
        return DiskFull();
    }
    Write(path, bytes);
    return FileError();
}

FileError MemoryFileSystem::RenameFile(const std::string& from, const std::string& to,
                                       bool replace) {
    const bool injected = Injected();
    File* source = Lookup(from);
    if (source == nullptr) {
        return NotFound();
    }
    if (source->locked || injected) {
        return SharingViolation();
    }
    File moved = *source;
    moved.path = to;
    if (Key(from) != Key(to)) {
        const File* existing = Lookup(to);
        if (existing != nullptr && !replace) {
            return AlreadyExists();
        }
        if (existing != nullptr && Blocked(*existing).failed()) {
            return Blocked(*existing);
        }
        files.erase(Key(from));
    }
    files[Key(to)] = moved;
    return FileError();
}

FileError MemoryFileSystem::DeleteFileAt(const std::string& path) {
    const File* file = Lookup(path);
    if (file == nullptr) {
        return NotFound();
    }
    const FileError blocked = Blocked(*file);
    if (!blocked.failed()) {
        files.erase(Key(path));
    }
    return blocked;
}

bool MemoryFileSystem::ListFiles(const std::string& folder, const std::string& pattern,
                                 std::vector<std::string>& names) {
    std::string prefix = Key(folder);
    if (prefix.empty() || prefix.back() != '\\') {
        prefix += '\\';
    }
    std::vector<std::string> found;
    for (const auto& [key, file] : files) {
        if (key.compare(0, prefix.size(), prefix) != 0 ||
            key.find('\\', prefix.size()) != std::string::npos) {
            continue;
        }
        const std::string name = file.path.substr(file.path.find_last_of("\\/") + 1);
        if (WildcardMatch(pattern, name)) {
            found.push_back(name);
        }
    }
    // A listing that fails part-way delivers the names it found until then.
    const bool failed = Injected();
    names.insert(names.end(), found.begin(),
                 failed ? found.begin() + static_cast<std::ptrdiff_t>(found.size() / 2)
                        : found.end());
    return !failed;
}

bool MemoryFileSystem::ReadBytes(const std::string& path, std::size_t maxBytes,
                                 std::string& bytes) {
    const File* file = Lookup(path);
    if (Injected() || file == nullptr || file->locked) {
        return false;
    }
    bytes = file->content.substr(0, maxBytes);
    return true;
}

bool MemoryFileSystem::FileIdentity(const std::string& path, FileId& id) {
    std::string key = Key(path);
    while (!key.empty() && key.back() == '\\') {
        key.pop_back();
    }
    const auto next = files.lower_bound(key + '\\');
    const bool folder =
        next != files.end() && next->first.compare(0, key.size() + 1, key + '\\') == 0;
    if (key.empty() || (files.count(key) == 0 && !folder)) {
        return false;
    }
    id.index = identities_.emplace(key, identities_.size() + 1).first->second;
    return true;
}

bool MemoryFileSystem::SameContent(const std::string& first, const std::string& second) {
    const File* a = Lookup(first);
    const File* b = Lookup(second);
    if (Injected() || a == nullptr || b == nullptr || a->locked || b->locked) {
        return false;
    }
    return a->content == b->content;
}

} // namespace varnholt::test
