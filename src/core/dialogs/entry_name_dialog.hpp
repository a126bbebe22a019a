// The entry-name dialog: the caption with the tab's number and the name an entered text becomes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/config/image_layout.hpp"
#include "core/lang/text.hpp"

namespace kivprism::dialogs {

extern const lang::TextPair kEntryNameCaption;  // with %d for the 1-based entry number

// Characters the edit takes: one stored byte each.
inline constexpr int kEntryNameMax = static_cast<int>(config::layout::kEntryNameSize);

// The caption for an entry in the current language.
std::string entryNameCaption(std::size_t entryNumber);

// The name an entered text is stored as (UTF-8): the first 16 characters; an empty text leaves no
// name.
std::string entryNameFromText(std::string_view utf8);

}  // namespace kivprism::dialogs
