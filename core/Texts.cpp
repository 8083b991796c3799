#include "Texts.h"

#include <cctype>
#include <vector>

namespace varnholt {

namespace {

const TextSource* g_source = nullptr;

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// The words of a command line: separated by blanks and tabs, a quoted part kept whole.
std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, inWord = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord) {
                words.push_back(word);
            }
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(word);
    }
    return words;
}

} // namespace

void UseTextSource(const TextSource* source) {
    g_source = source;
}

Language ShownLanguage() {
    return g_source != nullptr ? g_source->language() : Language::English;
}

std::string Text(int id) {
    std::string text;
    if (g_source == nullptr || !g_source->Lookup(id, text)) {
        return "#" + std::to_string(id);
    }
    return text;
}

std::string Text(int id, std::initializer_list<std::string> arguments) {
    return FormatText(Text(id), arguments);
}

std::string FormatText(const std::string& pattern, std::initializer_list<std::string> arguments) {
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next == '%') {
            out += '%';
            ++i;
        } else if (pattern[i] == '%' && next >= '1' && next <= '9' &&
                   static_cast<std::size_t>(next - '1') < arguments.size()) {
            out += *(arguments.begin() + (next - '1'));
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::optional<Language> LanguageOption(const std::string& commandLine) {
    const std::vector<std::string> words = Words(commandLine);
    for (std::size_t i = 1; i + 1 < words.size(); ++i) {
        const std::string option = Lower(words[i]);
        if (option != "/lang" && option != "-lang") {
            continue;
        }
        const std::string code = Lower(words[i + 1]);
        if (code == "de") {
            return Language::German;
        }
        if (code == "en") {
            return Language::English;
        }
    }
    return std::nullopt;
}

} // namespace varnholt
