// Text pairs as Qt strings in the current language.
#pragma once

#include <QString>
#include <string_view>

#include "core/lang/text.hpp"

namespace kivprism::ui {

inline QString qtText(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline QString translated(const lang::TextPair& pair) { return qtText(lang::translateText(pair)); }

// A pair whose text carries one %s.
inline QString translatedWith(const lang::TextPair& pair, std::string_view argument) {
  const std::string arg(argument);
  return qtText(lang::formatText(lang::translateText(pair), arg.c_str()));
}

}  // namespace kivprism::ui
