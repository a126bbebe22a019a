// The language-table rows of the small dialogs. The IR code dialog has its own sub-table; the CAN
// dialogs and the entry-name dialog keep the same texts in both languages, but their rows let the
// one walk fill every dialog alike.
#pragma once

#include <span>
#include <string_view>

#include "core/lang/language.hpp"

namespace kivprism::lang {

inline constexpr std::string_view kIrCodeFormName = "FormIRCode";
inline constexpr std::string_view kCanMessageFormName = "FormCANMSG";
inline constexpr std::string_view kCanFilterFormName = "FormCANFilter";
inline constexpr std::string_view kEntryNameFormName = "FormEditEventReactionName";
inline constexpr std::string_view kKeyboardFormName = "FormKeyBoard";

std::span<const LanguageRow> irCodeFormRows();
std::span<const LanguageRow> canMessageFormRows();
std::span<const LanguageRow> canFilterFormRows();
std::span<const LanguageRow> entryNameFormRows();
std::span<const LanguageRow> keyboardDialogRows();  // core/lang/keyboard_rows.cpp

}  // namespace kivprism::lang
