#include "StdFileSystem.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace varnholt::test {

namespace {

FileError Error(std::uint32_t number, const std::string& text) {
    FileError e;
    e.number = number;
    e.description = text;
    return e;
}

// The standard library's error as the platform would report it.
FileError FromCode(const std::error_code& code) {
    if (!code) {
        return FileError();
    }
    switch (code.value()) {
    case ENOENT:
        return NotFound();
    case EACCES:
    case EPERM:
    case EROFS:
        return AccessDenied();
    case ENOSPC:
        return DiskFull();
    case EEXIST:
        return AlreadyExists();
    default:
        return Error(static_cast<std::uint32_t>(code.value()), code.message());
    }
}

} // namespace

FileError NotFound() {
    return Error(2, "The system cannot find the file specified.");
}
FileError AccessDenied() {
    return Error(5, "Access is denied.");
}
FileError SharingViolation() {
    return Error(32, "The process cannot access the file because it is being used by another "
                     "process.");
}
FileError DiskFull() {
    return Error(112, "There is not enough space on the disk.");
}
FileError AlreadyExists() {
    return Error(183, "Cannot create a file when that file already exists.");
}

std::string ToNative(const std::string& path) {
    std::string native = path;
    for (char& c : native) {
        if (c == '\\') {
            c = '/';
        }
    }
    return native;
}

bool WildcardMatch(const std::string& pattern, const std::string& name) {
    std::size_t p = 0, n = 0, star = std::string::npos, mark = 0;
    auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    };
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || same(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

bool StdFileSystem::FileLength(const std::string& path, std::uint64_t& length) {
    std::error_code code;
    const fs::path p = ToNative(path);
    if (!fs::is_regular_file(p, code)) {
        return false;
    }
    length = fs::file_size(p, code);
    return !code;
}

bool StdFileSystem::FileExists(const std::string& path) {
    std::error_code code;
    return fs::is_regular_file(ToNative(path), code);
}

bool StdFileSystem::ReadFirstLine(const std::string& path, std::size_t maxBytes,
                                  std::string& line) {
    ++firstLineReads;
    largestFirstLineRequest = std::max(largestFirstLineRequest, maxBytes);
    std::string bytes;
    if (!StdFileSystem::ReadBytes(path, maxBytes, bytes)) {
        return false;
    }
    line = Latin1FirstLine(bytes);
    return true;
}

std::string Latin1FirstLine(const std::string& bytes) {
    std::string line;
    for (unsigned char c : bytes.substr(0, bytes.find('\r'))) {
        if (c < 0x80) {
            line += static_cast<char>(c);
        } else {
            line += static_cast<char>(0xC0 | (c >> 6));
            line += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return line;
}

FileError StdFileSystem::CheckDeletable(const std::string& path) {
    const std::string p = ToNative(path);
    std::error_code code;
    if (!fs::exists(p, code)) {
        return NotFound();
    }
    if (!fs::is_regular_file(p, code) || access(p.c_str(), W_OK) != 0) {
        return AccessDenied();
    }
    return FileError();
}

FileError StdFileSystem::CopyFileTo(const std::string& source, const std::string& target) {
    std::error_code code;
    if (!fs::is_regular_file(ToNative(source), code)) {
        return NotFound();
    }
    fs::copy_file(ToNative(source), ToNative(target), fs::copy_options::overwrite_existing, code);
    return FromCode(code);
}

FileError StdFileSystem::WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(ToNative(path), std::ios::binary | std::ios::trunc);
    if (!out || !out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush()) {
        return AccessDenied();
    }
    return FileError();
}

FileError StdFileSystem::RenameFile(const std::string& from, const std::string& to, bool replace) {
    std::error_code code;
    if (!replace && fs::exists(ToNative(to), code)) {
        return AlreadyExists();
    }
    fs::rename(ToNative(from), ToNative(to), code);
    return FromCode(code);
}

FileError StdFileSystem::DeleteFileAt(const std::string& path) {
    std::error_code code;
    if (!fs::remove(ToNative(path), code)) {
        return code ? FromCode(code) : NotFound();
    }
    return FileError();
}

bool StdFileSystem::ListFiles(const std::string& folder, const std::string& pattern,
                              std::vector<std::string>& names) {
    ++listings;
    std::error_code code;
    fs::directory_iterator it(ToNative(folder), code);
    if (code) {
        return false;
    }
    std::vector<std::string> found;
    for (; it != fs::directory_iterator(); it.increment(code)) {
        if (code) {
            return false;
        }
        const std::string name = it->path().filename().string();
        if (it->is_regular_file(code) && WildcardMatch(pattern, name)) {
            found.push_back(name);
        }
    }
    // A stable order, as the platform's listing gives one.
    std::sort(found.begin(), found.end());
    names.insert(names.end(), found.begin(), found.end());
    return true;
}

bool StdFileSystem::ReadBytes(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    std::error_code code;
    std::ifstream file(ToNative(path), std::ios::binary);
    if (!fs::is_regular_file(ToNative(path), code) || !file) {
        return false;
    }
    std::string read(maxBytes, '\0');
    file.read(&read[0], static_cast<std::streamsize>(maxBytes));
    read.resize(static_cast<std::size_t>(file.gcount()));
    bytes = std::move(read);
    return true;
}

bool StdFileSystem::FileIdentity(const std::string& path, FileId& id) {
    struct stat info;
    if (stat(ToNative(path).c_str(), &info) != 0) {
        return false;
    }
    id.volume = static_cast<std::uint64_t>(info.st_dev);
    id.index = static_cast<std::uint64_t>(info.st_ino);
    return true;
}

bool StdFileSystem::SameContent(const std::string& first, const std::string& second) {
    compared.push_back(second);
    std::ifstream a(ToNative(first), std::ios::binary);
    std::ifstream b(ToNative(second), std::ios::binary);
    if (!a || !b) {
        return false;
    }
    return std::equal(std::istreambuf_iterator<char>(a), std::istreambuf_iterator<char>(),
                      std::istreambuf_iterator<char>(b), std::istreambuf_iterator<char>());
}

bool FailingFileSystem::Fails(FsStep step, const std::string& path,
                              const std::string& other) const {
    return failAt == step && (onlyFor.empty() || path.find(onlyFor) != std::string::npos ||
                              other.find(onlyFor) != std::string::npos);
}

FileError FailingFileSystem::Failure(const FileError& usual) const {
    return failure.failed() ? failure : usual;
}

void FailingFileSystem::Meanwhile(FsStep step, const std::string& path) const {
    if (meanwhile) {
        meanwhile(step, path);
    }
}

bool FailingFileSystem::FileLength(const std::string& path, std::uint64_t& length) {
    Meanwhile(FsStep::Read, path);
    return StdFileSystem::FileLength(path, length);
}

bool FailingFileSystem::ReadBytes(const std::string& path, std::size_t maxBytes,
                                  std::string& bytes) {
    Meanwhile(FsStep::Read, path);
    return StdFileSystem::ReadBytes(path, maxBytes, bytes);
}

FileError FailingFileSystem::WriteBytes(const std::string& path, const std::string& bytes) {
    Meanwhile(FsStep::WriteBytes, path);
    if (Fails(FsStep::WriteBytes, path)) {
        // Stopped part-way, as a full disk would leave it.
        StdFileSystem::WriteBytes(path, bytes.substr(0, bytes.size() / 2));
        return Failure(DiskFull());
    }
    return StdFileSystem::WriteBytes(path, bytes);
}

FileError FailingFileSystem::CheckDeletable(const std::string& path) {
    Meanwhile(FsStep::CheckDeletable, path);
    return Fails(FsStep::CheckDeletable, path) ? Failure(SharingViolation())
                                               : StdFileSystem::CheckDeletable(path);
}

FileError FailingFileSystem::CopyFileTo(const std::string& source, const std::string& target) {
    Meanwhile(FsStep::CopyFileTo, source);
    if (Fails(FsStep::CopyFileTo, source, target)) {
        return Failure(DiskFull());
    }
    if (Fails(FsStep::CopyHalfway, source, target)) {
        // A copy that stops part-way, leaving a partial file, as a full disk would.
        std::ifstream in(ToNative(source), std::ios::binary);
        std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::ofstream out(ToNative(target), std::ios::binary | std::ios::trunc);
        out << content.substr(0, content.size() / 2);
        return Failure(DiskFull());
    }
    return StdFileSystem::CopyFileTo(source, target);
}

FileError FailingFileSystem::RenameFile(const std::string& from, const std::string& to,
                                        bool replace) {
    Meanwhile(FsStep::RenameFile, from);
    return Fails(FsStep::RenameFile, from, to) ? Failure(SharingViolation())
                                               : StdFileSystem::RenameFile(from, to, replace);
}

bool FailingFileSystem::ListFiles(const std::string& folder, const std::string& pattern,
                                  std::vector<std::string>& names) {
    if (failAt == FsStep::List) {
        return false;
    }
    return StdFileSystem::ListFiles(folder, pattern, names);
}

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    path_ = fs::temp_directory_path() /
            ("varnholt test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(path_);
    fs::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code code;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, code);
    fs::remove_all(path_, code);
}

void TempFolder::Write(const std::string& name, const std::string& content) const {
    std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
    out << content;
}

std::string TempFolder::Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool TempFolder::Has(const std::string& name) const {
    return fs::exists(path_ / name);
}

std::vector<std::string> TempFolder::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace varnholt::test
