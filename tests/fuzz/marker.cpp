// The first line of a data file and its marker: whatever bytes a data file begins with, the
// line read is UTF-8, its marker is the line's code points without the spaces at both ends and
// without the first one, and the description of the list (trimmed, then cut) is the same marker
// as the identification's (cut from the line whole). Raw bytes handed to the text helpers are
// never read past their end, and a valid UTF-8 text stays one. A name compared without regard
// to letter case gives the same form in any case of its letters, one character for each of its
// own, none of them dropped, whatever the casing table; and two names compare the same exactly
// where the tests' own rule of letter case says so.
#include "Fuzz.h"
#include "World.h"
#include "tests/native/OtherCase.h"

#include "core/Marker.h"
#include "core/Texts.h"

#include <algorithm>
#include <cstdint>

using namespace varnholt;
using namespace varnholt::fuzz;

namespace {

// Whether `marker` is the marker of `line` by code points: the spaces U+0020 at both ends
// removed, then the first dropped (UTF-8 has one form for each text, so the code points decide).
bool IsMarkerOf(const std::string& marker, const std::u32string& line) {
    std::size_t first = 0, last = line.size();
    while (first < last && line[first] == U' ') {
        ++first;
    }
    while (last > first && line[last - 1] == U' ') {
        --last;
    }
    std::u32string got;
    return DecodeUtf8(marker, got) &&
           got == (first == last ? U"" : line.substr(first + 1, last - first - 1));
}

// The ASCII characters that are no letters, in their order: no casing changes them.
std::string AsciiNonLetters(std::string text) {
    const auto other = [](char c) {
        return static_cast<unsigned char>(c) >= 0x80 || AsciiLetter(c);
    };
    text.erase(std::remove_if(text.begin(), text.end(), other), text.end());
    return text;
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
    // Each character to one character: none dropped, none merged.
    std::u32string lowered;
    FUZZ_CHECK(DecodeUtf8(lower, lowered) && lowered.size() == codePoints.size() &&
                   AsciiNonLetters(lower) == AsciiNonLetters(bytes),
               detail);
    // In another letter case, written by the tests' own rule, and against another name.
    const auto otherLower = [](char32_t) { return test::LetterCase::OtherLower; };
    for (const std::string& other :
         {test::InUpperCase(bytes), test::InLowerCase(bytes), test::WithCase(bytes, otherLower)}) {
        FUZZ_CHECK(LowerName(other) == lower,
                   detail + ", " + Quoted(other) + " as " + Quoted(LowerName(other)));
    }
    const std::string first = bytes.substr(0, bytes.size() / 2);
    const std::string second = bytes.substr(bytes.size() / 2);
    if (IsUtf8(first) && IsUtf8(second)) {
        FUZZ_CHECK((LowerName(first) == LowerName(second)) ==
                       (test::InUpperCase(first) == test::InUpperCase(second)),
                   Quoted(first) + " against " + Quoted(second));
    }
    FUZZ_CHECK(IsMarkerOf(MarkerOf(bytes), codePoints),
               "marker of " + Quoted(bytes) + " is " + Quoted(MarkerOf(bytes)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckTextHelpers(bytes);

    // The same bytes as the start of a data file, read as the program reads a first line.
    const std::string path = "C:\\Game\\Data\\BGruppen_Fuzz.dat";
    World w;
    w.files.Write(path, bytes);
    std::string line;
    FUZZ_CHECK(w.files.ReadFirstLine(path, FIRST_LINE_LIMIT, line), "no first line");
    std::u32string codePoints;
    FUZZ_CHECK(DecodeUtf8(line, codePoints), "first line " + Quoted(line) + " is no UTF-8");
    const std::string marker = MarkerOf(line);
    FUZZ_CHECK(IsMarkerOf(marker, codePoints),
               "marker of " + Quoted(line) + " is " + Quoted(marker));
    test::FakeControls ui;
    // The description of the list as the start-up builds it for a further file.
    const std::string description = FormLogic(FormServices{w.system, ui}).GetDescr(path);
    FUZZ_CHECK(description == (TrimSpaces(line).empty() ? Text(IDS_NO_DESCRIPTION) : marker),
               "description " + Quoted(description) + " against marker " + Quoted(marker));
    return 0;
}
