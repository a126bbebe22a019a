// Rules as clipboard text: one line a rule, readable in a text editor or a message to a colleague
// (number, name and the rule in words) and ending in the rule's 144 bytes as hex with their check
// sum, so that it pastes back into this program, also into a second running copy of it.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/image.hpp"
#include "core/events/entry.hpp"
#include "core/lang/text.hpp"

namespace kivprism::summary {

// What a line starts with; lines without it (a greeting, a signature) are not rules.
inline constexpr std::string_view kRuleLineMarker = "kivprism rule ";
// The most rules one paste carries: the whole table.
inline constexpr std::size_t kMaxClipboardRules = config::layout::kEntryCount;
// A longer text is not a copy of rules (a whole file pasted by mistake).
inline constexpr std::size_t kMaxClipboardText = std::size_t{256} * 1024;

// "kivprism rule 7 | Seek | Button: VOL+ | Short | USB key: Volume Increment | bytes 0A.. | crc
// 1A2B3C4D"
std::string ruleLine(const config::ConfigImage& image, std::size_t entry, lang::Language language);
// The lines of the entries (numbers 1..100) in the given order, each ending in a newline.
std::string rulesText(const config::ConfigImage& image, std::span<const std::size_t> entries,
                      lang::Language language);

// The rules of a clipboard text in their order. Nothing when the text holds no rule line, or when
// any rule line is damaged (bytes missing or not hex, the check sum wrong) or there are more than
// 100: then nothing of it may be pasted.
std::optional<std::vector<events::EntryData>> parseRulesText(std::string_view text);

}  // namespace kivprism::summary
