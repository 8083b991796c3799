#include "Handover.h"

#include "Texts.h"

namespace varnholt {

namespace {

// A path of a drive ("C:\...") or a network share ("\\server\..."), which means the same file
// in every process; a relative one would be resolved in the receiver's working folder.
bool IsFullPath(const std::u16string& path) {
    const auto letter = [](char16_t c) {
        return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    };
    return (path.size() >= 3 && letter(path[0]) && path[1] == u':' &&
            (path[2] == u'\\' || path[2] == u'/')) ||
           (path.size() >= 3 && path[0] == u'\\' && path[1] == u'\\');
}

} // namespace

std::string EncodeHandedFiles(const std::vector<std::u16string>& files) {
    std::string block;
    for (const std::u16string& file : files) {
        for (const char16_t unit : file + u'\0') {
            block += static_cast<char>(unit & 0xFF);
            block += static_cast<char>(unit >> 8);
        }
    }
    return block;
}

bool DecodeHandedFiles(const void* data, std::size_t size, std::vector<std::u16string>& files) {
    files.clear();
    if (data == nullptr || size == 0 || size % 2 != 0 || size > HANDOVER_MAX_BYTES) {
        return false;
    }
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::u16string path;
    bool broken = false;
    for (std::size_t i = 0; i < size && !broken; i += 2) {
        const auto unit = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
        if (unit != u'\0') {
            path += unit;
            broken = path.size() > HANDOVER_MAX_PATH;
        } else if (IsFullPath(path) && files.size() < HANDOVER_MAX_FILES) {
            files.push_back(path);
            path.clear();
        } else {
            broken = true;
        }
    }
    // What is left over is a path without its end.
    const bool whole = !broken && path.empty();
    if (!whole) {
        files.clear();
    }
    return whole;
}

std::string NotAddedText(const std::vector<std::string>& files, int reason) {
    // A message box of hundreds of lines would run off the screen.
    const std::size_t SHOWN = 10;
    std::string list;
    for (std::size_t i = 0; i < files.size() && i < SHOWN; ++i) {
        list += (i == 0 ? "" : "\r\n") + files[i];
    }
    if (files.size() > SHOWN) {
        list += "\r\n" + Text(IDS_HANDOVER_MORE, {std::to_string(files.size() - SHOWN)});
    }
    return Text(IDS_HANDOVER_NOT_ADDED, {list, Text(reason)});
}

} // namespace varnholt
