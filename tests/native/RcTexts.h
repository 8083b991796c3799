// The program's string tables as the native tests read them: straight from the resource
// sources, so that the English texts exist in one place only. The English table is in use for
// every native test unless a test puts another language in use for its own run.
#pragma once

#include "core/Texts.h"

#include <map>
#include <string>
#include <vector>

namespace varnholt::test {

// A language's table: each text's number and its text (UTF-8, escapes resolved).
class RcTable : public TextSource {
  public:
    RcTable(const std::string& rcFile, Language language);
    bool Lookup(int id, std::string& text) const override;
    Language language() const override { return language_; }

    std::map<int, std::string> texts;
    // Lines of the table the reader did not understand, and names without a number.
    std::vector<std::string> problems;

  private:
    Language language_;
};

// The numbers of core/TextIds.h by their names.
const std::map<std::string, int>& TextIds();
const RcTable& EnglishTable();
const RcTable& GermanTable();

// Puts another table in use while it lives; the English one afterwards.
class InLanguage {
  public:
    explicit InLanguage(const TextSource& table) { UseTextSource(&table); }
    ~InLanguage() { UseTextSource(&EnglishTable()); }
    InLanguage(const InLanguage&) = delete;
    InLanguage& operator=(const InLanguage&) = delete;
};

} // namespace varnholt::test
