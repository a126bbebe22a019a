#include "core/lang/text.hpp"

#include <cstdarg>
#include <cstdio>

namespace kivprism::lang {

namespace {
// One program, one user, one user-interface thread: the language is program-wide state.
Language gLanguage = Language::Russian;
}  // namespace

Language currentLanguage() { return gLanguage; }

void setCurrentLanguage(Language language) { gLanguage = language; }

// A pair without its English twin shows the Russian text in both languages.
std::string_view translateText(const TextPair& pair) {
  const std::string_view text = pair.in(gLanguage);
  return text.empty() ? pair.ru : text;
}

std::string formatText(std::string_view format, ...) {
  const std::string fmt(format);
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int size = std::vsnprintf(nullptr, 0, fmt.c_str(), copy);
  va_end(copy);
  std::string out;
  if (size > 0) {
    out.resize(static_cast<std::size_t>(size) + 1);
    std::vsnprintf(out.data(), out.size(), fmt.c_str(), args);
    out.resize(static_cast<std::size_t>(size));
  }
  va_end(args);
  return out;
}

}  // namespace kivprism::lang
