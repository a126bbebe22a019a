#include "core/events/entry_operations.hpp"

#include "core/events/entry_types.hpp"

namespace kivprism::events {

namespace {

constexpr std::uint8_t kEncoderSteps = 4;  // Enc1+, Enc1-, Enc2+, Enc2-

bool isKeyEvent(ConstEntryBytes e) {
  return eventTypeCode(e) == static_cast<unsigned>(EventType::Key);
}

}  // namespace

EntryContext entryContextOf(const config::ConfigImage& image) {
  namespace layout = config::layout;
  return {image.getU16(layout::kAnaVout1), image.getU16(layout::kMinMaxVout1),
          image.getU16(layout::kAnaVout2), image.getU16(layout::kMinMaxVout2)};
}

bool setEventType(EntryBytes e, std::uint8_t type) {
  if (get(e, entry::kEventType) == type) {
    return false;
  }
  clear(e, entry::kEventPart);
  set(e, entry::kEventType, type);
  return true;
}

bool setReactionType(EntryBytes e, std::uint8_t type, const EntryContext& context) {
  if (get(e, entry::kReactionType) == type) {
    return false;
  }
  clear(e, entry::kReactionPart);
  set(e, entry::kReactionType, type);
  if (type == static_cast<std::uint8_t>(ReactionType::Control)) {
    set(e, reaction::control::kChannel1.voltage, context.anaVout1);
    set(e, reaction::control::kChannel2.voltage, context.anaVout2);
  }
  return true;
}

bool setSteeringCanType(EntryBytes e, std::uint8_t type) {
  if (get(e, reaction::sw_can::kType) == type) {
    return false;
  }
  clear(e, reaction::sw_can::kTypeDependent);
  set(e, reaction::sw_can::kType, type);
  return true;
}

KeyReference keyOf(ConstEntryBytes e) {
  return {get(e, event::key::kNumber), get(e, event::key::kChannel)};
}

KeyReference modifierOf(ConstEntryBytes e) {
  return {get(e, event::key::kModifierNumber), get(e, event::key::kModifierChannel)};
}

void setKey(EntryBytes e, KeyReference key) {
  set(e, event::key::kNumber, key.number);
  set(e, event::key::kChannel, key.channel);
}

void setModifier(EntryBytes e, KeyReference modifier) {
  set(e, event::key::kModifierNumber, modifier.number);
  set(e, event::key::kModifierChannel, modifier.channel);
}

std::optional<EncoderStep> encoderStepOf(KeyReference key) {
  if (!key.isEncoder() || key.number < 1 || key.number > kEncoderSteps) {
    return std::nullopt;
  }
  const unsigned step = key.number - 1u;
  return EncoderStep{step / 2 + 1, step % 2 == 0};
}

std::vector<std::size_t> entriesUsingEncoder(const config::ConfigImage& image, unsigned encoder) {
  std::vector<std::size_t> numbers;
  for (std::size_t n = kFirstEntryNumber; n <= kLastEntryNumber; ++n) {
    const auto e = entryAt(image, n);
    const auto step = encoderStepOf(keyOf(e));
    if (isKeyEvent(e) && step && step->encoder == encoder) {
      numbers.push_back(n);
    }
  }
  return numbers;
}

std::vector<std::size_t> entriesUsingKeyChannel(const config::ConfigImage& image,
                                                std::uint8_t channel) {
  const auto onChannel = [channel](KeyReference key) {
    return key.isSet() && key.channel == channel;
  };
  std::vector<std::size_t> numbers;
  for (std::size_t n = kFirstEntryNumber; n <= kLastEntryNumber; ++n) {
    const auto e = entryAt(image, n);
    if (isKeyEvent(e) && (onChannel(keyOf(e)) || onChannel(modifierOf(e)))) {
      numbers.push_back(n);
    }
  }
  return numbers;
}

std::size_t deleteKeyReferences(config::ConfigImage& image, KeyReference key) {
  std::size_t cleared = 0;
  if (!key.isSet()) {
    return cleared;
  }
  for (std::size_t n = kFirstEntryNumber; n <= kLastEntryNumber; ++n) {
    const auto e = entryAt(image, n);
    if (!isKeyEvent(e)) {
      continue;
    }
    if (keyOf(e) == key) {
      setKey(e, {});
      ++cleared;
    }
    if (modifierOf(e) == key) {
      setModifier(e, {});
      ++cleared;
    }
  }
  return cleared;
}

}  // namespace kivprism::events
