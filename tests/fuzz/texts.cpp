// The text formatter over every template of both languages and over any pattern: %1 to %9
// take the argument of that number where there is one, "%%" is a percent sign, everything else
// stays, and what an argument holds is never replaced again. It never reads past its arguments
// (the address sanitizer watches).
#include "Fuzz.h"
#include "tests/native/RcTexts.h"

#include "core/Texts.h"

#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <iterator>
#include <vector>

using namespace varnholt;
using namespace varnholt::fuzz;

namespace {

// The formatted text, token by token: a percent sign and the character after it are one token.
std::string Reference(const std::string& pattern, const std::vector<std::string>& arguments) {
    std::string out;
    std::size_t i = 0;
    while (i < pattern.size()) {
        if (pattern[i] != '%' || i + 1 == pattern.size()) {
            out += pattern[i++];
            continue;
        }
        const char next = pattern[i + 1];
        const std::size_t number = next >= '1' && next <= '9' ? std::size_t(next - '0') : 0;
        if (next == '%') {
            out += '%';
        } else if (number >= 1 && number <= arguments.size()) {
            out += arguments[number - 1];
        } else {
            out += '%';
            ++i; // the next character is looked at again
            continue;
        }
        i += 2;
    }
    return out;
}

std::string Format(const std::string& pattern, const std::vector<std::string>& a) {
    switch (a.size()) {
    case 0:
        return FormatText(pattern, {});
    case 1:
        return FormatText(pattern, {a[0]});
    case 2:
        return FormatText(pattern, {a[0], a[1]});
    default:
        return FormatText(pattern, {a[0], a[1], a[2]});
    }
}

void Check(const std::string& pattern, const std::vector<std::string>& arguments) {
    const std::string got = Format(pattern, arguments);
    FUZZ_CHECK(got == Reference(pattern, arguments), Quoted(pattern) + " with " +
                                                         std::to_string(arguments.size()) +
                                                         " arguments gave " + Quoted(got));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    std::vector<std::string> arguments(input.ConsumeIntegralInRange<std::size_t>(0, 3));
    for (std::string& argument : arguments) {
        argument = input.ConsumeRandomLengthString(64);
    }
    // One template of either language per input: over a run, every one of them.
    const test::RcTable& table = input.ConsumeBool() ? test::EnglishTable() : test::GermanTable();
    auto entry = table.texts.begin();
    std::advance(entry, input.ConsumeIntegralInRange<std::size_t>(0, table.texts.size() - 1));
    Check(entry->second, arguments);
    Check(input.ConsumeRemainingBytesAsString(), arguments);
    return 0;
}
