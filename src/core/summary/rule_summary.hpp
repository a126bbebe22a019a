// A rule in words: what its event waits for, how the key is pressed and what its reaction does,
// built from the same lists, texts and key names the editor's pages show, in one language. The
// rules table, the command-line tool and the comparison of two configurations all read these.
#pragma once

#include <cstddef>
#include <string>

#include "core/config/image.hpp"
#include "core/events/entry.hpp"
#include "core/lang/text.hpp"

namespace kivprism::summary {

// The summary of one event type or one reaction type: the type's page caption and its settings.
using EventSummary = std::string (*)(const config::ConfigImage& image, events::ConstEntryBytes e,
                                     lang::Language language);
using ReactionSummary = std::string (*)(const config::ConfigImage& image, events::ConstEntryBytes e,
                                        lang::Language language);

// The summary function of a type code; the unknown-type summary for a code the controller does
// not know.
EventSummary eventSummaryOf(unsigned eventType);
ReactionSummary reactionSummaryOf(unsigned reactionType);

// "Кнопка: VOL+" / "Button: VOL+", "IR code: NEC 0/69", "SW CAN: CAN 0x280, data 01, mask FF".
std::string eventWords(const config::ConfigImage& image, std::size_t entry,
                       lang::Language language);
// The press kind with the times it depends on, and the once and wake-up flags: "Long (1000 ms)".
std::string pressWords(const config::ConfigImage& image, std::size_t entry,
                       lang::Language language);
// "USB key: Volume Increment", "Pin: Pin 5, Full control, 100 ms".
std::string reactionWords(const config::ConfigImage& image, std::size_t entry,
                          lang::Language language);

// A rule is unused when it has neither an event, nor a reaction, nor a name (an empty entry).
bool isUnused(events::ConstEntryBytes e);

}  // namespace kivprism::summary
