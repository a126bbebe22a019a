#include "core/params/assignment.hpp"

#include <string>

namespace kivprism::params {

namespace layout = config::layout;
using config::ConfigImage;
using lang::TextPair;

namespace {

// List positions the rules test. UART ports: port 1 is X4/2 + X4/3, port 2 is X6/2 + X6/3.
constexpr unsigned kPort1 = 1;
constexpr unsigned kPort2 = 2;
// Encoder modes that use a UART port's pins.
constexpr unsigned kEncoderOnPort1 = 5;
constexpr unsigned kEncoderOnPort2 = 6;
// Touch mode 4 takes its coordinates from the intercepted sources (a mask, not a panel).
constexpr unsigned kTouchModeIntercept = 4;
// A source mask with every source ticked means "any source", which the controller keeps as 0.
constexpr std::uint8_t kEverySource = 0xFF;
// The seven USB functions of the USB-mode check list; the field's other bits are kept.
constexpr unsigned kUsbFunctionBits = 0x7F;

constexpr std::array<PinInfo, kPinCount> kPins = {{
    {"ComboBoxX22x", Pin::X22, lists::pinGeneral, true},
    {"ComboBoxX23x", Pin::X23, lists::pinGeneral, true},
    {"ComboBoxX24x", Pin::X24, lists::pinGeneral, true},
    {"ComboBoxX25x", Pin::X25, lists::pinGeneral, true},
    {"ComboBoxX26x", Pin::X26, lists::pinGeneral, true},
    {"ComboBoxX42x", Pin::X42, lists::pinGeneral, true},
    {"ComboBoxX43x", Pin::X43, lists::pinGeneral, true},
    {"ComboBoxX56x", Pin::X56, lists::pinPower, false},
    {"ComboBoxX57x", Pin::X57, lists::pinOpenCollector, false},
    {"ComboBoxX58x", Pin::X58, lists::pinOpenCollector, false},
    {"ComboBoxX62x", Pin::X62, lists::pinGeneral, true},
    {"ComboBoxX63x", Pin::X63, lists::pinGeneral, true},
    {"ComboBoxX65x", Pin::X65, lists::pinGeneral, true},
    {"ComboBoxX66x", Pin::X66, lists::pinGeneral, true},
    {"ComboBoxIO5x", Pin::IO5, lists::pinGeneral, true},
    {"ComboBoxIO6x", Pin::IO6, lists::pinGeneral, true},
}};

constexpr std::array<std::string_view, kPinCount> kPinNames = {
    "X2/2", "X2/3", "X2/4", "X2/5", "X2/6", "X4/2", "X4/3", "X5/6",
    "X5/7", "X5/8", "X6/2", "X6/3", "X6/5", "X6/6", "IO5",  "IO6"};

constexpr TextPair kPinClaimedTwice{"Вывод %s занят дважды: %s и %s",
                                    "Pin %s is claimed twice: %s and %s"};

constexpr TextPair kOwnerTouch{"Тачпанель", "Touchpanel"};
constexpr TextPair kOwnerIr{"ИК вход", "IR input"};
constexpr TextPair kOwnerEncoder1{"Энкодер 1", "Encoder 1"};
constexpr TextPair kOwnerEncoder2{"Энкодер 2", "Encoder 2"};
constexpr TextPair kOwnerGps{"UART GPS", "UART GPS"};
constexpr TextPair kOwnerHead{"HEAD UNIT", "HEAD UNIT"};
constexpr TextPair kOwnerCap2Res{"CAP2RES", "CAP2RES"};
constexpr TextPair kOwnerBt{"Bluetooth", "Bluetooth"};
constexpr TextPair kOwnerUart{"UART", "UART"};
constexpr TextPair kOwnerGazer{"GAZER", "GAZER"};
constexpr TextPair kOwnerCarDsp{"CarDSP", "CarDSP"};

// IR-input positions 1..11 in list order; 18 and 19 are IO5 and IO6.
constexpr std::array<Pin, 11> kIrPins = {Pin::X22, Pin::X23, Pin::X24, Pin::X25, Pin::X26, Pin::X42,
                                         Pin::X43, Pin::X62, Pin::X63, Pin::X65, Pin::X66};
constexpr unsigned kIrPositionIo5 = 18;
constexpr unsigned kIrPositionIo6 = 19;

constexpr std::array<PortModuleInfo, 9> kPortModules = {{
    {PortModule::Gps, "ComboBoxGPSNUM", layout::kGpsNum, "GPS UART"},
    {PortModule::Head, "ComboBoxHEADNUM", layout::kHeadNum, "HEAD UNIT"},
    {PortModule::Cap2Res, "ComboBoxCap2ResNum", layout::kCap2ResNum, "CAP2RES"},
    {PortModule::Bt, "ComboBoxBTNum", layout::kBtNum, "BT UART"},
    {PortModule::Uart, "ComboBoxUARTNum", layout::kUartNum, "UART"},
    {PortModule::CarDsp, "ComboBoxCarDspConnect", layout::kCarDspNum, "CarDSP"},
    {PortModule::ResEmul, "ComboBoxRESEMULPARAM", layout::kResEmulNum, "UART"},
    {PortModule::Gazer, "ComboBoxGAZERUARTNum", layout::kGazerUartNum, "UART"},
    {PortModule::ExtNavi, "ComboBoxEXTNAVINUM", layout::kExtNaviNum, "EXT NAVI"},
}};

constexpr TextPair kPortInUse{
    "Вы не можете использовать эти ножки для подключения %s модуля,\nтак как они уже "
    "используются для подключения %s",
    "You can not use those pins to connect %s module\nbecause as they are already used to "
    "connect %s"};

constexpr TextPair kEncoderOutputs{
    "Вы не можете использовать эти ножки для энкодера %d,\nтак как они уже используются как "
    "выходы",
    "You can not use those pins for encoder %d\nbecause as they are already used for output"};
constexpr TextPair kEncoderTouch{
    "Вы не можете использовать эти ножки для энкодера %d,\nтак как они уже используются для "
    "тачпанели",
    "You can not use those pins for encoder %d\nbecause as they are already used for touchpanel"};
constexpr TextPair kEncoderGps{
    "Вы не можете использовать эти ножки для энкодера %d,\nтак как они уже используются для "
    "подключения GPS UART модуля",
    "You can not use those pins for encoder %d,\nbecause she already used to connect the GPS UART "
    "module"};
constexpr TextPair kEncoderHead{
    "Вы не можете использовать эти ножки для энкодера %d,\nтак как они уже используются для "
    "подключения головного устройства",
    "You can not use those pins for encoder %d,\nbecause she already used to connect the HEAD "
    "UNIT"};
constexpr TextPair kEncoder1Twin{
    "Вы не можете использовать эти ножки для энкодера 1,\nтак как они уже используются для "
    "подключения энкодера 2",
    "You can not use those pins for encoder 1,\nbecause she already used to connect the encoder 2"};
constexpr TextPair kEncoder2Twin{
    "Вы не можете использовать эти ножки для энкодера 2,\nтак как они уже используются для "
    "подключения энкодера 1",
    "You can not use those pins for encoder 2,\nbecause she already used to connect the encoder 1"};

constexpr TextPair kTouchPins{
    "Вы не можете использовать тачпанель,\nтак как ее ножки подключения уже используются",
    "You can not use touchpanel,\nbecause her pins is already in use"};
constexpr TextPair kTouchEncoder1{
    "Вы не можете использовать тачпанель,\nтак как ее ножки подключения уже используются для "
    "энкодера 1",
    "You can not use touchpanel,\nbecause her pins are already used to connect the encoder 1."};
constexpr TextPair kTouchEncoder2{
    "Вы не можете использовать тачпанель,\nтак как ее ножки подключения уже используются для "
    "энкодера 2",
    "You can not use touchpanel,\nbecause her pins are already used to connect the encoder 2."};
constexpr TextPair kTouchIr{
    "Вы не можете использовать тачпанель,\nтак как ее ножки подключения уже используются как ИК "
    "вход",
    "You can not use touchpanel,\nbecause her pins are already used to connect the IR input."};
constexpr TextPair kTouchHead{
    "Вы не можете использовать тачпанель,\nтак как используется HEADUNIT для их получения",
    "You can not use touchpanel,\nbecause HEADUNIT as used to obtain them"};
constexpr TextPair kTouchIebus{
    "Вы не можете использовать тачпанель,\nтак как используется шина IEBUS для их получения",
    "You can not use touchpanel,\nbecause IEBUS tire as used to obtain them"};

constexpr TextPair kIrUsed{
    "Вы не можете использовать эту ножку как ИК вход,\nтак как она уже используется",
    "You can not use this pin as IR input,\nbecause as it is already used"};
constexpr TextPair kIrTouch{
    "Вы не можете использовать эту ножку как ИК вход,\nтак как она уже используется для "
    "тачпанели",
    "You can not use this pin as IR input,\nbecause as it is already used for touchpanel"};
constexpr TextPair kIrEncoder1{
    "Вы не можете использовать эту ножку как ИК вход,\nтак как она уже используются для "
    "энкодера 1",
    "You can not use this pin as IR input,\nbecause as it already used for encoder 1"};
constexpr TextPair kIrEncoder2{
    "Вы не можете использовать эту ножку как ИК вход,\nтак как она уже используются для "
    "энкодера 2",
    "You can not use this pin as IR input,\nbecause as it already used for encoder 2"};
constexpr TextPair kIrGps{
    "Вы не можете использовать эту ножку как ИК вход,\nтак как она уже используются для "
    "подключения GPS UART модуля",
    "You can not use this pin as IR input,\nbecause she already used to connect the GPS UART "
    "module"};
constexpr TextPair kIrHead{
    "Вы не можете использовать эту ножку как ИК вход,\nтак как она уже используются для "
    "подключения головного устройства",
    "You can not use this pin as IR input,\nbecause she already used to connect the HEAD UNIT"};

constexpr TextPair kPulseConfigureFirst{"Сначала настройте параметры вывода\nво вкладке \"Выводы\"",
                                        "First, configure the pin options\nin the \"Pins\""};

constexpr TextPair kIebusTouchPanel{
    "Вы не можете использовать координаты от шины IEBUS,\nтак как используется тачпанель для их "
    "ввода",
    "You can not use the coordinates from the bus IEBUS,\nbecause touchpanel used as input for "
    "their"};
constexpr TextPair kIebusTouchHead{
    "Вы не можете использовать координаты от шины IEBUS,\nтак как используется ввод координат от "
    "HEADUNIT",
    "You can not use the coordinates from the bus IEBUS,\nbecause used as input the coordinates "
    "of HEADUNIT"};

Notice info(const TextPair& pair) { return plainNotice(NoticeKind::Information, pair); }

Notice infoWithNumber(const TextPair& pair, unsigned number) {
  return {NoticeKind::Information, lang::formatText(pair.ru, static_cast<int>(number)),
          lang::formatText(pair.en, static_cast<int>(number))};
}

unsigned modeOf(const ConfigImage& image, Pin pin) { return image.getU8(layout::pinMode(pin)); }

// Port 1 is X4/2 + X4/3, port 2 is X6/2 + X6/3.
template <typename Claim>
void claimPort(Claim& claim, unsigned port, const TextPair& owner) {
  if (port == kPort1) {
    claim(Pin::X42, owner);
    claim(Pin::X43, owner);
  } else if (port == kPort2) {
    claim(Pin::X62, owner);
    claim(Pin::X63, owner);
  }
}

template <typename Claim>
void claimEncoder(Claim& claim, unsigned mode, const TextPair& owner) {
  if (const auto pins = encoderPins(mode)) {
    claim((*pins)[0], owner);
    claim((*pins)[1], owner);
  }
}

// Calls claim(pin, owner) for every pin a switched-on function holds, owners in their fixed order.
template <typename Claim>
void walkClaims(const ConfigImage& image, Claim&& claim) {
  if (touchPanelOn(image)) {
    for (Pin pin : {Pin::X22, Pin::X23, Pin::X24, Pin::X25, Pin::X26}) {
      claim(pin, kOwnerTouch);
    }
  }
  if (const auto pin = irInputPin(image.getU8(layout::kIrInpNum))) {
    claim(*pin, kOwnerIr);
  }
  claimEncoder(claim, image.getU8(layout::kEnc0Mode), kOwnerEncoder1);
  claimEncoder(claim, image.getU8(layout::kEnc1Mode), kOwnerEncoder2);
  claimPort(claim, image.getU8(layout::kGpsNum), kOwnerGps);
  claimPort(claim, image.getU8(layout::kHeadNum), kOwnerHead);
  claimPort(claim, image.getU8(layout::kCap2ResNum), kOwnerCap2Res);
  claimPort(claim, image.getU8(layout::kBtNum), kOwnerBt);
  claimPort(claim, image.getU8(layout::kUartNum), kOwnerUart);
  switch (image.getU8(layout::kGazerUartNum)) {
    case 1:
      claim(Pin::X42, kOwnerGazer);
      break;
    case 2:
      claim(Pin::X62, kOwnerGazer);
      break;
    default:
      break;
  }
  claimPort(claim, image.getU8(layout::kCarDspNum), kOwnerCarDsp);
}

bool encoderOnTouchPins(unsigned mode) { return mode == 1 || mode == 2; }

}  // namespace

std::span<const PinInfo> pinTable() { return kPins; }

const PinInfo& pinInfo(Pin pin) { return kPins[static_cast<std::size_t>(pin)]; }

std::optional<std::array<Pin, 2>> encoderPins(unsigned mode) {
  switch (mode) {
    case 1:
      return std::array{Pin::X22, Pin::X23};
    case 2:
      return std::array{Pin::X24, Pin::X25};
    case kEncoderOnPort1:
      return std::array{Pin::X42, Pin::X43};
    case kEncoderOnPort2:
      return std::array{Pin::X62, Pin::X63};
    case 7:
      return std::array{Pin::X65, Pin::X66};
    case 8:
      return std::array{Pin::IO5, Pin::IO6};
    default:
      return std::nullopt;
  }
}

std::optional<Pin> irInputPin(unsigned position) {
  if (position >= 1 && position <= kIrPins.size()) {
    return kIrPins[position - 1];
  }
  if (position == kIrPositionIo5) {
    return Pin::IO5;
  }
  if (position == kIrPositionIo6) {
    return Pin::IO6;
  }
  return std::nullopt;
}

std::optional<Pin> outputPinWithMode(unsigned position) {
  // Positions 8 and 9 are the open-collector outputs X5/7 and X5/8, which need no set-up.
  if (position >= 1 && position <= 7) {
    return static_cast<Pin>(position - 1);
  }
  if (position >= 10 && position <= 15) {
    return static_cast<Pin>(position);
  }
  return std::nullopt;
}

bool touchPanelOn(const ConfigImage& image) {
  const unsigned mode = image.getU8(layout::kTouchMode);
  return mode >= 1 && mode <= 3;
}

PinClaims computeClaims(const ConfigImage& image) {
  PinClaims claims;
  walkClaims(image, [&claims](Pin pin, const TextPair& owner) {
    claims.owner[static_cast<std::size_t>(pin)] = &owner;
  });
  return claims;
}

void releaseClaimedModes(ConfigImage& image, const PinClaims& claims) {
  for (const PinInfo& p : kPins) {
    if (claims.claimed(p.pin)) {
      image.set(layout::pinMode(p.pin), 0);
    }
  }
}

std::string_view pinName(Pin pin) { return kPinNames[static_cast<std::size_t>(pin)]; }

std::vector<PinOverlap> pinClaimOverlaps(const ConfigImage& image) {
  std::array<std::vector<const TextPair*>, kPinCount> owners;
  walkClaims(image, [&owners](Pin pin, const TextPair& owner) {
    owners[static_cast<std::size_t>(pin)].push_back(&owner);
  });
  std::vector<PinOverlap> overlaps;
  for (std::size_t pin = 0; pin < kPinCount; ++pin) {
    const auto& claimants = owners[pin];
    for (std::size_t i = 0; i < claimants.size(); ++i) {
      for (std::size_t j = i + 1; j < claimants.size(); ++j) {
        overlaps.push_back({static_cast<Pin>(pin), *claimants[i], *claimants[j]});
      }
    }
  }
  return overlaps;
}

std::string pinOverlapWarning(const PinOverlap& overlap, lang::Language language) {
  const std::string pin(pinName(overlap.pin));
  const std::string first(overlap.first.in(language));
  const std::string second(overlap.second.in(language));
  return lang::formatText(kPinClaimedTwice.in(language), pin.c_str(), first.c_str(),
                          second.c_str());
}

std::string pinOverlapWarning(const PinOverlap& overlap) {
  return pinOverlapWarning(overlap, lang::currentLanguage());
}

std::span<const PortModuleInfo> portModules() { return kPortModules; }

std::optional<Notice> setPortModule(ConfigImage& image, PortModule module, unsigned value) {
  const PortModuleInfo& m = kPortModules[static_cast<std::size_t>(module)];
  if (image.getU8(m.field) == value) {
    return std::nullopt;  // not a change: the module keeps the pins it holds
  }
  if (value != kPort1 && value != kPort2) {
    image.set(m.field, 0);
    return std::nullopt;
  }
  const Pin first = value == kPort1 ? Pin::X42 : Pin::X62;
  const PinClaims claims = computeClaims(image);
  if (!claims.claimed(first)) {
    image.set(m.field, value);
    return std::nullopt;
  }
  image.set(m.field, 0);
  const TextPair& owner = *claims.owner[static_cast<std::size_t>(first)];
  const std::string name(m.checkName);
  return Notice{NoticeKind::Information,
                lang::formatText(kPortInUse.ru, name.c_str(), std::string(owner.ru).c_str()),
                lang::formatText(kPortInUse.en, name.c_str(), std::string(owner.en).c_str())};
}

std::optional<Notice> setEncoderMode(ConfigImage& image, unsigned encoder, unsigned mode) {
  const config::Field own = encoder == 1 ? layout::kEnc0Mode : layout::kEnc1Mode;
  const config::Field other = encoder == 1 ? layout::kEnc1Mode : layout::kEnc0Mode;
  if (mode != 0) {
    if (const auto pins = encoderPins(mode)) {
      if (modeOf(image, (*pins)[0]) != 0 || modeOf(image, (*pins)[1]) != 0) {
        return infoWithNumber(kEncoderOutputs, encoder);
      }
    }
    if (encoderOnTouchPins(mode) && touchPanelOn(image)) {
      return infoWithNumber(kEncoderTouch, encoder);
    }
    const unsigned gps = image.getU8(layout::kGpsNum);
    if ((mode == kEncoderOnPort1 && gps == kPort1) || (mode == kEncoderOnPort2 && gps == kPort2)) {
      return infoWithNumber(kEncoderGps, encoder);
    }
    const unsigned head = image.getU8(layout::kHeadNum);
    if ((mode == kEncoderOnPort1 && head == kPort1) ||
        (mode == kEncoderOnPort2 && head == kPort2)) {
      return infoWithNumber(kEncoderHead, encoder);
    }
    if (mode == image.getU8(other)) {
      return info(encoder == 1 ? kEncoder1Twin : kEncoder2Twin);
    }
  }
  image.set(own, mode);
  return std::nullopt;
}

namespace {

std::optional<Notice> touchRefusal(const ConfigImage& image) {
  for (Pin pin : {Pin::X22, Pin::X23, Pin::X24, Pin::X25, Pin::X26}) {
    if (modeOf(image, pin) != 0) {
      return info(kTouchPins);
    }
  }
  if (encoderOnTouchPins(image.getU8(layout::kEnc0Mode))) {
    return info(kTouchEncoder1);
  }
  if (encoderOnTouchPins(image.getU8(layout::kEnc1Mode))) {
    return info(kTouchEncoder2);
  }
  const unsigned ir = image.getU8(layout::kIrInpNum);
  if (ir >= 1 && ir <= 5) {
    return info(kTouchIr);
  }
  if (image.getU8(layout::kHeadNum) != 0 && image.getU8(layout::kHeadType) != 0) {
    return info(kTouchHead);
  }
  if (image.getU8(layout::kIebusTouch) != 0) {
    return info(kTouchIebus);
  }
  return std::nullopt;
}

}  // namespace

TouchModeOutcome setTouchMode(ConfigImage& image, unsigned mode) {
  if (mode == 0) {
    image.set(layout::kTouchMode, 0);
    image.set(layout::kTouchInterceptSrcMask, 0);
    return {};
  }
  if (auto refusal = touchRefusal(image)) {
    image.set(layout::kTouchMode, 0);
    return {std::move(refusal), false};
  }
  if (mode == kTouchModeIntercept) {
    return {std::nullopt, true};
  }
  image.set(layout::kTouchMode, mode);
  image.set(layout::kTouchInterceptSrcMask, 0);
  return {};
}

void applyInterceptMask(ConfigImage& image, std::uint8_t mask) {
  image.set(layout::kTouchMode, mask != 0 ? kTouchModeIntercept : 0);
  image.set(layout::kTouchInterceptSrcMask, mask);
}

bool chooseUsbTouchSource(ConfigImage& image, unsigned index) {
  if (index == 0) {
    image.set(layout::kTouchSrcMask, 0);
    return false;
  }
  return true;
}

void applyUsbTouchMask(ConfigImage& image, std::uint8_t mask) {
  // Every source and no source both mean "any source", which the controller knows as 0.
  image.set(layout::kTouchSrcMask, mask == kEverySource ? 0 : mask);
}

std::optional<Notice> setIrInput(ConfigImage& image, unsigned position) {
  auto refuse = [&image](const TextPair& text) {
    image.set(layout::kIrInpNum, 0);
    return std::optional<Notice>(info(text));
  };
  if (position != 0) {
    if (const auto pin = irInputPin(position); pin && modeOf(image, *pin) != 0) {
      return refuse(kIrUsed);
    }
    if (touchPanelOn(image) && position <= 5) {
      return refuse(kIrTouch);
    }
    auto onEncoder = [position](unsigned mode) {
      return (mode == 1 && (position == 1 || position == 2)) ||
             (mode == 2 && (position == 3 || position == 4));
    };
    if (onEncoder(image.getU8(layout::kEnc0Mode))) {
      return refuse(kIrEncoder1);
    }
    if (onEncoder(image.getU8(layout::kEnc1Mode))) {
      return refuse(kIrEncoder2);
    }
    auto onPort = [position](unsigned port) {
      return (port == kPort1 && (position == 6 || position == 7)) ||
             (port == kPort2 && (position == 8 || position == 9));
    };
    if (onPort(image.getU8(layout::kGpsNum))) {
      return refuse(kIrGps);
    }
    if (onPort(image.getU8(layout::kHeadNum))) {
      return refuse(kIrHead);
    }
  }
  image.set(layout::kIrInpNum, position);
  return std::nullopt;
}

std::optional<Notice> setPulsePin(ConfigImage& image, unsigned position) {
  if (const auto pin = outputPinWithMode(position); pin && modeOf(image, *pin) == 0) {
    image.set(layout::kPulseNum, 0);
    return info(kPulseConfigureFirst);
  }
  image.set(layout::kPulseNum, position);
  return std::nullopt;
}

void setUsbFunctions(ConfigImage& image, std::uint16_t checked) {
  constexpr std::uint16_t kAndroid = 1u << 5;
  constexpr std::uint16_t kWindows = 1u << 6;
  const unsigned previous = image.getU16(layout::kPidSupport);
  unsigned mask = checked & kUsbFunctionBits;
  if ((mask & kAndroid) && (mask & kWindows)) {
    mask &= ~static_cast<unsigned>((previous & kAndroid) ? kAndroid : kWindows);
  }
  image.set(layout::kPidSupport, (previous & ~kUsbFunctionBits) | mask);
}

std::uint32_t combineIebusFunctions(std::uint32_t previous, std::uint32_t checked) {
  constexpr std::uint32_t kAmplifier = 1u << 0;
  constexpr std::uint32_t kJoyControl = 1u << 14;
  std::uint32_t n = checked & 0xFFFFu;
  if (n & kAmplifier) {
    n = (previous & kAmplifier) && (n & ~kAmplifier) ? n & ~kAmplifier : kAmplifier;
  }
  if (n & kJoyControl) {
    if (previous & kJoyControl) {
      n &= ~kJoyControl;
      if (n == 0) {
        n = kJoyControl;
      }
    } else {
      n = kJoyControl;
    }
  }
  for (auto [a, b] : {std::pair{1u, 2u}, std::pair{4u, 5u}, std::pair{10u, 11u}}) {
    const std::uint32_t bitA = 1u << a;
    const std::uint32_t bitB = 1u << b;
    if ((n & bitA) && (n & bitB)) {
      n &= ~((previous & bitA) ? bitA : bitB);
    }
  }
  return n;
}

void setIebusFunctions(ConfigImage& image, std::uint32_t checked) {
  image.set(layout::kIebusModeBits,
            combineIebusFunctions(image.get(layout::kIebusModeBits), checked));
}

std::optional<Notice> setIebusTouch(ConfigImage& image, bool checked) {
  if (checked) {
    if (touchPanelOn(image)) {
      return info(kIebusTouchPanel);
    }
    const unsigned headType = image.getU8(layout::kHeadType);
    if (image.getU8(layout::kHeadNum) != 0 && headType != 0 && headType != 6) {
      return info(kIebusTouchHead);
    }
  }
  image.set(layout::kIebusTouch, checked ? 1 : 0);
  return std::nullopt;
}

}  // namespace kivprism::params
