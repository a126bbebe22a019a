#include "core/canlog/frame_rule.hpp"

#include "core/editor/event_handlers.hpp"
#include "core/events/consistency.hpp"
#include "core/events/entry.hpp"
#include "core/events/entry_types.hpp"

namespace kivprism::canlog {

namespace {

constexpr std::uint8_t kCompareByte = 0xFF;

std::uint8_t presentBytes(const CanLogRecord& frame) {
  return static_cast<std::uint8_t>((1u << frame.dataLength()) - 1u);
}

}  // namespace

std::uint8_t comparedBytes(const CanLogRecord& frame, std::uint8_t picked, std::uint8_t changed) {
  const std::uint8_t present = presentBytes(frame);
  if ((picked & present) != 0) {
    return picked & present;
  }
  if ((changed & present) != 0) {
    return changed & present;
  }
  return present;
}

std::optional<events::CanFilter> frameFilter(const CanLogRecord& frame, std::uint8_t compared) {
  const std::size_t length = frame.dataLength();
  if (length == 0) {
    return std::nullopt;
  }
  events::CanFilter filter;
  filter.idWord = frame.identifierWord & events::kExtendedIdMask;
  filter.count = static_cast<std::uint8_t>(length);
  for (std::size_t k = 0; k < length; ++k) {
    if (((compared >> k) & 1u) != 0) {
      filter.mask[k] = kCompareByte;
      filter.data[k] = frame.data[k];
    }
  }
  return filter;
}

std::optional<std::size_t> entryForFrameRule(const config::ConfigImage& image,
                                             std::size_t selected) {
  if (selected >= events::kFirstEntryNumber && selected <= events::kLastEntryNumber &&
      events::isEmpty(events::entryAt(image, selected))) {
    return selected;
  }
  for (std::size_t n = events::kFirstEntryNumber; n <= events::kLastEntryNumber; ++n) {
    if (events::isEmpty(events::entryAt(image, n))) {
      return n;
    }
  }
  return std::nullopt;
}

void storeFrameRule(config::ConfigImage& image, std::size_t entry,
                    const events::CanFilter& filter) {
  editor::chooseEventType(image, entry, static_cast<std::uint8_t>(events::EventType::SwCan));
  editor::answerCanFilter(image, entry, filter);
  // The flags the event type asks for, as the editor's next refresh would set them.
  events::applyConsistencyRules(events::entryAt(image, entry), events::entryContextOf(image));
}

}  // namespace kivprism::canlog
