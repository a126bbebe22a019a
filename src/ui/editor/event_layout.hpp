// Where each control of the event half sits, as data: the 27 event pages in page order with their
// rows, and the common bottom row. Structure only: kinds come from the core's event bindings, texts
// from the language table by the labels' names.
#pragma once

#include <span>
#include <string_view>

#include "ui/common/bound_form.hpp"
#include "ui/common/tab_layout.hpp"

namespace kivprism::ui::editor {

// PageControlEvent's pages, index = event type.
std::span<const TabLayout> eventPages();
// PanelEventBottom: press kind, wake-up, once, source mask.
std::span<const FormRow> eventBottomRow();

// The row of a control on the event pages (its caption and unit labels); nullptr when absent.
const FormRow* findEventRow(std::string_view control);

// The clickable panels and buttons of the event pages.
inline constexpr std::string_view kKeyModifierPanel = "PanelKeyModx";
inline constexpr std::string_view kKeyPanel = "PanelKeyValx";
inline constexpr std::string_view kIrPanel = "PanelIRDEFx";
inline constexpr std::string_view kCanFilterButton = "SpeedButtonCANFILERx";
inline constexpr std::string_view kSourceMaskBox = "ComboBoxEventSRCMASK";

}  // namespace kivprism::ui::editor
