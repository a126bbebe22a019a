// The byte layout of the controller's 15218-byte configuration image. The controller addresses the
// image by byte offset, so every offset here is part of the wire format: all multi-byte values are
// little-endian, with no padding. This header is the only place where image offsets are written as
// numbers; everything else names a field from here.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kivprism::config {

// A field of the image: where it starts and how many bytes it spans.
struct Field {
  std::size_t offset;
  std::size_t width;

  constexpr std::size_t end() const { return offset + width; }
  friend constexpr bool operator==(const Field&, const Field&) = default;
};

// A group of bits inside a one-byte field (offset 722 packs three settings).
struct BitField {
  Field byte;
  unsigned shift;
  unsigned bits;

  constexpr std::uint8_t mask() const {
    return static_cast<std::uint8_t>(((1u << bits) - 1u) << shift);
  }
};

namespace layout {

inline constexpr std::size_t kImageSize = 15218;

// The three regions.
inline constexpr Field kTouchBlock{0, 9};
inline constexpr std::size_t kEntryCount = 100;
inline constexpr std::size_t kEntrySize = 144;
inline constexpr std::size_t kEntryTableSize = kEntrySize * kEntryCount;
inline constexpr Field kEntryTable{9, kEntryTableSize};
inline constexpr Field kParamBlock{kEntryTable.end(), 809};
static_assert(kParamBlock.end() == kImageSize);

// Inside an entry: a 16-byte name, then the 64-byte event part and the 64-byte reaction part.
inline constexpr std::size_t kEntryNameSize = 16;
inline constexpr std::size_t kEntryEventOffset = 16;
inline constexpr std::size_t kEntryPartSize = 64;
inline constexpr std::size_t kEntryReactionOffset = kEntryEventOffset + kEntryPartSize;
static_assert(kEntryReactionOffset + kEntryPartSize == kEntrySize);

// Entry index 0..99 (the editor shows 1..100).
constexpr Field entry(std::size_t index) {
  return {kEntryTable.offset + kEntrySize * index, kEntrySize};
}

// A field of the parameter block, given by its offset inside the block.
constexpr Field param(std::size_t blockOffset, std::size_t width) {
  return {kParamBlock.offset + blockOffset, width};
}
constexpr Field u8(std::size_t blockOffset) { return param(blockOffset, 1); }
constexpr Field u16(std::size_t blockOffset) { return param(blockOffset, 2); }
constexpr Field u32(std::size_t blockOffset) { return param(blockOffset, 4); }

// General and keys.
inline constexpr Field kLongPressTime = u16(0);
inline constexpr std::size_t kKeyChannelCount = 4;
inline constexpr std::size_t kKeysPerChannel = 15;
constexpr Field keyReferenceLevel(std::size_t channel) { return u16(2 + 2 * channel); }
inline constexpr Field kKeyBlock = param(0, 10);  // long-press time and the four reference levels
inline constexpr std::size_t kKeyEntrySize = 9;
inline constexpr std::size_t kKeyChannelStride = kKeysPerChannel * kKeyEntrySize;
inline constexpr std::size_t kKeysTableSize = kKeyChannelStride * kKeyChannelCount;
inline constexpr Field kKeysTable = param(10, kKeysTableSize);
// Key entry (channel 0..3, key 0..14): u16 level, u16 tolerance, 5-byte label.
constexpr Field keyEntry(std::size_t channel, std::size_t key) {
  return param(
      kKeysTable.offset - kParamBlock.offset + kKeyChannelStride * channel + kKeyEntrySize * key,
      kKeyEntrySize);
}
inline constexpr std::size_t kKeyLevelOffset = 0;
inline constexpr std::size_t kKeyToleranceOffset = 2;
inline constexpr std::size_t kKeyLabelOffset = 4;
inline constexpr std::size_t kKeyLabelSize = 5;
constexpr Field keyLevel(std::size_t channel, std::size_t key) {
  return {keyEntry(channel, key).offset + kKeyLevelOffset, 2};
}
constexpr Field keyTolerance(std::size_t channel, std::size_t key) {
  return {keyEntry(channel, key).offset + kKeyToleranceOffset, 2};
}
constexpr Field keyLabel(std::size_t channel, std::size_t key) {
  return {keyEntry(channel, key).offset + kKeyLabelOffset, kKeyLabelSize};
}

// Analog outputs (stored together as one block too).
inline constexpr Field kAnalogBlock = param(550, 10);
inline constexpr Field kAnaVout1 = u16(550);
inline constexpr Field kMinMaxVout1 = u16(552);
inline constexpr Field kSerialCh1 = u8(554);
inline constexpr Field kAnaVout2 = u16(555);
inline constexpr Field kMinMaxVout2 = u16(557);
inline constexpr Field kSerialCh2 = u8(559);

// IR input, touch, miscellaneous.
inline constexpr Field kIrInpNum = u8(560);
inline constexpr Field kIrInpInv = u8(561);
inline constexpr Field kIrInpAdt = u8(562);
inline constexpr Field kTouchMode = u8(568);
inline constexpr Field kRenaultJoyType = u8(569);
inline constexpr Field kTouchInterceptSrcMask = u8(570);
inline constexpr Field kTouchWakeup = u8(571);
inline constexpr Field kTouchHide = u8(572);
inline constexpr Field kTouchGestures = u8(573);
inline constexpr Field kCap2ResNum = u8(574);
inline constexpr Field kBtNum = u8(575);
inline constexpr Field kTouchSrcMask = u8(576);
inline constexpr Field kRx350JoyUse = u8(577);
inline constexpr Field kSerialUsbDelayUse = u8(578);
inline constexpr Field kHwrMaxTo = u16(579);
inline constexpr Field kKeyReassignTo = u16(581);

// Interface assignment.
inline constexpr Field kInterfaceBlock = param(584, 8);
inline constexpr Field kDiffBusMode = u8(584);
inline constexpr Field kLin1Mode = u8(585);
inline constexpr Field kLin2Mode = u8(586);
inline constexpr Field kVolvoAlpsUart1 = u8(587);
inline constexpr Field kHondaPanel = u8(588);
inline constexpr Field kPidSupport = u16(592);

// Encoders, head unit, GPS, IEBUS, pulse output, external navigation.
inline constexpr Field kEnc0Mode = u8(600);
inline constexpr Field kEnc0Div = u8(601);
inline constexpr Field kEnc1Mode = u8(602);
inline constexpr Field kEnc1Div = u8(603);
inline constexpr Field kHeadNum = u8(604);
inline constexpr Field kHeadType = u8(605);
inline constexpr Field kGpsNum = u8(606);
inline constexpr Field kGpsSpeed = u8(607);
inline constexpr Field kGpsCourse = u8(608);
inline constexpr Field kGpsParity = u8(609);
inline constexpr Field kIebusModeBits = u32(611);
inline constexpr Field kIebusTouch = u8(615);
inline constexpr Field kIebusVolPreDiv = u8(616);
inline constexpr Field kPulseNumSrc = u8(619);
inline constexpr Field kPulseNum = u8(620);
inline constexpr Field kPulseMsActive = u16(621);
inline constexpr Field kPulseMsPause = u16(623);
inline constexpr Field kExtNaviNum = u8(625);
inline constexpr Field kExtNaviType = u8(626);
inline constexpr Field kExtNaviSrc = u8(627);

// Pin modes: one byte per connector pin, in this order.
inline constexpr std::size_t kPinCount = 16;
inline constexpr Field kPinModeBlock = param(628, kPinCount);
enum class Pin : std::size_t {
  // clang-format off
  X22, X23, X24, X25, X26, X42, X43, X56, X57, X58, X62, X63, X65, X66, IO5, IO6
  // clang-format on
};
constexpr Field pinMode(Pin pin) { return u8(628 + static_cast<std::size_t>(pin)); }

// Differential-bus and car-bus parameters.
inline constexpr Field kAmplParamTo = u16(644);
inline constexpr Field kCanParamBaud500k = u8(646);
inline constexpr Field kCanParamAcked = u8(647);
inline constexpr Field kCitroenC5ParktronicUse = u8(648);
inline constexpr Field kW203CanWoHeadUse = u8(649);
inline constexpr Field kIdriveLight = u8(654);
inline constexpr Field kIdriveTouchpadMode = u8(655);
inline constexpr Field kIdriveTouchpadClick = u8(656);
inline constexpr Field kIdriveMode = u8(657);
inline constexpr Field kIdriveOrientation = u8(658);
inline constexpr Field kIdriveType = u8(659);
inline constexpr Field kIdriveLightMin = u16(660);  // millivolts; not kept in the file
inline constexpr Field kIdriveLightMax = u16(662);  // millivolts; not kept in the file
inline constexpr Field kIbusParamNum = u8(670);
inline constexpr Field kIbusParamCdc = u8(671);
inline constexpr Field kGanetMode = u8(672);
inline constexpr Field kGanetVolCh = u8(673);
inline constexpr Field kGanetAcuraCondUse = u8(674);
inline constexpr Field kGanetAcuraJoyUseType = u8(675);
inline constexpr Field kGanetTouch = u8(676);

// Source names: 8 × 5 bytes, NUL-padded, not necessarily terminated.
inline constexpr Field kUseName = u8(680);
inline constexpr std::size_t kSourceCount = 8;
inline constexpr std::size_t kSourceNameSize = 5;
// Source 1..8.
constexpr Field sourceName(std::size_t source) {
  return param(676 + kSourceNameSize * source, kSourceNameSize);
}

// LIN, PS/2, UART and other adapters.
inline constexpr Field kLinSpeedType = u8(721);
inline constexpr Field kLinFlags = u8(722);
inline constexpr BitField kLinSwapVolDnOk{kLinFlags, 0, 1};
inline constexpr BitField kLinTempRelayPin{kLinFlags, 1, 5};
inline constexpr BitField kLinVersion{kLinFlags, 6, 1};  // not kept in the file
inline constexpr Field kLinSwType = u8(723);
inline constexpr Field kPs2Type = u8(724);
inline constexpr Field kPs2Rotation = u8(725);  // not kept in the file
inline constexpr Field kPs2Mnog = u8(726);
inline constexpr Field kUartNum = u8(727);
inline constexpr Field kUartSpeed = u8(728);
inline constexpr Field kUartParity = u8(729);
inline constexpr Field kUartDelayMs = u16(730);
inline constexpr Field kUartReplayMs = u16(732);
inline constexpr Field kAudiMmiUseType = u8(734);
inline constexpr Field kAudiMmiParam = u8(735);
inline constexpr Field kCarDspNum = u8(736);
inline constexpr Field kCarDspType = u8(737);
inline constexpr Field kCarDspModeBits = u8(738);
inline constexpr Field kResEmulNum = u8(739);
inline constexpr Field kResEmulSwapXY = u8(740);
inline constexpr Field kResEmulSwapX = u8(741);
inline constexpr Field kResEmulSwapY = u8(742);
inline constexpr Field kGazerUartNum = u8(743);
inline constexpr Field kGazerUartType = u8(744);
inline constexpr Field kMctrlType = u8(745);
inline constexpr Field kMctrlLock = u8(746);
inline constexpr Field kMctrlSpeedMode = u8(747);
inline constexpr Field kMctrlLight = u8(748);
inline constexpr Field kMctrlSlaveMode = u8(749);
inline constexpr Field kMctrlOrientation = u8(750);
inline constexpr Field kAinetMode = u8(761);
inline constexpr Field kLinResChannel = u8(769);
inline constexpr Field kLinResTripPoint = u16(770);
inline constexpr Field kLinLightVarEnable = u8(772);
inline constexpr Field kLinHeatVarEnable = u8(773);

// PWM outputs (stored together as one block too).
inline constexpr Field kPwmBlock = param(779, 30);
inline constexpr Field kPwmPeriod = u16(779);
inline constexpr std::size_t kPwmChannelCount = 4;
inline constexpr std::size_t kPwmChannelStride = 7;
constexpr Field pwmPin(std::size_t channel) { return u8(781 + kPwmChannelStride * channel); }
constexpr Field pwmMin(std::size_t channel) { return u16(782 + kPwmChannelStride * channel); }
constexpr Field pwmMax(std::size_t channel) { return u16(784 + kPwmChannelStride * channel); }
constexpr Field pwmValue(std::size_t channel) { return u16(786 + kPwmChannelStride * channel); }
static_assert(pwmValue(kPwmChannelCount - 1).end() == kParamBlock.end());
static_assert(kPwmBlock.end() == kParamBlock.end());
static_assert(sourceName(kSourceCount).end() == kLinSpeedType.offset);

// Device-side values the image relies on.
inline constexpr std::uint16_t kDefaultLongPressMs = 1000;
inline constexpr std::uint16_t kFullScaleLevel = 4095;
// Two key levels closer than this are the same key.
inline constexpr unsigned kKeyLevelDistance = 64;

}  // namespace layout
}  // namespace kivprism::config
