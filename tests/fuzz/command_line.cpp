// The command line: any line split, its arguments quoted and joined, splits again into the same
// arguments, and so does any list of arguments (the input parted at its zero bytes); what the
// parse of either finds, written back as a command line, is found again, and a bad line's
// problem reads as a whole text in both languages.
#include "Fuzz.h"
#include "tests/native/RcTexts.h"

#include "core/CommandLine.h"
#include "core/CommandLineRun.h"

#include <cstdint>
#include <tuple>

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

// The arguments that ask for what `line` holds: its switches in lower case after "/", or in
// upper case after "-".
std::vector<std::string> WrittenBack(const CommandLine& line, bool upper) {
    std::vector<std::string> arguments = line.files;
    const auto add = [&](bool wanted, const char* name, std::vector<std::string> values = {}) {
        if (wanted) {
            arguments.push_back(upper ? "-" + AsciiCase(name, 'A') : std::string("/") + name);
            arguments.insert(arguments.end(), values.begin(), values.end());
        }
    };
    add(line.activate, "activate", {line.name});
    add(line.start, "start");
    add(line.quiet, "quiet");
    add(line.help, upper ? "help" : "?");
    add(!line.lang.empty(), "lang", {upper ? AsciiCase(line.lang, 'A') : line.lang});
    add(line.add, "add", {line.addFile});
    add(line.named, "as", {line.asName});
    return arguments;
}

// All that a parse finds, to compare two.
auto Found(const CommandLine& l) {
    return std::tie(l.activate, l.name, l.start, l.quiet, l.help, l.add, l.addFile, l.named,
                    l.asName, l.files, l.lang, l.error);
}

void CheckParse(const std::vector<std::string>& arguments) {
    const CommandLine line = ParseCommandLine(arguments);
    const std::string detail = "arguments " + Listed(arguments);
    if (line.error == 0) {
        // What the parse found, quoted back into a command line in either letter case, is
        // found again: nothing lost, nothing taken for something else.
        for (bool upper : {false, true}) {
            const std::vector<std::string> written = WrittenBack(line, upper);
            const CommandLine again = ParseCommandLine(SplitCommandLine(Joined(written)));
            FUZZ_CHECK(Found(again) == Found(line), detail + "read back from " + Listed(written));
        }
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
