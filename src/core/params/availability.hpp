// What the assignment of pins and buses means for the event/reaction editor: which event and
// reaction pages make sense (availability marks), which pages the only-used view shows, which LIN
// commands a LIN reaction can send, and whether the CAN-log page is shown.
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "core/config/image.hpp"
#include "core/events/entry_types.hpp"
#include "core/lang/text.hpp"

namespace kivprism::params {

// Set = the page is not available with this configuration; the editor never shows it.
struct AvailabilityMarks {
  std::array<bool, events::kEventTypeCount> event{};
  std::array<bool, events::kReactionTypeCount> reaction{};

  bool eventMarked(events::EventType t) const { return event[static_cast<std::size_t>(t)]; }
  bool reactionMarked(events::ReactionType t) const {
    return reaction[static_cast<std::size_t>(t)];
  }
  friend bool operator==(const AvailabilityMarks&, const AvailabilityMarks&) = default;
};
AvailabilityMarks computeAvailability(const config::ConfigImage& image);

// The page names the marks stand for, by type code.
std::string_view eventPageName(events::EventType type);
std::string_view reactionPageName(events::ReactionType type);

// Pages the editor shows: with the only-used view on, only types some entry uses; marked pages are
// hidden either way.
struct PageVisibility {
  std::array<bool, events::kEventTypeCount> event{};
  std::array<bool, events::kReactionTypeCount> reaction{};
};
PageVisibility visiblePages(const config::ConfigImage& image, const AvailabilityMarks& marks,
                            bool onlyUsed);
// The hint of SpeedButtonOnlyUsedx says what a click will do.
const lang::TextPair& onlyUsedHint(bool onlyUsed);

// The commands of ComboBoxReactionLINx: the LIN2 device's commands, then the LIN1 device's; a
// device with a single command contributes nothing. Shown as they are in both languages.
std::vector<std::string_view> linReactionCommands(unsigned lin1Mode, unsigned lin2Mode);

// The keyboard-usage dialog's groups the USB functions allow: keyboard page 0x07 (bit 1),
// consumer page 0x0C (bit 2), system control (bit 3).
struct KeyboardGroups {
  bool page07 = false;
  bool page0C = false;
  bool systemControl = false;
};
KeyboardGroups keyboardGroups(const config::ConfigImage& image);

// The keys grid's encoder captions: "Enc1+", "Enc1-", "Enc2+", "Enc2-", empty for an encoder that
// is off.
std::array<std::string_view, 4> encoderKeyCaptions(const config::ConfigImage& image);

// TabSheetCANLOG is shown exactly while the differential bus is a plain CAN bus.
bool canLogVisible(const config::ConfigImage& image);

}  // namespace kivprism::params
