// The texts the player reads, in the language shown. They lie in the program's string tables,
// one per language, under the numbers of TextIds.h; the program entry chooses the language and
// hands the table's reader to UseTextSource before anything is shown.
#pragma once

#include "TextIds.h"

#include <initializer_list>
#include <string>

namespace varnholt {

enum class Language { English, German };

// Reads the texts of one language.
class TextSource {
  public:
    virtual ~TextSource() = default;
    // The text with the number `id`, UTF-8; false when the table has none.
    virtual bool Lookup(int id, std::string& text) const = 0;
    virtual Language language() const = 0;
};

// Makes `source` the one every later Text call reads, until the next call (null: none). The
// caller keeps it alive meanwhile.
void UseTextSource(const TextSource* source);
// The language of the texts shown; English when no source is in use.
Language ShownLanguage();

// The text with the number `id` in the language shown. A number no table holds gives "#" and
// the number, so that a missing text shows instead of an empty caption.
std::string Text(int id);
// The same text with %1, %2, ... replaced by the arguments in that order, in one pass: what an
// argument holds is never replaced again. "%%" is a percent sign.
std::string Text(int id, std::initializer_list<std::string> arguments);
std::string FormatText(const std::string& pattern, std::initializer_list<std::string> arguments);

} // namespace varnholt
