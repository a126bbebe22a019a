// Where each control of the parameters page sits, as data: the tabs in page order and the rows of
// each tab (control, caption label, unit label). Structure only: a control's kind comes from the
// core's bindings, every text from the language table by the labels' names.
#pragma once

#include <span>
#include <string_view>

#include "ui/common/tab_layout.hpp"

namespace kivprism::ui::params {

// The 27 tabs of PageControlParams in page order.
std::span<const TabLayout> paramTabs();
// The pages of PageControl_DIFF_BUS_MODE, in the order of their bus modes.
std::span<const TabLayout> diffBusPages();

// Controls made by the page itself rather than from a binding.
inline constexpr std::string_view kKeysSetup = "SpeedButtonKeysSetup";
inline constexpr std::string_view kTouchSetup = "SpeedButtonTouchSetup";
inline constexpr std::string_view kTouchMargin = "CheckBoxTouchDXY";
inline constexpr std::string_view kKeysGroup = "GroupBoxKeys";
inline constexpr std::string_view kVarGrid = "StringGridVARx";
inline constexpr std::string_view kPwmChannels = "PWMChannelsx";
inline constexpr std::string_view kAnalogChannels = "ParamControlChannelsx";
inline constexpr std::string_view kDiffBusPageControl = "PageControl_DIFF_BUS_MODE";
// The line a differential-bus page shows when its mode has no settings.
inline constexpr std::string_view kRenaultJoyNoSettings = "LabelRJOYNoSettings";
inline constexpr std::string_view kMercedesJoyNoSettings = "LabelMJOYNoSettings";

}  // namespace kivprism::ui::params
