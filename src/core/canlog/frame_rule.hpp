// A frame seen in the CAN log made into a rule: a steering-wheel CAN event on the entry's own
// filter that waits for the frame's identifier and compares the chosen data bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/canlog/can_record.hpp"
#include "core/config/image.hpp"
#include "core/events/records.hpp"

namespace kivprism::canlog {

// The data bytes the event compares, bit k for byte k: the bytes the user picked, else the bytes
// that changed during the capture, else every byte of the frame; only bytes the frame has count.
std::uint8_t comparedBytes(const CanLogRecord& frame, std::uint8_t picked, std::uint8_t changed);

// The CAN filter that matches the frame: its identifier word, all its data bytes (a byte not
// compared has mask 00 and data 00, a compared one mask FF and the frame's value). Nothing for a
// frame without data bytes, as a filter of no bytes is no filter for the controller.
std::optional<events::CanFilter> frameFilter(const CanLogRecord& frame, std::uint8_t compared);

// The entry the new event goes to: the selected one when it is empty, else the first empty
// entry; nothing when every entry is used.
std::optional<std::size_t> entryForFrameRule(const config::ConfigImage& image,
                                             std::size_t selected);

// Makes the entry a steering-wheel CAN event on its own filter, set to the filter.
void storeFrameRule(config::ConfigImage& image, std::size_t entry, const events::CanFilter& filter);

}  // namespace kivprism::canlog
