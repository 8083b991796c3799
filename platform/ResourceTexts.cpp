#include "ResourceTexts.h"

#include "Text.h"

namespace varnholt {

namespace {

// The text `id` of the string table in `language`: a table's block holds 16 texts, each its
// length in UTF-16 units followed by its characters; an empty one is no text.
bool LoadFromTable(HMODULE module, int id, LANGID language, std::string& text) {
    if (id < 0 || id > 0xFFFF) {
        return false;
    }
    const unsigned number = static_cast<unsigned>(id);
    HRSRC found = FindResourceExW(module, MAKEINTRESOURCEW(6), // RT_STRING
                                  MAKEINTRESOURCEW(number / 16 + 1), language);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const auto* block =
        static_cast<const WCHAR*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    if (block == nullptr) {
        return false;
    }
    const WCHAR* end = block + SizeofResource(module, found) / sizeof(WCHAR);
    const WCHAR* entry = block;
    for (unsigned i = 0; i < number % 16 && entry < end; ++i) {
        entry += 1 + *entry;
    }
    if (entry >= end || *entry == 0 || entry + 1 + *entry > end) {
        return false;
    }
    text = Narrow(std::wstring(entry + 1, *entry));
    return true;
}

} // namespace

LANGID LanguageId(Language language) {
    return language == Language::German ? MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN)
                                        : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

Language DisplayLanguage() {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_GERMAN ? Language::German
                                                                    : Language::English;
}

Language ChosenLanguage(const std::string& lang) {
    return lang == "de" ? Language::German : lang == "en" ? Language::English : DisplayLanguage();
}

bool ResourceTexts::Lookup(int id, std::string& text) const {
    return LoadFromTable(module_, id, LanguageId(language_), text) ||
           (language_ != Language::English &&
            LoadFromTable(module_, id, LanguageId(Language::English), text));
}

} // namespace varnholt
