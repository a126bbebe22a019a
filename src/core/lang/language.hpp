// Which language the program starts in and how the settings value and the language switch map
// onto it.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "core/lang/text.hpp"

namespace kivprism::lang {

// Russian for a Russian or Ukrainian user interface (language code "ru" or "uk", with or without a
// region), English for every other.
Language systemDefaultLanguage(std::string_view uiLanguageCode);

// The language switch: 1 selects English, every other value Russian.
Language languageFromIndex(int index);

// The language at start: the stored index when present, else the system's. A stored -1 means
// "apply nothing": the program keeps its Russian design texts and no language is applied.
std::optional<Language> startLanguage(std::optional<int> storedIndex, Language systemDefault);

// One row of the language table: the key is form name, "_", control name and a property suffix
// ("_Caption", "_Hint", "_Items").
struct LanguageRow {
  std::string_view key;
  TextPair text;
};

// Controls whose names end in x are filled by the program itself; their keys are never looked up.
bool isProgramFilledKey(std::string_view key);

// The first row with exactly this key; nothing for program-filled keys.
const LanguageRow* findLanguageRow(std::string_view key, std::span<const LanguageRow> table);

}  // namespace kivprism::lang
