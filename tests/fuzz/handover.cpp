// The handover of files to the running window: any bytes, read from a buffer of exactly their
// size (the sanitizer stops a read beyond it), give either nothing or at most the most files,
// each a path within the limit, that encode again to the very bytes given; and any list of
// full paths within the limits (the input parted at its zero units) comes back as it went.
#include "Fuzz.h"

#include "core/Handover.h"

#include <cstdint>
#include <cstring>
#include <memory>

using namespace varnholt;
using namespace varnholt::fuzz;

namespace {

void CheckDecode(const std::string& bytes) {
    // A copy of exactly the input's size, so that any read beyond it is caught.
    const std::unique_ptr<char[]> exact(new char[bytes.size() + 1]);
    std::memcpy(exact.get(), bytes.data(), bytes.size());
    std::vector<std::u16string> files = {u"left from before"};
    const bool taken = DecodeHandedFiles(exact.get(), bytes.size(), files);
    const std::string detail = "the block " + Quoted(bytes);
    FUZZ_CHECK(taken == !files.empty() && files.size() <= HANDOVER_MAX_FILES, detail);
    for (const std::u16string& file : files) {
        FUZZ_CHECK(!file.empty() && file.size() <= HANDOVER_MAX_PATH, detail);
    }
    // Nothing taken but what the block says: the paths encode again to the very block.
    FUZZ_CHECK(!taken || EncodeHandedFiles(files) == bytes, detail);
}

// The input's code units parted at their zeros, each made a full path: they come back as sent.
void CheckRoundTrip(const std::string& bytes) {
    std::vector<std::u16string> files = {u"C:\\"};
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                (static_cast<unsigned char>(bytes[i + 1]) << 8));
        if (unit == u'\0' && files.size() < HANDOVER_MAX_FILES) {
            files.emplace_back(u"C:\\");
        } else if (unit != u'\0') {
            files.back() += unit;
        }
    }
    const std::string block = EncodeHandedFiles(files);
    std::vector<std::u16string> back;
    FUZZ_CHECK(DecodeHandedFiles(block.data(), block.size(), back) && back == files,
               "the block " + Quoted(block));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    CheckDecode(input);
    CheckRoundTrip(input);
    return 0;
}
