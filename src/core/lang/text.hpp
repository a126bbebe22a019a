// Every user-visible text is a pair: Russian and its English twin. The current language picks one
// at the moment the text is used, so a language switch needs no re-creation of stored texts.
#pragma once

#include <string>
#include <string_view>

namespace kivprism::lang {

enum class Language { Russian = 0, English = 1 };

struct TextPair {
  std::string_view ru;
  std::string_view en;

  constexpr std::string_view in(Language language) const {
    return language == Language::Russian ? ru : en;
  }
};

Language currentLanguage();
void setCurrentLanguage(Language language);
// The language index as the settings file stores it: 0 Russian, 1 English.
inline int languageIndex(Language language) { return static_cast<int>(language); }

// The text of the pair in the current language.
std::string_view translateText(const TextPair& pair);

// printf-style formatting of a text that carries %s, %d, %u and the like.
std::string formatText(std::string_view format, ...);

}  // namespace kivprism::lang
