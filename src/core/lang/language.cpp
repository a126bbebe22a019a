#include "core/lang/language.hpp"

namespace kivprism::lang {

namespace {

bool hasLanguageCode(std::string_view code, std::string_view language) {
  if (!code.starts_with(language)) {
    return false;
  }
  return code.size() == language.size() || code[language.size()] == '-' ||
         code[language.size()] == '_';
}

}  // namespace

Language systemDefaultLanguage(std::string_view uiLanguageCode) {
  if (hasLanguageCode(uiLanguageCode, "ru") || hasLanguageCode(uiLanguageCode, "uk")) {
    return Language::Russian;
  }
  return Language::English;
}

Language languageFromIndex(int index) {
  return index == languageIndex(Language::English) ? Language::English : Language::Russian;
}

std::optional<Language> startLanguage(std::optional<int> storedIndex, Language systemDefault) {
  if (!storedIndex) {
    return systemDefault;
  }
  if (*storedIndex == -1) {
    return std::nullopt;
  }
  return languageFromIndex(*storedIndex);
}

bool isProgramFilledKey(std::string_view key) {
  const std::size_t lastUnderscore = key.rfind('_');
  return lastUnderscore != std::string_view::npos && lastUnderscore > 0 &&
         key[lastUnderscore - 1] == 'x';
}

const LanguageRow* findLanguageRow(std::string_view key, std::span<const LanguageRow> table) {
  if (isProgramFilledKey(key)) {
    return nullptr;
  }
  for (const LanguageRow& row : table) {
    if (row.key == key) {
      return &row;
    }
  }
  return nullptr;
}

}  // namespace kivprism::lang
