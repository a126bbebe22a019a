// The source-mask dialog's logic: eight ticks "1".."8", tick i standing for bit i of the mask
// (source i + 1), and the texts its callers on the parameters page show in it.
#pragma once

#include <array>
#include <cstdint>

#include "core/lang/text.hpp"

namespace kivprism::params {

inline constexpr std::size_t kMaskSources = 8;

constexpr std::array<bool, kMaskSources> maskTicks(std::uint8_t mask) {
  std::array<bool, kMaskSources> ticks{};
  for (std::size_t i = 0; i < kMaskSources; ++i) {
    ticks[i] = (mask >> i) & 1u;
  }
  return ticks;
}

constexpr std::uint8_t maskFromTicks(const std::array<bool, kMaskSources>& ticks) {
  unsigned mask = 0;
  for (std::size_t i = 0; i < kMaskSources; ++i) {
    mask |= ticks[i] ? 1u << i : 0u;
  }
  return static_cast<std::uint8_t>(mask);
}

struct SourceMaskTexts {
  lang::TextPair first;
  lang::TextPair second;
};
inline constexpr lang::TextPair kSourceMaskCaption{"Источники", "Sources"};
inline constexpr lang::TextPair kSourceMaskHint{"Выберите источники", "Select the sources"};
inline constexpr SourceMaskTexts kInterceptMaskTexts{
    {"Перехват тачпанели", "Interception touchpanel"},
    {"при выборе источника:", "in source selection:"}};
inline constexpr SourceMaskTexts kUsbTouchMaskTexts{{"Выдача по USB", "Touch to USB"},
                                                    {"при источниках:", "on sources:"}};

}  // namespace kivprism::params
