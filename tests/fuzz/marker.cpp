// The first line of a data file and its marker: whatever bytes a data file begins with, the
// line read is UTF-8, its marker is the line's code points without the spaces at both ends and
// without the first one, and the description of the list (trimmed, then cut) is the same marker
// as the identification's (cut from the line whole). Raw bytes handed to the text helpers are
// never read past their end, and a valid UTF-8 text stays one. A name compared without regard
// to letter case gives the same form in any case of its letters and loses none of its other
// characters, whatever the casing table.
#include "Fuzz.h"
#include "tests/native/Doubles.h"
#include "tests/native/MemoryFileSystem.h"

#include "core/Marker.h"
#include "core/Texts.h"

#include <cstdint>

using namespace varnholt;
using namespace varnholt::fuzz;

namespace {

// The marker by code points: the spaces U+0020 at both ends removed, then the first dropped.
std::string ReferenceMarker(const std::u32string& line) {
    std::size_t first = 0, last = line.size();
    while (first < last && line[first] == U' ') {
        ++first;
    }
    while (last > first && line[last - 1] == U' ') {
        --last;
    }
    return first == last ? std::string() : EncodeUtf8(line.substr(first + 1, last - first - 1));
}

// The ASCII characters that are no letters, in their order: no casing changes them.
std::string AsciiNonLetters(const std::string& text) {
    std::string kept;
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x80 && !AsciiLetter(c)) {
            kept += c;
        }
    }
    return kept;
}

void CheckTextHelpers(const std::string& bytes) {
    const std::string dropped = DropFirstCharacter(bytes);
    FUZZ_CHECK(dropped.size() <= bytes.size() &&
                   bytes.compare(bytes.size() - dropped.size(), dropped.size(), dropped) == 0,
               "dropping the first character of " + Quoted(bytes) + " gave " + Quoted(dropped));
    std::u32string codePoints;
    if (!DecodeUtf8(bytes, codePoints)) {
        return;
    }
    const std::string lower = LowerName(bytes);
    FUZZ_CHECK(IsUtf8(dropped) && IsUtf8(lower),
               "valid UTF-8 " + Quoted(bytes) + " gave " + Quoted(dropped) + ", " + Quoted(lower));
    const std::string detail = Quoted(bytes) + " compared as " + Quoted(lower);
    FUZZ_CHECK(LowerName(AsciiCase(bytes, 'A')) == lower &&
                   LowerName(AsciiCase(bytes, 'a')) == lower,
               detail);
    FUZZ_CHECK(AsciiNonLetters(lower) == AsciiNonLetters(bytes), detail);
    FUZZ_CHECK(MarkerOf(bytes) == ReferenceMarker(codePoints),
               "marker of " + Quoted(bytes) + " is " + Quoted(MarkerOf(bytes)));
}

// The description of the list as the start-up builds it for a further file.
std::string Description(const std::string& path, test::MemoryFileSystem& files) {
    test::FakeRegistry registry;
    test::FakeSettings settings;
    test::FakePicker picker;
    test::FakeLauncherFactory launchers;
    test::FakeClock clock;
    test::FakeControls ui;
    modVarnholt folders;
    FormLogic logic(
        FormServices{{registry, settings, files, picker, launchers, folders, clock}, ui});
    return logic.GetDescr(path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckTextHelpers(bytes);

    // The same bytes as the start of a data file, read as the program reads a first line.
    const std::string path = "C:\\Game\\Data\\BGruppen_Fuzz.dat";
    test::MemoryFileSystem files;
    files.Write(path, bytes);
    std::string line;
    FUZZ_CHECK(files.ReadFirstLine(path, FIRST_LINE_LIMIT, line), "no first line");
    std::u32string codePoints;
    FUZZ_CHECK(DecodeUtf8(line, codePoints), "first line " + Quoted(line) + " is no UTF-8");
    const std::string marker = MarkerOf(line);
    FUZZ_CHECK(marker == ReferenceMarker(codePoints),
               "marker of " + Quoted(line) + " is " + Quoted(marker));
    const std::string description = Description(path, files);
    FUZZ_CHECK(description == (TrimSpaces(line).empty() ? Text(IDS_NO_DESCRIPTION) : marker),
               "description " + Quoted(description) + " against marker " + Quoted(marker));
    return 0;
}
