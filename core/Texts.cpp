#include "Texts.h"

namespace varnholt {

namespace {

const TextSource* g_source = nullptr;

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

} // namespace varnholt
