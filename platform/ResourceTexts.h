// The texts the player reads, from the string tables of the program's resources, and the
// language Windows shows its own texts in.
#pragma once

#include "../core/Texts.h"

#include <windows.h>

namespace varnholt {

// The resource language of a string table: German (Germany) or English (United States).
LANGID LanguageId(Language language);

// The user's Windows display language: German for every German variant, else English.
Language DisplayLanguage();

// The language the program shows: the one the command line asks for with /lang (`lang` as the
// parsed command line holds it: "de", "en" or empty), else the display language.
Language ChosenLanguage(const std::string& lang);

// Reads the string table of one language from the resources of `module`. A text the table
// lacks comes from the English table.
class ResourceTexts : public TextSource {
  public:
    ResourceTexts(HMODULE module, Language language) : module_(module), language_(language) {}
    bool Lookup(int id, std::string& text) const override;
    Language language() const override { return language_; }

  private:
    HMODULE module_;
    Language language_;
};

// Puts the texts of `language` in use for the lifetime of this object.
class ScopedTexts {
  public:
    ScopedTexts(HMODULE module, Language language) : texts_(module, language) {
        UseTextSource(&texts_);
    }
    ~ScopedTexts() { UseTextSource(nullptr); }
    ScopedTexts(const ScopedTexts&) = delete;
    ScopedTexts& operator=(const ScopedTexts&) = delete;

  private:
    ResourceTexts texts_;
};

} // namespace varnholt
