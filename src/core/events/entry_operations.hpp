// What the editor, the keys table and the file code do to entries: choosing a type, the key
// references of key events and what deleting a learnt key does to them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/config/image.hpp"
#include "core/events/entry.hpp"

namespace kivprism::events {

// The parameter block values that entries depend on.
struct EntryContext {
  std::uint16_t anaVout1 = 0;  // analog output defaults and limits, hundredths of a volt
  std::uint16_t minMaxVout1 = 0;
  std::uint16_t anaVout2 = 0;
  std::uint16_t minMaxVout2 = 0;
};
EntryContext entryContextOf(const config::ConfigImage& image);

// Choosing a type clears the part only when the type really changes, so picking the shown page
// again keeps the user's settings. Both return whether anything changed.
bool setEventType(EntryBytes e, std::uint8_t type);
// A new control reaction starts from the outputs' default voltages.
bool setReactionType(EntryBytes e, std::uint8_t type, const EntryContext& context);
// A new steering-wheel CAN type wipes the command and everything the old type stored.
bool setSteeringCanType(EntryBytes e, std::uint8_t type);

// A (number, channel) reference from a key event to a key of the keys table, or on channel 4 to
// an encoder direction.
struct KeyReference {
  std::uint8_t number = 0;  // 0 = no key
  std::uint8_t channel = 0;

  bool isSet() const { return number != 0; }
  bool isEncoder() const { return channel == event::key::kEncoderChannel; }
  friend bool operator==(const KeyReference&, const KeyReference&) = default;
};

KeyReference keyOf(ConstEntryBytes e);
KeyReference modifierOf(ConstEntryBytes e);
void setKey(EntryBytes e, KeyReference key);
void setModifier(EntryBytes e, KeyReference modifier);

// Encoder 1 or 2 and its direction, for a reference on the encoder channel with number 1..4.
struct EncoderStep {
  unsigned encoder;  // 1 or 2
  bool up;
  friend bool operator==(const EncoderStep&, const EncoderStep&) = default;
};
std::optional<EncoderStep> encoderStepOf(KeyReference key);
inline constexpr std::size_t kEncoderCount = 2;

// Numbers of the key events whose key is a step of the encoder (1 or 2).
std::vector<std::size_t> entriesUsingEncoder(const config::ConfigImage& image, unsigned encoder);

// Numbers of the key events that name a key of the channel (0..3) as their key or modifier.
std::vector<std::size_t> entriesUsingKeyChannel(const config::ConfigImage& image,
                                                std::uint8_t channel);

// The keys table deleted a key: every key event that names it as its key or as its modifier loses
// that reference, and nothing else changes. Returns the number of references cleared.
std::size_t deleteKeyReferences(config::ConfigImage& image, KeyReference key);

}  // namespace kivprism::events
