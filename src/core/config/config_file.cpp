#include "core/config/config_file.hpp"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <system_error>

#include "core/config/text_codec.hpp"
#include "core/config/utf8_path.hpp"

namespace kivprism::config {

namespace {

namespace L = layout;

constexpr std::string_view kTouchSection = "TOUCH";
constexpr std::string_view kParamSection = "PARAM";
constexpr std::string_view kEventsSection = "EVENTS";
constexpr std::string_view kSourceSection = "SOURCE";

// A scalar key: one field, or a group of bits of one byte.
struct IntegerKey {
  std::string_view name;
  Field field;
  std::uint32_t loadDefault = 0;
  std::optional<BitField> bits = std::nullopt;
};

// Every integer key, first those written before the block keys, then those written after them.
constexpr std::size_t kKeysBeforeBlocks = 66;
const std::array<IntegerKey, 95> kIntegerKeys = {{
    {"ENC0MODE", L::kEnc0Mode},
    {"ENC0DIV", L::kEnc0Div},
    {"ENC1MODE", L::kEnc1Mode},
    {"ENC1DIV", L::kEnc1Div},
    {"TOUCH_MODE", L::kTouchMode, 1},
    {"TOUCH_INTERCEPT_SRCMASK", L::kTouchInterceptSrcMask},
    {"TOUCH_WAKEUP", L::kTouchWakeup},
    {"TOUCH_HIDE", L::kTouchHide},
    {"TOUCH_GESTURES", L::kTouchGestures},
    {"TOUCH_SRCMASK", L::kTouchSrcMask},
    {"KEY_REASSIGN_TO", L::kKeyReassignTo},
    {"RX350JOY_USE", L::kRx350JoyUse},
    {"SERIAL_USB_DELAY_USE", L::kSerialUsbDelayUse},
    {"IRINP_NUM", L::kIrInpNum},
    {"IRINP_INV", L::kIrInpInv},
    {"IRINP_ADT", L::kIrInpAdt},
    {"ANA_VOUT1", L::kAnaVout1},
    {"ANA_VOUT2", L::kAnaVout2},
    {"MINMAX_VOUT1", L::kMinMaxVout1},
    {"MINMAX_VOUT2", L::kMinMaxVout2},
    {"SERIAL_CH1", L::kSerialCh1},
    {"SERIAL_CH2", L::kSerialCh2},
    {"HEAD_TYPE", L::kHeadType},
    {"HEAD_NUM", L::kHeadNum},
    {"IEBUS_MODEBITS", L::kIebusModeBits},
    {"IEBUS_TOUCH", L::kIebusTouch},
    {"IEBUS_VOL_PREDDIV", L::kIebusVolPreDiv, 1},
    {"AMPLPARAM_TO", L::kAmplParamTo},
    {"GANET_MODE", L::kGanetMode},
    {"GANET_TOUCH", L::kGanetTouch},
    {"GANET_VOL_CH", L::kGanetVolCh},
    {"GANET_ACURA_JOY_USE_TYPE", L::kGanetAcuraJoyUseType},
    {"GANET_ACURA_COND_USE", L::kGanetAcuraCondUse},
    {"CANPARAM_BAUD500K", L::kCanParamBaud500k},
    {"CANPARAM_ACKED", L::kCanParamAcked},
    {"CITROEN_C5_PARKTRONIC_USE", L::kCitroenC5ParktronicUse},
    {"W203_CAN_WO_HEAD_USE", L::kW203CanWoHeadUse},
    {"IDRIVEPARAM_LIGHT", L::kIdriveLight},
    {"IDRIVEPARAM_TYPE", L::kIdriveType},
    {"IDRIVEPARAM_TOUCHPAD_MODE", L::kIdriveTouchpadMode},
    {"IDRIVEPARAM_TOUCHPAD_CLICK", L::kIdriveTouchpadClick},
    {"IDRIVEPARAM_ORIENTATION", L::kIdriveOrientation},
    {"IDRIVEPARAM_MODE", L::kIdriveMode},
    {"MCTRLPARAM_TYPE", L::kMctrlType},
    {"MCTRLPARAM_SLAVE_MODE", L::kMctrlSlaveMode},
    {"MCTRLPARAM_LIGHT", L::kMctrlLight},
    {"MCTRLPARAM_ORIENTATION", L::kMctrlOrientation},
    {"MCTRLPARAM_SPEEDMODE", L::kMctrlSpeedMode},
    {"MCTRLPARAM_LOCK", L::kMctrlLock},
    {"AINETPARAM_MODE", L::kAinetMode},
    {"IBUSPARAM_NUM", L::kIbusParamNum},
    {"IBUSPARAM_CDC", L::kIbusParamCdc},
    {"GPS_NUM", L::kGpsNum},
    {"GPS_SPEED", L::kGpsSpeed},
    {"GPS_PARITY", L::kGpsParity},
    {"GPS_COURSE", L::kGpsCourse},
    {"PULSE_NUMSRC", L::kPulseNumSrc},
    {"PULSE_NUM", L::kPulseNum},
    {"PULSE_MSACTIVE", L::kPulseMsActive},
    {"PULSE_MSPAUSE", L::kPulseMsPause},
    {"EXTNAVI_NUM", L::kExtNaviNum},
    {"EXTNAVI_TYPE", L::kExtNaviType},
    {"EXTNAVI_SRC", L::kExtNaviSrc},
    {"CAP2RES_NUM", L::kCap2ResNum},
    {"BT_NUM", L::kBtNum},
    {"RENAULT_JOY_TYPE", L::kRenaultJoyType},
    // Written after the block keys.
    {"PID_SUPPORT", L::kPidSupport},
    {"LINPARAM_SPEEDTYPE", L::kLinSpeedType},
    {"LINPARAM_SWAP_VOLDN_OK", L::kLinFlags, 0, L::kLinSwapVolDnOk},
    {"LINPARAM_TEMP_RELAY_PIN", L::kLinFlags, 0, L::kLinTempRelayPin},
    {"LINPARAM_SW_TYPE", L::kLinSwType},
    {"LINPARAM_res_channel", L::kLinResChannel},
    {"LINPARAM_res_trippoint", L::kLinResTripPoint},
    {"LIN_LIGHT_VAR_ENABLE", L::kLinLightVarEnable},
    {"LIN_HEAT_VAR_ENABLE", L::kLinHeatVarEnable},
    {"PS2PARAM_TYPE", L::kPs2Type},
    {"PS2PARAM_MNOG", L::kPs2Mnog},
    {"UARTPARAM_NUM", L::kUartNum},
    {"UARTPARAM_SPEED", L::kUartSpeed},
    {"UARTPARAM_PARITY", L::kUartParity},
    {"UARTPARAM_DelayMS", L::kUartDelayMs},
    {"UARTPARAM_ReplayMS", L::kUartReplayMs},
    {"GAZERUARTPARAM_TYPE", L::kGazerUartType},
    {"GAZERUARTPARAM_NUM", L::kGazerUartNum},
    {"AUDI_MMI_USE_TYPE", L::kAudiMmiUseType},
    {"AUDI_MMI_PARAM", L::kAudiMmiParam},
    {"CARDSP_RUX_PARAM_NUM", L::kCarDspNum},
    {"CARDSP_RUX_PARAM_TYPE", L::kCarDspType},
    {"CARDSP_RUX_PARAM_MODEBITS", L::kCarDspModeBits},
    {"RESEMULPARAM_NUM", L::kResEmulNum},
    {"RESEMULPARAM_SWAPXY", L::kResEmulSwapXY},
    {"RESEMULPARAM_SWAPX", L::kResEmulSwapX},
    {"RESEMULPARAM_SWAPY", L::kResEmulSwapY},
    {"VOLVO_ALPS_UART1", L::kVolvoAlpsUart1},
    {"HWRMAXTO", L::kHwrMaxTo, 1000},
}};

// The reader takes the scalar keys in its own order; the overlapping block keys come after them,
// so the block decides, and PID_SUPPORT and HWRMAXTO come last.
constexpr std::array<std::string_view, 93> kReadOrderBeforeBlocks = {"ENC0MODE",
                                                                     "ENC0DIV",
                                                                     "ENC1MODE",
                                                                     "ENC1DIV",
                                                                     "TOUCH_MODE",
                                                                     "TOUCH_INTERCEPT_SRCMASK",
                                                                     "TOUCH_WAKEUP",
                                                                     "TOUCH_HIDE",
                                                                     "TOUCH_GESTURES",
                                                                     "RX350JOY_USE",
                                                                     "SERIAL_USB_DELAY_USE",
                                                                     "KEY_REASSIGN_TO",
                                                                     "TOUCH_SRCMASK",
                                                                     "HEAD_TYPE",
                                                                     "HEAD_NUM",
                                                                     "IEBUS_MODEBITS",
                                                                     "IEBUS_TOUCH",
                                                                     "IEBUS_VOL_PREDDIV",
                                                                     "AMPLPARAM_TO",
                                                                     "GANET_MODE",
                                                                     "GANET_TOUCH",
                                                                     "GANET_VOL_CH",
                                                                     "GANET_ACURA_JOY_USE_TYPE",
                                                                     "GANET_ACURA_COND_USE",
                                                                     "CANPARAM_BAUD500K",
                                                                     "CANPARAM_ACKED",
                                                                     "CITROEN_C5_PARKTRONIC_USE",
                                                                     "W203_CAN_WO_HEAD_USE",
                                                                     "IDRIVEPARAM_LIGHT",
                                                                     "IDRIVEPARAM_TYPE",
                                                                     "IDRIVEPARAM_TOUCHPAD_MODE",
                                                                     "IDRIVEPARAM_TOUCHPAD_CLICK",
                                                                     "IDRIVEPARAM_ORIENTATION",
                                                                     "IDRIVEPARAM_MODE",
                                                                     "MCTRLPARAM_TYPE",
                                                                     "MCTRLPARAM_SLAVE_MODE",
                                                                     "MCTRLPARAM_LIGHT",
                                                                     "MCTRLPARAM_ORIENTATION",
                                                                     "MCTRLPARAM_SPEEDMODE",
                                                                     "MCTRLPARAM_LOCK",
                                                                     "AINETPARAM_MODE",
                                                                     "IBUSPARAM_NUM",
                                                                     "IBUSPARAM_CDC",
                                                                     "IRINP_NUM",
                                                                     "IRINP_INV",
                                                                     "IRINP_ADT",
                                                                     "ANA_VOUT1",
                                                                     "ANA_VOUT2",
                                                                     "MINMAX_VOUT1",
                                                                     "MINMAX_VOUT2",
                                                                     "SERIAL_CH1",
                                                                     "SERIAL_CH2",
                                                                     "GPS_NUM",
                                                                     "GPS_SPEED",
                                                                     "GPS_PARITY",
                                                                     "GPS_COURSE",
                                                                     "PULSE_NUMSRC",
                                                                     "PULSE_NUM",
                                                                     "PULSE_MSACTIVE",
                                                                     "PULSE_MSPAUSE",
                                                                     "EXTNAVI_NUM",
                                                                     "EXTNAVI_TYPE",
                                                                     "EXTNAVI_SRC",
                                                                     "CAP2RES_NUM",
                                                                     "BT_NUM",
                                                                     "RENAULT_JOY_TYPE",
                                                                     "LINPARAM_SPEEDTYPE",
                                                                     "LINPARAM_SWAP_VOLDN_OK",
                                                                     "LINPARAM_TEMP_RELAY_PIN",
                                                                     "LINPARAM_SW_TYPE",
                                                                     "LINPARAM_res_channel",
                                                                     "LINPARAM_res_trippoint",
                                                                     "LIN_LIGHT_VAR_ENABLE",
                                                                     "LIN_HEAT_VAR_ENABLE",
                                                                     "PS2PARAM_TYPE",
                                                                     "PS2PARAM_MNOG",
                                                                     "UARTPARAM_NUM",
                                                                     "UARTPARAM_SPEED",
                                                                     "UARTPARAM_PARITY",
                                                                     "UARTPARAM_DelayMS",
                                                                     "UARTPARAM_ReplayMS",
                                                                     "GAZERUARTPARAM_TYPE",
                                                                     "GAZERUARTPARAM_NUM",
                                                                     "AUDI_MMI_USE_TYPE",
                                                                     "AUDI_MMI_PARAM",
                                                                     "CARDSP_RUX_PARAM_NUM",
                                                                     "CARDSP_RUX_PARAM_TYPE",
                                                                     "CARDSP_RUX_PARAM_MODEBITS",
                                                                     "RESEMULPARAM_NUM",
                                                                     "RESEMULPARAM_SWAPXY",
                                                                     "RESEMULPARAM_SWAPX",
                                                                     "RESEMULPARAM_SWAPY",
                                                                     "VOLVO_ALPS_UART1"};
constexpr std::array<std::string_view, 2> kReadOrderAfterBlocks = {"PID_SUPPORT", "HWRMAXTO"};

struct BlockKey {
  std::string_view name;
  Field field;
};
const std::array<BlockKey, 4> kBlockKeys = {{{"KEY", L::kKeyBlock},
                                             {"ANAPARAM", L::kAnalogBlock},
                                             {"PINMODE", L::kPinModeBlock},
                                             {"INTERFACE", L::kInterfaceBlock}}};
constexpr std::string_view kPwmKey = "PWMPARAM";

const IntegerKey& integerKey(std::string_view name) {
  for (const auto& key : kIntegerKeys) {
    if (key.name == name) {
      return key;
    }
  }
  std::abort();  // the order lists name only keys of the table
}

std::string keyChannelSection(std::size_t channel) {
  return "KEYSCH" + std::to_string(channel + 1);
}
std::string keyName(std::size_t key) {
  const std::string n = std::to_string(key + 1);
  return "KEY" + (n.size() < 2 ? "0" + n : n);
}
std::string entryKey(std::size_t index) {
  const std::string n = std::to_string(index + 1);
  return "EVRESP" + (n.size() < 2 ? "0" + n : n);
}
std::string sourceKey(std::size_t source) { return "NAME" + std::to_string(source); }

std::uint32_t keyValue(const ConfigImage& image, const IntegerKey& key) {
  return key.bits ? image.getBits(*key.bits) : image.get(key.field);
}

void storeKeyValue(ConfigImage& image, const IntegerKey& key, std::uint32_t value) {
  if (key.bits) {
    image.setBits(*key.bits, value);
  } else {
    image.set(key.field, value);
  }
}

void readIntegerKey(const ProfileStore& profile, ConfigImage& image, std::string_view name) {
  const IntegerKey& key = integerKey(name);
  const auto text = profile.get(kParamSection, key.name);
  const auto value = text ? parseProfileInteger(*text) : std::nullopt;
  storeKeyValue(image, key, value.value_or(key.loadDefault));
}

void readBlock(const ProfileStore& profile, ConfigImage& image, std::string_view section,
               std::string_view key, Field field) {
  hexToBytes(profile.get(section, key, ""), image.span(field));
}

void writeBlock(const ConfigImage& image, ProfileStore& profile, std::string_view section,
                std::string_view key, Field field) {
  profile.set(section, key, bytesToHex(image.span(field)));
}

void writeIntegerKey(const ConfigImage& image, ProfileStore& profile, const IntegerKey& key) {
  // Values are written as signed 32-bit numbers of the field's pattern.
  const auto value = static_cast<std::int32_t>(keyValue(image, key));
  profile.set(kParamSection, key.name, std::to_string(value));
}

}  // namespace

std::optional<std::string_view> integerKeyName(Field field, std::optional<BitField> bits) {
  for (const auto& key : kIntegerKeys) {
    if (key.field != field) {
      continue;
    }
    const bool sameBits =
        key.bits.has_value() == bits.has_value() &&
        (!bits || (key.bits->shift == bits->shift && key.bits->bits == bits->bits));
    if (sameBits) {
      return key.name;
    }
  }
  return std::nullopt;
}

std::optional<std::uint32_t> parseProfileInteger(std::string_view text) {
  text = trimBlanks(text);
  std::uint64_t value = 0;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    for (char c : text.substr(2)) {
      const auto digit = hexDigitValue(c);
      if (!digit) {
        return std::nullopt;
      }
      value = ((value << 4) | *digit) & 0xFFFFFFFFu;
    }
    return static_cast<std::uint32_t>(value);
  }
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) {
    return std::nullopt;
  }
  for (char c : text) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    value = (value * 10 + static_cast<unsigned>(c - '0')) & 0xFFFFFFFFu;
  }
  const auto low = static_cast<std::uint32_t>(value);
  return negative ? static_cast<std::uint32_t>(0u - low) : low;
}

void loadImage(const ProfileStore& profile, ConfigImage& image) {
  image.clear(L::kParamBlock);
  readBlock(profile, image, kTouchSection, "TOUCH", L::kTouchBlock);
  for (std::string_view name : kReadOrderBeforeBlocks) {
    readIntegerKey(profile, image, name);
  }
  for (const auto& block : kBlockKeys) {
    readBlock(profile, image, kParamSection, block.name, block.field);
  }
  for (std::string_view name : kReadOrderAfterBlocks) {
    readIntegerKey(profile, image, name);
  }
  for (std::size_t c = 0; c < L::kKeyChannelCount; ++c) {
    for (std::size_t k = 0; k < L::kKeysPerChannel; ++k) {
      readBlock(profile, image, keyChannelSection(c), keyName(k), L::keyEntry(c, k));
    }
  }
  for (std::size_t n = 0; n < L::kEntryCount; ++n) {
    readBlock(profile, image, kEventsSection, entryKey(n), L::entry(n));
  }
  const auto useName = parseProfileInteger(profile.get(kSourceSection, "USE_NAME", ""));
  image.set(L::kUseName, useName.value_or(0));
  for (std::size_t s = 1; s <= L::kSourceCount; ++s) {
    setFieldText(image.span(L::sourceName(s)), profile.get(kSourceSection, sourceKey(s), ""));
  }
  readBlock(profile, image, kParamSection, kPwmKey, L::kPwmBlock);
}

void saveImage(const ConfigImage& image, ProfileStore& profile) {
  writeBlock(image, profile, kTouchSection, "TOUCH", L::kTouchBlock);
  for (std::size_t i = 0; i < kKeysBeforeBlocks; ++i) {
    writeIntegerKey(image, profile, kIntegerKeys[i]);
  }
  for (const auto& block : kBlockKeys) {
    writeBlock(image, profile, kParamSection, block.name, block.field);
  }
  for (std::size_t i = kKeysBeforeBlocks; i < kIntegerKeys.size(); ++i) {
    writeIntegerKey(image, profile, kIntegerKeys[i]);
  }
  for (std::size_t c = 0; c < L::kKeyChannelCount; ++c) {
    for (std::size_t k = 0; k < L::kKeysPerChannel; ++k) {
      writeBlock(image, profile, keyChannelSection(c), keyName(k), L::keyEntry(c, k));
    }
  }
  for (std::size_t n = 0; n < L::kEntryCount; ++n) {
    writeBlock(image, profile, kEventsSection, entryKey(n), L::entry(n));
  }
  profile.set(kSourceSection, "USE_NAME", std::to_string(image.get(L::kUseName)));
  for (std::size_t s = 1; s <= L::kSourceCount; ++s) {
    profile.set(kSourceSection, sourceKey(s), fieldText(image.span(L::sourceName(s))));
  }
  writeBlock(image, profile, kParamSection, kPwmKey, L::kPwmBlock);
}

std::string FileError::describe() const { return pathToUtf8(path) + ": " + reason; }

bool holdsConfigurationKeys(const ProfileStore& profile) {
  const auto has = [&profile](std::string_view section, std::string_view key) {
    return profile.get(section, key).has_value();
  };
  if (has(kTouchSection, "TOUCH") || has(kParamSection, kPwmKey) ||
      has(kSourceSection, "USE_NAME")) {
    return true;
  }
  for (const auto& key : kIntegerKeys) {
    if (has(kParamSection, key.name)) {
      return true;
    }
  }
  for (const auto& block : kBlockKeys) {
    if (has(kParamSection, block.name)) {
      return true;
    }
  }
  for (std::size_t c = 0; c < L::kKeyChannelCount; ++c) {
    for (std::size_t k = 0; k < L::kKeysPerChannel; ++k) {
      if (has(keyChannelSection(c), keyName(k))) {
        return true;
      }
    }
  }
  for (std::size_t n = 0; n < L::kEntryCount; ++n) {
    if (has(kEventsSection, entryKey(n))) {
      return true;
    }
  }
  for (std::size_t s = 1; s <= L::kSourceCount; ++s) {
    if (has(kSourceSection, sourceKey(s))) {
      return true;
    }
  }
  return false;
}

namespace {

// A section every saved file has, with the key the writer puts last into it and that key's hex
// length (0: not a block, its length says nothing).
struct RequiredSection {
  std::string name;
  std::string lastKey;
  std::size_t lastKeyHex = 0;
};

std::vector<RequiredSection> requiredSections() {
  std::vector<RequiredSection> out;
  out.push_back({std::string(kTouchSection), "TOUCH", 2 * L::kTouchBlock.width});
  // The parameters gained keys over time; an older file's section ends where its keys end.
  out.push_back({std::string(kParamSection), "", 0});
  for (std::size_t c = 0; c < L::kKeyChannelCount; ++c) {
    out.push_back({keyChannelSection(c), keyName(L::kKeysPerChannel - 1),
                   2 * L::keyEntry(c, L::kKeysPerChannel - 1).width});
  }
  out.push_back({std::string(kEventsSection), entryKey(L::kEntryCount - 1),
                 2 * L::entry(L::kEntryCount - 1).width});
  out.push_back({std::string(kSourceSection), "", 0});
  return out;
}

// The hex length of a block key of the section; nothing for any other key.
std::optional<std::size_t> blockHexLength(std::string_view section, std::string_view key) {
  const auto is = [](std::string_view a, std::string_view b) { return equalsIgnoreCase(a, b); };
  if (is(section, kTouchSection) && is(key, "TOUCH")) {
    return 2 * L::kTouchBlock.width;
  }
  if (is(section, kParamSection)) {
    for (const auto& block : kBlockKeys) {
      if (is(key, block.name)) {
        return 2 * block.field.width;
      }
    }
    return is(key, kPwmKey) ? std::optional(2 * L::kPwmBlock.width) : std::nullopt;
  }
  for (std::size_t c = 0; c < L::kKeyChannelCount; ++c) {
    for (std::size_t k = 0; is(section, keyChannelSection(c)) && k < L::kKeysPerChannel; ++k) {
      if (is(key, keyName(k))) {
        return 2 * L::keyEntry(c, k).width;
      }
    }
  }
  for (std::size_t n = 0; is(section, kEventsSection) && n < L::kEntryCount; ++n) {
    if (is(key, entryKey(n))) {
      return 2 * L::entry(n).width;
    }
  }
  return std::nullopt;
}

// The text's last line when the text stops in it (no line end after it).
std::optional<std::string_view> unfinishedLastLine(std::string_view text) {
  if (text.empty() || text.back() == '\n' || text.back() == '\r') {
    return std::nullopt;
  }
  const auto start = text.find_last_of("\r\n");
  return trimBlanks(start == std::string_view::npos ? text : text.substr(start + 1));
}

// Whether an unfinished last line of the section was cut: a header without its closing bracket,
// or a block value shorter than its block.
bool cutInside(std::string_view section, std::string_view line) {
  if (line.starts_with('[')) {
    return line.find(']') == std::string_view::npos;
  }
  const auto eq = line.find('=');
  if (eq == std::string_view::npos) {
    return false;
  }
  const auto hex = blockHexLength(section, trimBlanks(line.substr(0, eq)));
  return hex && trimBlanks(line.substr(eq + 1)).size() < *hex;
}

FileError tooLarge(const std::filesystem::path& path, std::uintmax_t maxBytes) {
  return FileError{path, "too large to be read (over " + std::to_string(maxBytes) + " bytes)",
                   FileError::Kind::TooLarge};
}

// Follows a chain of symbolic links to the file it ends at (which may not exist yet).
std::optional<std::filesystem::path> linkTarget(std::filesystem::path path) {
  constexpr int kMostLinks = 40;  // as the system's own loop limit
  for (int hops = 0; hops < kMostLinks; ++hops) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec))) {
      return path;
    }
    const std::filesystem::path target = std::filesystem::read_symlink(path, ec);
    if (ec) {
      return std::nullopt;
    }
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return std::nullopt;
}

}  // namespace

std::optional<FileError> readFileBytes(const std::filesystem::path& path, std::string& out,
                                       std::uintmax_t maxBytes) {
  // Checked before reading, so a huge file costs nothing; the read below also stops at the limit
  // for files whose size the system does not know (pipes, devices).
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (!ec && size > maxBytes) {
    return tooLarge(path, maxBytes);
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return FileError{path, std::strerror(errno)};
  }
  // A failing disk makes read() return EIO (a folder EISDIR); the stream reports it as an
  // exception that carries the error number.
  in.exceptions(std::ios::badbit);
  std::string text;
  try {
    std::array<char, std::size_t{64} * 1024> chunk{};
    while (in) {
      in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
      text.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
      if (text.size() > maxBytes) {
        return tooLarge(path, maxBytes);
      }
    }
  } catch (const std::ios_base::failure& failure) {
    const std::error_code& code = failure.code();
    return FileError{
        path, code.category() == std::iostream_category() ? std::strerror(EIO) : code.message()};
  }
  out = std::move(text);
  return std::nullopt;
}

std::optional<FileError> writeFileAtomically(const std::filesystem::path& path,
                                             std::string_view bytes) {
  // Saving through a link replaces the file it points to and keeps the link.
  const auto target = linkTarget(path);
  if (!target) {
    return FileError{path, std::strerror(ELOOP)};
  }
  std::error_code ec;
  const std::filesystem::file_status existing = std::filesystem::status(*target, ec);
  std::random_device seed;
  const auto temp = std::filesystem::path(*target).concat(".tmp" + std::to_string(seed() % 100000));
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) {
      return FileError{path, std::strerror(errno)};
    }
    // The replacement gets the old file's permissions before it holds any of the content.
    if (std::filesystem::is_regular_file(existing)) {
      std::filesystem::permissions(temp, existing.permissions(), ec);
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      const int err = errno;
      out.close();
      std::error_code ignored;
      std::filesystem::remove(temp, ignored);
      return FileError{path, std::strerror(err != 0 ? err : EIO)};
    }
  }
  std::filesystem::rename(temp, *target, ec);
  if (ec) {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    return FileError{path, ec.message()};
  }
  return std::nullopt;
}

std::string FileDamage::describe() const {
  std::string text;
  if (!missingSections.empty()) {
    text = missingSections.size() == 1 ? "the section " : "the sections ";
    for (std::size_t i = 0; i < missingSections.size(); ++i) {
      text += (i == 0 ? "" : ", ") + missingSections[i];
    }
    text += missingSections.size() == 1 ? " is missing" : " are missing";
  }
  if (!cutSection.empty()) {
    text += (text.empty() ? "" : "; ") + std::string("the file ends inside section ") + cutSection;
  }
  return text;
}

FileDamage findDamage(std::string_view text, const ProfileStore& profile) {
  FileDamage damage;
  const std::vector<std::string> present = profile.sectionNames();
  const auto has = [&present](std::string_view name) {
    return std::any_of(present.begin(), present.end(),
                       [name](const std::string& p) { return equalsIgnoreCase(p, name); });
  };
  const std::vector<RequiredSection> required = requiredSections();
  for (const RequiredSection& r : required) {
    if (!has(r.name)) {
      damage.missingSections.push_back(r.name);
    }
  }
  // The configuration section the text ends in: the last of them in the text.
  const RequiredSection* last = nullptr;
  std::string lastName;
  for (const std::string& name : present) {
    for (const RequiredSection& r : required) {
      if (equalsIgnoreCase(name, r.name)) {
        last = &r;
        lastName = name;
      }
    }
  }
  if (last == nullptr) {
    return damage;
  }
  bool cut = false;
  if (!last->lastKey.empty()) {
    // A section of fixed keys holds its last key whole.
    const auto value = profile.get(last->name, last->lastKey);
    cut = !value || value->size() < last->lastKeyHex;
  }
  if (const auto line = unfinishedLastLine(text)) {
    cut = cut || cutInside(lastName, *line);
  }
  if (cut) {
    damage.cutSection = last->name;
  }
  return damage;
}

std::optional<FileError> readConfigFile(const std::filesystem::path& path, ConfigImage& image,
                                        const AcceptDamage& acceptDamage) {
  std::string text;
  if (auto error = readFileBytes(path, text)) {
    return error;
  }
  const ProfileStore profile = ProfileStore::parse(text);
  if (!holdsConfigurationKeys(profile)) {
    return FileError{path, "not a configuration file (none of its sections and keys)",
                     FileError::Kind::NotConfiguration};
  }
  FileDamage damage = findDamage(text, profile);
  if (damage.damaged() && !(acceptDamage && acceptDamage(damage))) {
    FileError error{path, "damaged: " + damage.describe(), FileError::Kind::Damaged};
    error.damage = std::move(damage);
    return error;
  }
  loadImage(profile, image);
  return std::nullopt;
}

std::optional<FileError> writeConfigFile(const std::filesystem::path& path,
                                         const ConfigImage& image) {
  std::string existing;
  std::error_code ec;
  if (std::filesystem::exists(path, ec)) {
    if (auto error = readFileBytes(path, existing)) {
      return error;
    }
  }
  ProfileStore profile = ProfileStore::parse(existing);
  saveImage(image, profile);
  return writeFileAtomically(path, profile.serialize());
}

}  // namespace kivprism::config
