#include "Win32FileSystem.h"

#include "Handles.h"
#include "Text.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace varnholt {

namespace {

FileError LastError() {
    const DWORD code = GetLastError();
    FileError error;
    error.number = code == 0 ? ERROR_GEN_FAILURE : code;
    error.description = ErrorText(error.number);
    return error;
}

FileError Failure(DWORD code) {
    SetLastError(code);
    return LastError();
}

} // namespace

bool Win32FileSystem::FileLength(const std::string& path, std::uint64_t& length) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;
    }
    length = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

bool Win32FileSystem::FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::ReadFirstLine(const std::string& path, std::size_t maxBytes,
                                    std::string& line) {
    std::string bytes;
    if (!ReadBytes(path, maxBytes, bytes)) {
        return false;
    }
    line = FirstLineOf(bytes);
    return true;
}

std::string Win32FileSystem::FirstLineOf(const std::string& bytes) {
    return AnsiToUtf8(bytes.substr(0, bytes.find('\r')));
}

FileError Win32FileSystem::CheckDeletable(const std::string& path) {
    const std::wstring wide = Widen(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return LastError();
    }
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
        return Failure(ERROR_ACCESS_DENIED);
    }
    // Opening for deletion fails while another program holds the file without sharing it.
    const FileHandle file(CreateFileW(wide.c_str(), DELETE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return LastError();
    }
    return FileError();
}

FileError Win32FileSystem::CopyFileTo(const std::string& source, const std::string& target) {
    const std::wstring to = Widen(target);
    // A scratch file left by an interrupted run may carry attributes that block the copy.
    SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!CopyFileW(Widen(source).c_str(), to.c_str(), FALSE)) {
        return LastError();
    }
    // The copy keeps the source's attributes; a read-only variant must not make the game's
    // current file read-only.
    const DWORD attributes = GetFileAttributesW(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetFileAttributesW(to.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    }
    const FileHandle file(CreateFileW(to.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file || !FlushFileBuffers(file.get())) {
        return LastError();
    }
    return FileError();
}

FileError Win32FileSystem::WriteBytes(const std::string& path, const std::string& bytes) {
    const std::wstring wide = Widen(path);
    // A scratch file left by an interrupted run may carry attributes that block the writing.
    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
    const FileHandle file(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return LastError();
    }
    for (std::size_t done = 0; done < bytes.size();) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes.data() + done, want, &written, nullptr)) {
            return LastError();
        }
        if (written == 0) {
            return Failure(ERROR_WRITE_FAULT);
        }
        done += written;
    }
    if (!FlushFileBuffers(file.get())) {
        return LastError();
    }
    return FileError();
}

FileError Win32FileSystem::RenameFile(const std::string& from, const std::string& to,
                                      bool replace) {
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    if (!MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), flags)) {
        return LastError();
    }
    return FileError();
}

FileError Win32FileSystem::DeleteFileAt(const std::string& path) {
    if (!DeleteFileW(Widen(path).c_str())) {
        return LastError();
    }
    return FileError();
}

namespace {

// Calls `found` with the find data of each ordinary file of `folder` that matches `pattern`.
// False when the listing failed outright; the files found until then have been delivered.
template <typename Found>
bool ListOrdinaryFiles(const std::string& folder, const std::string& pattern, Found found) {
    WIN32_FIND_DATAW data;
    const FindHandle find(FindFirstFileExW(Widen(folder + pattern).c_str(), FindExInfoBasic, &data,
                                           FindExSearchNameMatch, nullptr,
                                           FIND_FIRST_EX_LARGE_FETCH));
    if (!find) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES;
    }
    bool complete = true;
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            found(data);
        }
        if (!FindNextFileW(find.get(), &data)) {
            complete = GetLastError() == ERROR_NO_MORE_FILES;
            break;
        }
    } while (true);
    return complete;
}

} // namespace

bool Win32FileSystem::ListFiles(const std::string& folder, const std::string& pattern,
                                std::vector<std::string>& names) {
    return ListOrdinaryFiles(folder, pattern, [&names](const WIN32_FIND_DATAW& data) {
        names.push_back(Narrow(data.cFileName));
    });
}

bool Win32FileSystem::ListFilesWithLengths(const std::string& folder, const std::string& pattern,
                                           std::vector<FileEntry>& entries) {
    return ListOrdinaryFiles(folder, pattern, [&entries](const WIN32_FIND_DATAW& data) {
        entries.push_back(
            {Narrow(data.cFileName),
             (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow});
    });
}

bool Win32FileSystem::ReadBytes(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    const FileHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        return false;
    }
    std::string read(maxBytes, '\0');
    std::size_t total = 0;
    while (total < maxBytes) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(maxBytes - total, 1 << 20));
        DWORD got = 0;
        if (!ReadFile(file.get(), &read[total], want, &got, nullptr)) {
            return false;
        }
        total += got;
        // A short read is the file's end: the first line of a small file costs one read.
        if (got < want) {
            break;
        }
    }
    read.resize(total);
    bytes = std::move(read);
    return true;
}

bool Win32FileSystem::FileIdentity(const std::string& path, FileId& id) {
    // No access but to the attributes, and folders too: a file that the game holds open without
    // sharing still tells who it is.
    const FileHandle file(CreateFileW(Widen(path).c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!file || !GetFileInformationByHandle(file.get(), &info)) {
        return false;
    }
    id.volume = info.dwVolumeSerialNumber;
    id.index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    // Some network file systems give every file the index 0, and ReFS gives every file whose
    // identity does not fit in 64 bits the index of all ones: neither tells anything.
    return id.index != 0 && id.index != ~static_cast<std::uint64_t>(0);
}

bool Win32FileSystem::SameContent(const std::string& first, const std::string& second) {
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    const FileHandle a(CreateFileW(Widen(first).c_str(), GENERIC_READ, share, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    const FileHandle b(CreateFileW(Widen(second).c_str(), GENERIC_READ, share, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER sizeA, sizeB;
    if (!a || !b || !GetFileSizeEx(a.get(), &sizeA) || !GetFileSizeEx(b.get(), &sizeB) ||
        sizeA.QuadPart != sizeB.QuadPart) {
        return false;
    }
    constexpr DWORD CHUNK = 64 * 1024;
    std::vector<char> bufferA(CHUNK), bufferB(CHUNK);
    LONGLONG left = sizeA.QuadPart;
    while (left > 0) {
        const DWORD want = left < CHUNK ? static_cast<DWORD>(left) : CHUNK;
        DWORD readA = 0, readB = 0;
        if (!ReadFile(a.get(), bufferA.data(), want, &readA, nullptr) ||
            !ReadFile(b.get(), bufferB.data(), want, &readB, nullptr) || readA != want ||
            readB != want || std::memcmp(bufferA.data(), bufferB.data(), want) != 0) {
            return false;
        }
        left -= want;
    }
    return true;
}

} // namespace varnholt
