// Entries written into an image field by field, as the editor's handlers would store them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/config/image.hpp"
#include "core/events/entry.hpp"
#include "core/events/entry_types.hpp"

namespace kivprism::summary::testing {

inline events::EntryBytes at(config::ConfigImage& image, std::size_t number) {
  return events::entryAt(image, number);
}

inline void setTypes(config::ConfigImage& image, std::size_t number, events::EventType event,
                     events::ReactionType reaction,
                     events::PressKind press = events::PressKind::Short) {
  const auto e = at(image, number);
  events::set(e, events::entry::kEventType, static_cast<std::uint8_t>(event));
  events::set(e, events::entry::kReactionType, static_cast<std::uint8_t>(reaction));
  events::set(e, events::entry::kPressKind, static_cast<std::uint8_t>(press));
}

// A steering-wheel CAN event with its own filter: id, and the first `count` data and mask bytes.
inline void setCanFilterEvent(config::ConfigImage& image, std::size_t number, std::uint32_t id,
                              std::uint8_t data, std::uint8_t mask) {
  setTypes(image, number, events::EventType::SwCan, events::ReactionType::Pin);
  events::CanFilter filter;
  filter.idWord = events::encodeIdWord(id);
  filter.count = 1;
  filter.data[0] = data;
  filter.mask[0] = mask;
  events::set(at(image, number), events::event::sw_can::kFilter, filter);
}

}  // namespace kivprism::summary::testing
