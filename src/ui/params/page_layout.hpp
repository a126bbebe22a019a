// What each tab of the parameters page holds, as data: rows of a caption, a control and a unit.
// The widgets are made from these rows; a control's kind comes from the core's bindings.
#pragma once

#include <span>
#include <string_view>

#include "core/lang/text.hpp"

namespace kivprism::ui::params {

struct Row {
  std::string_view control;
  lang::TextPair caption{};
  lang::TextPair unit{};
  std::string_view captionName{};  // object name of the caption label, where the refresh shows it
  std::string_view unitName{};
  lang::TextPair hint{};
};

struct TabLayout {
  std::string_view name;
  lang::TextPair caption;
  std::span<const Row> rows;
};

// The 27 tabs of PageControlParams in page order.
std::span<const TabLayout> paramTabs();
// The pages of PageControl_DIFF_BUS_MODE, in the order of their bus modes.
std::span<const TabLayout> diffBusPages();

// Controls made by the page itself rather than from a binding.
inline constexpr std::string_view kKeysSetup = "SpeedButtonKeysSetup";
inline constexpr std::string_view kTouchSetup = "SpeedButtonTouchSetup";
inline constexpr std::string_view kVarGrid = "StringGridVARx";
inline constexpr std::string_view kPwmChannels = "PWMChannelsx";
inline constexpr std::string_view kAnalogChannels = "ParamControlChannelsx";
inline constexpr std::string_view kDiffBusPageControl = "PageControl_DIFF_BUS_MODE";

}  // namespace kivprism::ui::params
