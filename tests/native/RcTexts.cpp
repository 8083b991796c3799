#include "RcTexts.h"

#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace varnholt::test {

namespace {

std::string Source(const std::string& relative) {
    return std::string(VARNHOLT_SOURCE_DIR) + "/" + relative;
}

// A string of the resource compiler: "" is a quotation mark, \r \n \t \\ their characters.
bool Unquote(const std::string& quoted, std::string& text) {
    text.clear();
    for (std::size_t i = 0; i < quoted.size(); ++i) {
        const char c = quoted[i];
        const char next = i + 1 < quoted.size() ? quoted[i + 1] : '\0';
        if (c == '"' && next == '"') {
            text += '"';
            ++i;
        } else if (c == '"') {
            return false; // a lone quotation mark ends the string early
        } else if (c == '\\') {
            switch (next) {
            case 'r':
                text += '\r';
                break;
            case 'n':
                text += '\n';
                break;
            case 't':
                text += '\t';
                break;
            case '\\':
                text += '\\';
                break;
            default:
                return false;
            }
            ++i;
        } else {
            text += c;
        }
    }
    return true;
}

// Installs the English table before any test runs.
[[maybe_unused]] const bool g_englishInUse = (UseTextSource(&EnglishTable()), true);

} // namespace

const std::map<std::string, int>& TextIds() {
    static const std::map<std::string, int> ids = [] {
        std::map<std::string, int> found;
        std::ifstream in(Source("core/TextIds.h"));
        const std::regex define(R"(^#define\s+(IDS_\w+)\s+(\d+)\s*$)");
        std::string line;
        std::smatch m;
        while (std::getline(in, line)) {
            if (std::regex_match(line, m, define)) {
                found[m[1]] = std::stoi(m[2]);
            }
        }
        if (found.empty()) {
            throw std::runtime_error("no text numbers in core/TextIds.h");
        }
        return found;
    }();
    return ids;
}

RcTable::RcTable(const std::string& rcFile, Language language) : language_(language) {
    std::ifstream in(Source(rcFile));
    if (!in) {
        throw std::runtime_error("cannot read " + rcFile);
    }
    const std::regex entry(R"re(^\s*(IDS_\w+)\s+"(.*)"\s*$)re");
    const std::regex other(R"re(^\s*(|//.*|#pragma .*|LANGUAGE .*|STRINGTABLE|BEGIN|END)\s*$)re");
    std::string line;
    std::smatch m;
    while (std::getline(in, line)) {
        if (std::regex_match(line, m, entry)) {
            const auto id = TextIds().find(m[1]);
            std::string text;
            if (id == TextIds().end() || !Unquote(m[2], text) ||
                !texts.emplace(id->second, text).second) {
                problems.push_back(line);
            }
        } else if (!std::regex_match(line, other)) {
            problems.push_back(line);
        }
    }
}

bool RcTable::Lookup(int id, std::string& text) const {
    const auto it = texts.find(id);
    if (it == texts.end()) {
        return false;
    }
    text = it->second;
    return true;
}

const RcTable& EnglishTable() {
    static const RcTable table("app/texts/en.rc", Language::English);
    return table;
}

const RcTable& GermanTable() {
    static const RcTable table("app/texts/de.rc", Language::German);
    return table;
}

} // namespace varnholt::test
