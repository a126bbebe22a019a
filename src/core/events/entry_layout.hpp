// The byte layout inside one 144-byte event/reaction entry. The controller reads these bytes as
// they stand, so every offset here is part of the wire and file format. This header is the only
// place where offsets inside an entry are written as numbers; everything else names a field.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/config/image_layout.hpp"

namespace kivprism::events {

// A little-endian integer field of the entry; T gives its width and signedness.
template <typename T>
struct IntField {
  std::size_t offset;
  static constexpr std::size_t kWidth = sizeof(T);
  constexpr std::size_t end() const { return offset + kWidth; }
};
using U8Field = IntField<std::uint8_t>;
using I8Field = IntField<std::int8_t>;
using U16Field = IntField<std::uint16_t>;
using U32Field = IntField<std::uint32_t>;

// One bit of a byte field.
struct BitFlag {
  std::size_t offset;
  unsigned bit;
};

// A run of bytes (a part, a parameter area, a reserved run).
struct ByteRun {
  std::size_t offset;
  std::size_t size;
  constexpr std::size_t end() const { return offset + size; }
};

// A cp1251 text, NUL-padded, not necessarily NUL-terminated.
struct TextField {
  std::size_t offset;
  std::size_t size;
  constexpr std::size_t end() const { return offset + size; }
};

// Where a shared record starts inside the entry.
struct IrCodeField {
  std::size_t offset;
};
struct CanMessageSlot {
  std::size_t offset;
};
struct CanFilterField {
  std::size_t offset;
};

// The shared records, as they sit inside an entry (and inside the dialogs' buffers).
namespace record {
inline constexpr std::size_t kIrCodeSize = 4;
inline constexpr std::size_t kIrProtocol = 0;
inline constexpr std::size_t kIrCommand = 1;
inline constexpr std::size_t kIrAddress = 2;  // u16

inline constexpr std::size_t kCanDataMax = 8;
inline constexpr std::size_t kCanMessageSize = 13;
inline constexpr std::size_t kCanMessageSlotSize = 17;  // the last 4 bytes of a slot are 0
inline constexpr std::size_t kCanMessageIdWord = 0;     // u32
inline constexpr std::size_t kCanMessageLength = 4;
inline constexpr std::size_t kCanMessageData = 5;

inline constexpr std::size_t kCanFilterSize = 21;
inline constexpr std::size_t kCanFilterIdWord = 0;  // u32
inline constexpr std::size_t kCanFilterCount = 4;
inline constexpr std::size_t kCanFilterMask = 5;
inline constexpr std::size_t kCanFilterData = 13;

static_assert(kCanMessageData + kCanDataMax == kCanMessageSize);
static_assert(kCanFilterData + kCanDataMax == kCanFilterSize);
}  // namespace record

namespace entry {

inline constexpr std::size_t kSize = config::layout::kEntrySize;
inline constexpr TextField kName{0, config::layout::kEntryNameSize};

inline constexpr ByteRun kEventPart{config::layout::kEntryEventOffset,
                                    config::layout::kEntryPartSize};
inline constexpr U8Field kEventType{16};
inline constexpr U8Field kSourceMask{17};
inline constexpr ByteRun kEventParams{18, 59};
inline constexpr U8Field kPressKind{77};
inline constexpr U8Field kOnceFlag{78};
inline constexpr U8Field kWakeUpFlag{79};

inline constexpr ByteRun kReactionPart{config::layout::kEntryReactionOffset,
                                       config::layout::kEntryPartSize};
inline constexpr U8Field kReactionType{80};
inline constexpr ByteRun kReactionParams{81, 63};

static_assert(kEventParams.end() == kPressKind.offset);
static_assert(kWakeUpFlag.end() == kEventPart.end());
static_assert(kReactionParams.end() == kSize);
static_assert(kEventPart.offset == kName.end() && kEventPart.end() == kReactionPart.offset);

}  // namespace entry

// Parameters of each event type (the event part is 0 wherever the type names nothing).
namespace event {

// The parameter of every event whose only setting is a position in a fixed list: the protocol
// event lists, the activation/deactivation choices and the intercept choice.
inline constexpr U8Field kListPosition{18};

namespace key {
inline constexpr U8Field kNumber{18};  // 1..15, 0 = no key
inline constexpr U8Field kChannel{19};
inline constexpr U8Field kModifierNumber{20};
inline constexpr U8Field kModifierChannel{21};
inline constexpr std::uint8_t kEncoderChannel = 4;  // numbers 1..4: Enc1+, Enc1-, Enc2+, Enc2-
}  // namespace key

namespace ir_code {
inline constexpr IrCodeField kCode{18};
inline constexpr U8Field kZero{22};
}  // namespace ir_code

namespace timeout {
inline constexpr U8Field kStartPoint{18};  // 0 = at power-on, N = after the reaction of entry N
inline constexpr U32Field kDelayMs{19};
}  // namespace timeout

namespace bmw_ibus {
inline constexpr U8Field kPosition = kListPosition;
}
namespace intercept {
inline constexpr U8Field kOnDeactivation = kListPosition;
}

namespace voltage {
inline constexpr U8Field kInput{18};
inline constexpr U8Field kGreaterThan{19};
inline constexpr U16Field kThreshold{20};
inline constexpr U32Field kHoldMs{22};
}  // namespace voltage

namespace usb {
inline constexpr U8Field kOnDeactivation = kListPosition;
}
namespace iebus {
inline constexpr U8Field kPosition = kListPosition;
}
namespace navi {
inline constexpr U8Field kOnMuteDeactivation = kListPosition;
}

namespace gestures {
inline constexpr U8Field kStartArea{18};
inline constexpr U8Field kEnd{19};
}  // namespace gestures

namespace idrive {
inline constexpr U8Field kPosition = kListPosition;
}
namespace ganet {
inline constexpr U8Field kPosition = kListPosition;
}
namespace mercedes_joy {
inline constexpr U8Field kPosition = kListPosition;
}

namespace serial {
inline constexpr TextField kText{18, 59};
}

namespace pins {
inline constexpr U8Field kPin{18};
inline constexpr U8Field kLevel{19};
inline constexpr U32Field kHoldMs{20};
}  // namespace pins

namespace acura_joy {
inline constexpr U8Field kPosition = kListPosition;
}
namespace lin {
inline constexpr U8Field kPosition = kListPosition;
}
namespace bluetooth {
inline constexpr U8Field kOnDeactivation = kListPosition;
}
namespace uart {
inline constexpr TextField kText{18, 59};
}
namespace audi_mmi {
inline constexpr U8Field kPosition = kListPosition;
}
namespace renault_joy {
inline constexpr U8Field kPosition = kListPosition;
}

namespace sw_can {
inline constexpr U8Field kPosition = kListPosition;  // 0 = the entry's own filter
inline constexpr CanFilterField kFilter{19};
}  // namespace sw_can

namespace mercedes_ctrl {
inline constexpr U8Field kPosition = kListPosition;
}

namespace var {
inline constexpr U8Field kVariable{18};  // 0 none, 1..4 VAR1..VAR4
inline constexpr U8Field kLogicOperation{19};
inline constexpr U8Field kOperand{20};
inline constexpr U8Field kComparison{21};
inline constexpr U8Field kValue{22};
inline constexpr U32Field kHoldMs{23};
inline constexpr ByteRun kAfterVariable{19, 8};
}  // namespace var

namespace panel_honda {
inline constexpr U8Field kPosition = kListPosition;
}

static_assert(serial::kText.end() == entry::kPressKind.offset);
static_assert(sw_can::kFilter.offset + record::kCanFilterSize <= entry::kPressKind.offset);
static_assert(var::kHoldMs.end() == var::kAfterVariable.end());

}  // namespace event

// Parameters of each reaction type (the reaction part is 0 wherever the type names nothing).
namespace reaction {

namespace usb_key {
inline constexpr U8Field kUsagePage{81};
inline constexpr U8Field kModifiers{82};          // keyboard page
inline constexpr U8Field kFirstKey{83};           // keyboard page
inline constexpr U8Field kSecondKey{84};          // keyboard page
inline constexpr U8Field kSystemControlMask{83};  // generic desktop page
inline constexpr U16Field kConsumerUsage{83};     // consumer page
inline constexpr U32Field kHoldMs{85};
inline constexpr std::uint8_t kGenericDesktopPage = 1;
inline constexpr std::uint8_t kKeyboardPage = 7;
inline constexpr std::uint8_t kConsumerPage = 12;
}  // namespace usb_key

namespace ir_code {
inline constexpr IrCodeField kCode{81};
inline constexpr U8Field kReserved{85};  // carried unchanged
inline constexpr U8Field kOutput{86};
}  // namespace ir_code

namespace pin {
inline constexpr U8Field kPin{81};
inline constexpr U8Field kMode{82};
inline constexpr U16Field kMinTimeMs{83};
inline constexpr ByteRun kAfterPin{82, 3};
}  // namespace pin

// Reaction 4 drives the two analog outputs.
namespace control {
struct Channel {
  U16Field voltage;  // hundredths of a volt
  U8Field action;
  U8Field saveBeforeChange;
};
inline constexpr std::size_t kChannelCount = 2;
inline constexpr Channel kChannel1{U16Field{81}, U8Field{87}, U8Field{88}};
inline constexpr Channel kChannel2{U16Field{83}, U8Field{89}, U8Field{90}};
constexpr Channel channel(std::size_t index) { return index == 0 ? kChannel1 : kChannel2; }
inline constexpr U16Field kPeriodMs{85};
}  // namespace control

namespace source {
inline constexpr U8Field kChoice{81};
inline constexpr U8Field kSkipMask{82};
inline constexpr U8Field kSaveBeforeChange{83};
}  // namespace source

namespace usb_touch {
inline constexpr U16Field kX{81};
inline constexpr U16Field kY{83};
inline constexpr U16Field kDurationMs{85};
}  // namespace usb_touch

namespace event_manage {
inline constexpr U8Field kAction{81};
inline constexpr U8Field kTarget{82};  // 0 = the power-on event, N = entry N
}  // namespace event_manage

namespace amplifier {
inline constexpr U8Field kParameter{81};
inline constexpr U8Field kPosition{82};
}  // namespace amplifier

namespace usb_mouse {
inline constexpr U8Field kAction{81};
}

namespace encoder {
inline constexpr U8Field kConnection{81};
inline constexpr I8Field kSteps{82};
inline constexpr U16Field kRepeatMs{83};
}  // namespace encoder

namespace iebus {
inline constexpr U8Field kCommand{81};
}

namespace idrive {
inline constexpr U8Field kCommand{81};
inline constexpr U16Field kParameter{82};
}  // namespace idrive

namespace ibus {
inline constexpr U8Field kCommand{81};
}

namespace serial {
inline constexpr TextField kText{81, 59};
}

namespace cursor_move {
inline constexpr U8Field kDirection{81};
inline constexpr U8Field kPoints{82};
inline constexpr U8Field kWithPress{83};
}  // namespace cursor_move

namespace acura_joy {
inline constexpr U8Field kMode{81};
}

namespace uart {
inline constexpr TextField kText{81, 59};
}

namespace lin {
inline constexpr U8Field kCommand{81};
inline constexpr U8Field kTrigger{82};
}  // namespace lin

namespace audi_mmi {
inline constexpr U8Field kMode{81};
inline constexpr U8Field kParameter{82};
}  // namespace audi_mmi

namespace car_dsp {
inline constexpr U8Field kMode{81};
inline constexpr U8Field kParameter{82};
inline constexpr U16Field kRepeatMs{83};
}  // namespace car_dsp

namespace panacea {
inline constexpr U8Field kMode{81};
}

namespace res_emul {
inline constexpr U8Field kZero{81};
inline constexpr U8Field kX{82};
inline constexpr U8Field kY{83};
}  // namespace res_emul

namespace renault_joy {
inline constexpr U8Field kCommand{81};
}

namespace sw_can {
inline constexpr U8Field kCommand{81};
inline constexpr U8Field kType{82};
// Type 0 (user packet).
inline constexpr CanMessageSlot kPressMessage{83};
inline constexpr CanMessageSlot kReleaseMessage{100};
// Type 13 (dashboard display).
inline constexpr TextField kLine1{83, 18};
inline constexpr TextField kLine2{101, 18};
inline constexpr U16Field kDisplayMs{119};
inline constexpr U8Field kDisplayFlags{121};
inline constexpr BitFlag kLine1Enabled{121, 0};
inline constexpr BitFlag kLine2Enabled{121, 1};
// What a change of type wipes, and what only types 0 and 13 use.
inline constexpr ByteRun kTypeDependent{81, 41};
inline constexpr ByteRun kTypeData{83, 39};
inline constexpr std::uint8_t kUserPacketType = 0;
inline constexpr std::uint8_t kDisplayType = 13;
inline constexpr std::size_t kTypeCount = 14;

static_assert(kReleaseMessage.offset == kPressMessage.offset + record::kCanMessageSlotSize);
static_assert(kLine2.offset == kLine1.end() && kDisplayMs.offset == kLine2.end());
static_assert(kTypeDependent.end() == kDisplayFlags.end() &&
              kTypeData.end() == kDisplayFlags.end());
}  // namespace sw_can

namespace ganet {
inline constexpr U8Field kMode{81};  // 0 = any code
inline constexpr U16Field kCode{82};
}  // namespace ganet

namespace cruise_bmw_dme {
inline constexpr U8Field kKey{81};
}
namespace mercedes_ctrl {
inline constexpr U8Field kCommand{81};
}

namespace hwr {
inline constexpr U8Field kCommand{81};
inline constexpr U8Field kTrigger{82};
}  // namespace hwr

namespace var {
inline constexpr U8Field kVariable{81};  // 0 none, 1..4 VAR1..VAR4
inline constexpr U8Field kOperation{82};
inline constexpr U8Field kOperand{83};
}  // namespace var

namespace pwm {
struct Channel {
  U8Field mode;
  U8Field zero;
  U16Field value;
};
inline constexpr std::size_t kChannelCount = 4;
inline constexpr std::size_t kFirstSlot = 81;
inline constexpr std::size_t kSlotSize = 4;
constexpr Channel channel(std::size_t index) {
  const std::size_t slot = kFirstSlot + kSlotSize * index;
  return {U8Field{slot}, U8Field{slot + 1}, U16Field{slot + 2}};
}
inline constexpr U16Field kRepeatMs{97};
static_assert(channel(kChannelCount - 1).value.end() == kRepeatMs.offset);
}  // namespace pwm

static_assert(serial::kText.end() <= entry::kSize);

}  // namespace reaction

}  // namespace kivprism::events
