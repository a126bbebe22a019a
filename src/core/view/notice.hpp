// What a change tells the user: a refusal of a setting (information box) or a malformed or
// out-of-range number (error box), already formatted in both languages.
#pragma once

#include <string>

#include "core/lang/text.hpp"

namespace kivprism::view {

enum class NoticeKind { Information, Error };

struct Notice {
  NoticeKind kind = NoticeKind::Information;
  std::string ru;
  std::string en;

  const std::string& in(lang::Language language) const {
    return language == lang::Language::Russian ? ru : en;
  }
  friend bool operator==(const Notice&, const Notice&) = default;
};

// A notice whose both texts are the pair as it stands.
inline Notice plainNotice(NoticeKind kind, const lang::TextPair& pair) {
  return {kind, std::string(pair.ru), std::string(pair.en)};
}

}  // namespace kivprism::view
