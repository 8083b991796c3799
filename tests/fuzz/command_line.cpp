// The command line: any line split, its arguments quoted and joined, splits again into the same
// arguments, and so does any list of arguments (the input parted at its zero bytes); the parse
// of either never fails, its result keeps its own rules, and a bad line's problem reads as a
// whole text in both languages.
#include "Fuzz.h"
#include "tests/native/RcTexts.h"

#include "core/CommandLine.h"
#include "core/CommandLineRun.h"

#include <cstdint>

using namespace varnholt;
using namespace varnholt::fuzz;

namespace {

std::string Joined(const std::vector<std::string>& arguments) {
    std::string line = "\"C:\\Program Files\\Varnholt\\varnholt.exe\"";
    for (const std::string& argument : arguments) {
        line += " " + QuoteArgument(argument);
    }
    return line;
}

std::string Listed(const std::vector<std::string>& arguments) {
    std::string text;
    for (const std::string& argument : arguments) {
        text += Quoted(argument) + " ";
    }
    return text;
}

void CheckRoundTrip(const std::vector<std::string>& arguments) {
    const std::string line = Joined(arguments);
    FUZZ_CHECK(SplitCommandLine(line) == arguments,
               "quoted as " + Quoted(line) + ", the arguments " + Listed(arguments) +
                   "split into " + Listed(SplitCommandLine(line)));
}

bool IsSwitch(const std::string& argument) {
    return argument.size() > 1 && (argument[0] == '/' || argument[0] == '-');
}

void CheckParse(const std::vector<std::string>& arguments) {
    const CommandLine line = ParseCommandLine(arguments);
    const std::string detail = "arguments " + Listed(arguments);
    if (line.error == 0) {
        FUZZ_CHECK(!line.activate || (!line.name.empty() && !IsSwitch(line.name)), detail);
        FUZZ_CHECK(!line.quiet || line.help || line.activate || line.start || line.add, detail);
        FUZZ_CHECK(!line.named || line.add, detail);
        FUZZ_CHECK(line.lang.empty() || line.lang == "de" || line.lang == "en", detail);
        FUZZ_CHECK(!arguments.empty() || !line.RunsWithoutWindow(), detail);
        return;
    }
    FUZZ_CHECK(line.RunsWithoutWindow(), detail);
    for (const test::RcTable* table : {&test::EnglishTable(), &test::GermanTable()}) {
        test::InLanguage language(*table);
        const std::string problem = CommandLineProblem(line);
        FUZZ_CHECK(!problem.empty() && problem[0] != '#' &&
                       problem.find(line.errorArgument) != std::string::npos,
                   detail + "gave the problem " + Quoted(problem));
        FUZZ_CHECK(UsageText(problem, nullptr).find(problem) == 0, detail);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    // As a whole command line: the program's name first.
    const std::vector<std::string> split = SplitCommandLine(input);
    CheckRoundTrip(split);
    CheckParse(split);
    // As a list of arguments.
    std::vector<std::string> arguments;
    std::size_t start = 0;
    for (std::size_t zero; (zero = input.find('\0', start)) != std::string::npos;
         start = zero + 1) {
        arguments.push_back(input.substr(start, zero - start));
    }
    arguments.push_back(input.substr(start));
    CheckRoundTrip(arguments);
    CheckParse(arguments);
    return 0;
}
