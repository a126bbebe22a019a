#include "core/editor/reaction_lists.hpp"

#include <algorithm>
#include <array>

#include "core/params/lists.hpp"

namespace kivprism::editor::lists {

namespace {

using lang::TextPair;

constexpr TextPair same(std::string_view text) { return {text, text}; }

constexpr TextPair kReactionPins[] = {{"Не указана", "Not specified"},
                                      {"Поддержка питания", "Power hold"},
                                      same("X2/2"),
                                      same("X2/3"),
                                      same("X2/4"),
                                      same("X2/5"),
                                      same("X2/6"),
                                      same("X4/2"),
                                      same("X4/3"),
                                      same("X5/6"),
                                      same("X5/7"),
                                      same("X5/8"),
                                      same("X6/2"),
                                      same("X6/3"),
                                      same("X6/5"),
                                      same("X6/6"),
                                      same("USB_UP"),
                                      same("RESTART"),
                                      same("IO5"),
                                      same("IO6")};
constexpr TextPair kPinModes[] = {{"Полное управление", "Full control"},
                                  {"Триггер", "Trigger"},
                                  {"Однократно со сбросом", "Once then reset"},
                                  {"Однократно с установкой", "Once then set"}};
constexpr TextPair kAnalogActions[] = {{"Установить", "Set"},
                                       {"Не изменять", "Leave unchanged"},
                                       {"Увеличить на", "Increase by"},
                                       {"Уменьшить на", "Decrease by"},
                                       {"Присвоить", "Assign"},
                                       {"Восстановить", "Restore"},
                                       same("Mazda VOL"),
                                       same("Mazda SUB")};
constexpr TextPair kSourceChoices[] = {
    {"Следующий", "Next"},      {"Источник 1", "Source 1"}, {"Источник 2", "Source 2"},
    {"Источник 3", "Source 3"}, {"Источник 4", "Source 4"}, {"Источник 5", "Source 5"},
    {"Источник 6", "Source 6"}, {"Источник 7", "Source 7"}, {"Источник 8", "Source 8"},
    {"Предыдущий", "Previous"}, {"Восстановить", "Restore"}};
constexpr TextPair kEventActions[] = {
    {"Выдать", "Simulate"}, {"Запретить", "Disable"}, {"Разрешить", "Enable"}};
constexpr TextPair kAmplifierTabs[] = {same("VOL"), same("BAL"), same("FAD"), same("BAS"),
                                       same("MID"), same("TRE"), same("ASL")};
constexpr TextPair kMouseActions[] = {{"Клик левой кнопкой", "Left button click"},
                                      {"Клик правой кнопкой", "Right button click"},
                                      {"Клик средней кнопкой", "Middle button click"},
                                      {"Клик 4-й кнопкой", "4th button click"},
                                      {"Клик 5-й кнопкой", "5th button click"},
                                      {"Клик 6-й кнопкой", "6th button click"},
                                      {"Клик 7-й кнопкой", "7th button click"},
                                      {"Клик 8-й кнопкой", "8th button click"},
                                      {"Двойной клик левой кнопкой", "Left button double click"}};
constexpr TextPair kEncoderConnections[] = {
    {"Отключен", "Disabled"}, same("X2/2, X2/3"), same("X2/4, X2/5"), same("X4/2, X4/3"),
    same("X5/7, X5/8"),       same("X6/2, X6/3"), same("X6/5, X6/6"), same("IO5, IO6")};
constexpr TextPair kIebusCommands[] = {{"Отключена", "Disabled"},
                                       {"Активировать MAM", "Activate MAM"},
                                       {"Деактивировать MAM", "Deactivate MAM"},
                                       {"Конд. вверх и вниз", "Cond up and down"},
                                       {"Конд. вверх", "Cond up"},
                                       {"Конд. вниз", "Cond down"},
                                       {"Конд. вниз и окно", "Cond down and window"},
                                       {"Конд. мощн. низкая", "Cond power lo"},
                                       {"Конд. мощн. низкая+1", "Cond power lo+1"},
                                       {"Конд. мощн. средняя", "Cond power mid"},
                                       {"Конд. мощн. средняя+1", "Cond power mid+1"},
                                       {"Конд. мощн. высокая", "Cond power hi"},
                                       {"Конд. вкл/выкл", "Cond on/off"},
                                       {"Конд. двойной вкл/выкл", "Cond dual on/off"},
                                       {"Активировать DVD", "DVD activate"},
                                       same("DVD LEFT"),
                                       same("DVD RIGHT"),
                                       same("DVD DN"),
                                       same("DVD UP"),
                                       same("DVD ENTER"),
                                       same("DVD PLAYPAUSE"),
                                       same("DVD TOPMENU"),
                                       same("DVD REW FORWARD"),
                                       same("DVD REW BACKWARD"),
                                       same("DVD REW FORWARD 2"),
                                       same("DVD REW BACKWARD 2"),
                                       same("VOL UP"),
                                       same("VOL DN"),
                                       same("JOY KEY AUDIO"),
                                       same("JOY KEY MENU"),
                                       same("JOY KEY BACK"),
                                       same("JOY TILT UP"),
                                       same("JOY TILT DN"),
                                       same("JOY TILT LEFT"),
                                       same("JOY TILT RIGHT"),
                                       same("JOY TILT PRESS"),
                                       same("JOY ROTATE LEFT"),
                                       same("JOY ROTATE RIGHT"),
                                       {"JOY работает штатно", "JOY works normally"},
                                       {"Перехватить JOY", "Intercept the JOY"},
                                       {"Активировать NAVI", "Activate NAVI"},
                                       {"Деактивировать NAVI", "Deactivate NAVI"}};
constexpr TextPair kIDriveCommands[] = {
    {"Подсветку выключить", "LIGHT OFF"},
    {"Подсветку включить", "LIGHT ON"},
    {"Выполнить клик правой кнопкой", "RIGHT_CLICK"},
    {"Тачпад - отключить", "TOUCHPAD - OFF"},
    {"Тачпад - тачпанель", "TOUCHPAD - TOUCH"},
    {"Тачпад - мышь x1", "TOUCHPAD - MOUSE x1"},
    {"Тачпад - мышь x2", "TOUCHPAD - MOUSE x2"},
    {"Тачпад - мышь x4", "TOUCHPAD - MOUSE x4"},
    {"Тачпад - мышь x8", "TOUCHPAD - MOUSE x8"},
    {"Тачпад - мышь x16", "TOUCHPAD - MOUSE x16"},
    {"Тачпад - левый клик по тачпаду", "TOUCHPAD - LCLICK OFF"},
    {"Тачпад - левый клик и при нажатии джойстика", "TOUCHPAD LCLICK ON"},
    {"Ориентация нормальная", "Orientation normal"},
    {"Ориентация инверсная", "Orientation inverted"},
    {"Мигание подсветки", "Backlight flash"}};
constexpr TextPair kIbusCommands[] = {same("NONE"),
                                      same("VOLUME_UP"),
                                      same("VOLUME_DN"),
                                      same("ROTATE_RIGHT"),
                                      same("ROTATE_LEFT"),
                                      same("ENTER"),
                                      same("MODE"),
                                      same("ARROWS"),
                                      same("KEY_1"),
                                      same("KEY_2"),
                                      same("KEY_3"),
                                      same("KEY_4"),
                                      same("KEY_5"),
                                      same("KEY_6"),
                                      same("MENU"),
                                      same("CLOCK"),
                                      same("PHONE"),
                                      same("OPEN_TRUNK"),
                                      same("LOCK_DOORS"),
                                      same("UNLOCK_DOORS"),
                                      same("OPEN_WINDOWS"),
                                      same("CLOSE_WINDOWS"),
                                      same("OPEN_SUNROOF"),
                                      same("CLOSE_SUNROOF"),
                                      same("FOLD_MIRRORS"),
                                      same("UNFOLD_MIRRORS"),
                                      same("FM"),
                                      same("LOCK"),
                                      same("ARROW_LEFT"),
                                      same("ARROW_RIGHT"),
                                      same("ENTER_LONG"),
                                      same("INFO"),
                                      same("SELECT"),
                                      same("TONE"),
                                      same("AM"),
                                      same("OPEN_WINDOWS2"),
                                      same("CLOSE_WINDOWS2"),
                                      same("OPEN_SUNROOF2"),
                                      same("CLOSE_SUNROOF2"),
                                      same("Next Track"),
                                      same("Pre vTrack"),
                                      same("Vol Up"),
                                      same("Vol Dn"),
                                      same("Alarm On"),
                                      same("High Beam Blink"),
                                      same("Beam Off"),
                                      same("Move Dn Seat"),
                                      same("Move Up Seat"),
                                      same("Memory Seat"),
                                      same("Climate On"),
                                      same("Climate Off"),
                                      same("Close Driver Mirrow"),
                                      same("Open Driver Mirrow"),
                                      same("Close Passenger Mirrow"),
                                      same("Open Passenger Mirrow"),
                                      same("Prev Track Short"),
                                      same("Prev Track Long"),
                                      same("Next Track Short"),
                                      same("Next Track Long"),
                                      same("CDC Disable"),
                                      same("CDC Enable"),
                                      same("MFSW R/T")};
constexpr TextPair kCursorDirections[] = {{"Вверх", "Up"},
                                          {"Вверх-вправо", "Up-right"},
                                          {"Вправо", "Right"},
                                          {"Вправо-вниз", "Right-down"},
                                          {"Вниз", "Down"},
                                          {"Вниз-влево", "Down-left"},
                                          {"Влево", "Left"},
                                          {"Влево-вверх", "Left-up"},
                                          {"Нажать", "Press"},
                                          {"Отпустить", "Release"},
                                          {"Колесо вверх", "Wheel up"},
                                          {"Колесо вниз", "Wheel down"},
                                          {"Левая кнопка мыши", "Left mouse button"},
                                          {"Правая кнопка мыши", "Right mouse button"}};
constexpr TextPair kAcuraJoyModes[] = {{"Джойстик работает штатно", "The joystick works normally"},
                                       {"Перехватить джойстик", "Intercept the joystick"},
                                       {"Нажать кнопку ENTER", "Press ENTER key"}};
constexpr TextPair kAudiMmiModes[] = {
    {"Нет реакции", "No reactions"},
    {"Яркость подсветки", "Backlight brightness"},
    {"Кнопка NAV", "NAV key"},
    {"Кнопка TEL", "TEL key"},
    {"Кнопка MENU", "MENU key"},
    {"Кнопка CAR", "CAR key"},
    {"Кнопка RADIO", "RADIO key"},
    {"Кнопка MEDIA", "MEDIA key"},
    {"Кнопка верх-лево", "UP-LEFT key"},
    {"Кнопка низ-лево", "DN-LEFT key"},
    {"Кнопка верх-право", "UP-RIGHT key"},
    {"Кнопка низ-право", "DN-RIGHT key"},
    {"Кнопка INFO", "INFO key"},
    {"Кнопка SETUP", "SETUP key"},
    {"Кнопка NAME", "NAME key"},
    {"Кнопки ВСЕ", "All keys"},
    {"Порше панель работает штатно", "Porshe panel works normally"},
    {"Порше панель перехвачена", "Porshe panel intercepted"}};
constexpr TextPair kCarDspModes[] = {{"Нет реакции", "No reactions"},
                                     {"Кнопка", "The key"},
                                     {"Сабвуфер++", "Subwoofer Up"},
                                     {"Сабвуфер--", "Subwoofer Dn"},
                                     {"Сабвуфер задать", "Subwoofer Set"},
                                     {"Громкость++", "Volume Up"},
                                     {"Громкость--", "Volume Dn"},
                                     {"Громкость задать", "Volume Set"},
                                     {"Источник++", "Source Up"},
                                     {"Источник--", "Source Dn"},
                                     {"Пресет++", "Preset Up"},
                                     {"Пресет--", "Preset Dn"},
                                     same("Mute"),
                                     {"Громкость восстановить", "Restore volume"},
                                     {"Источник задать", "Source Set"}};
constexpr TextPair kPanaceaModes[] = {{"Не используется", "Not used"},
                                      {"Отображение Preset", "View Preset"},
                                      {"Отображение Sub", "View Sub"},
                                      {"Отображение Volume", "View Volume"},
                                      {"Отображение Src", "View Src"}};
constexpr TextPair kRenaultJoyCommands[] = {{"Подсветку выключить", "LIGHT OFF"},
                                            {"Подсветку включить", "LIGHT ON"},
                                            {"Подсветка триггер", "LIGHT TRIGGER"}};
constexpr TextPair kSwCanTypes[] = {{"Пользовательский пакет", "User packet"},
                                    same("VW RNS510 100KBit/s"),
                                    same("AUDI RNS-E 100KBit/s"),
                                    same("AUDI A5 MMI 2G 100KBit/s"),
                                    same("Mercedes G500 125KBit/s"),
                                    same("3D color MFD 100KBit/s"),
                                    same("color MFA 100KBit/s"),
                                    same("Mercedes G500 PW MIRR 125KBit/s"),
                                    same("VW RNS510 MV12 100KBit/s"),
                                    same("Cadillac Escalade 33KBit/s"),
                                    same("BMW E60/E90 100KBit/s"),
                                    same("Mercedes W221 125KBit/s"),
                                    same("KIA Optima  100KBit/s"),
                                    same("Mercedes W210 83KBit/s")};
constexpr TextPair kGanetModes[] = {{"Любой код", "Custom code"},
                                    same("1"),
                                    same("2"),
                                    same("3"),
                                    same("4"),
                                    same("5"),
                                    same("6"),
                                    same("7"),
                                    same("8"),
                                    same("9"),
                                    same("10"),
                                    same("11"),
                                    same("12"),
                                    same("13"),
                                    same("14"),
                                    same("15"),
                                    same("16"),
                                    same("17"),
                                    same("18"),
                                    same("19"),
                                    same("20"),
                                    same("21"),
                                    same("22"),
                                    same("23")};
constexpr TextPair kCruiseKeys[] = {same("No Key"), same("+"), same("-"), same("I/O"), same("SET")};
constexpr TextPair kMercedesCtrlCommands[] = {
    {"Подсветку выключить", "LIGHT OFF"},
    {"Подсветку включить", "LIGHT ON"},
    {"Выполнить клик правой кнопкой", "RIGHT_CLICK"},
    {"Жесты", "Gestures"},
    {"Скорость указателя x1", "Mouse speed x1"},
    {"Скорость указателя x2", "Mouse speed x2"},
    {"Скорость указателя x3", "Mouse speed x3"},
    {"Скорость указателя x4", "Mouse speed x4"},
    {"Скорость указателя x5", "Mouse speed x5"},
    {"Скорость указателя x6", "Mouse speed x6"},
    {"Скорость указателя x7", "Mouse speed x7"},
    {"Ориентация нормальная", "Orientation normal"},
    {"Ориентация инверсная", "Orientation inverted"},
    {"Нажатие при удержании выкл.", "Press while holding OFF"},
    {"Нажатие при удержании вкл.", "Press while holding ON"}};
constexpr TextPair kHwrCommands[] = {{"Распознавание отключено", "Recognition disabled"},
                                     {"Распознавание включено", "Recognition enabled"},
                                     {"Большие буквы", "Capital letters"},
                                     {"Маленькие буквы", "Small letters"}};
constexpr TextPair kPwmModes[] = {{"не трогать", "not touch"},
                                  {"установить", "equal"},
                                  {"увеличить на", "increase on"},
                                  {"уменьшить на", "decrease on"}};

// ---- steering-wheel CAN -----------------------------------------------------------------------

constexpr std::array<TextPair, kSwCanCommandNameCount> kSwCanNames = {{
    {"Любой код", "Custom code"},
    same("VOL+"),
    same("VOL-"),
    same("UP"),
    same("DN"),
    {"Круиз RES", "Cruise RES"},
    {"Круиз SET", "Cruise SET"},
    {"Круиз CANCEL", "Cruise CANCEL"},
    same("HORN"),
    same("SRC"),
    same("ScanUP"),
    same("ScanDN"),
    same("MENU"),
    same("PHONE"),
    same("ArrowUP"),
    same("ArrowDN"),
    same("OK"),
    same("VOICE"),
    same("MUTE"),
    same("HUP"),
    same("HDN"),
    same("EXIT"),
    same("ENTER"),
    same("SELECT LEFT MIRROR"),
    same("SELECT RIGHT MIRROR"),
    same("MIROR UP"),
    same("MIROR DOWN"),
    same("MIROR LEFT"),
    same("MIROR RIGHT"),
    same("PW FRONT RIGHT DN2"),
    same("PW FRONT RIGHT DN1"),
    same("PW FRONT RIGHT UP"),
    same("PW BACK RIGHT DN2"),
    same("PW BACK RIGHT DN1"),
    same("PW BACK RIGHT UP"),
    same("PW BACK LEFT DN2"),
    same("PW BACK LEFT DN1"),
    same("PW BACK LEFT UP"),
    same("EMERGENCY"),
    same("MIRROR CLOSE"),
    same("LIGHT ON"),
    same("LIGHT OFF"),
    same("ACC ON"),
    same("ACC OFF"),
    same("BACK ON"),
    same("BACK OFF"),
    same("DOOR OPEN"),
    same("DOOR CLOSE"),
    same("MIRROW CLOSE"),
    same("MIRROW OPEN"),
    same("REMOTE CLOSE"),
    same("REMOTE OPEN"),
    same("ArrowLEFT"),
    same("ArrowRIGHT"),
    same("BACK"),
}};

constexpr std::uint8_t kSwCustom[] = {0};
constexpr std::uint8_t kSwRns510[] = {1,  2,  3,  4,  9,  10, 11, 12, 13, 14, 15, 52,
                                      53, 16, 54, 17, 18, 40, 41, 42, 43, 44, 45};
constexpr std::uint8_t kSwRnsE[] = {3, 4, 10, 11, 1, 2, 9, 13, 38, 39};
constexpr std::uint8_t kSwA5[] = {3, 4, 1, 2, 17, 16, 12, 9};
constexpr std::uint8_t kSwG500[] = {1, 2, 19, 20, 3, 4, 21, 22, 8};
constexpr std::uint8_t kSwMfd[] = {14, 15, 16};
constexpr std::uint8_t kSwMirrors[] = {23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37};
constexpr std::uint8_t kSwEscalade[] = {46, 47, 48, 49, 50, 51};
constexpr std::uint8_t kSwBmw[] = {42, 43, 1, 2, 17, 13, 11, 10};
constexpr std::uint8_t kSwW221[] = {42, 43};
constexpr std::uint8_t kSwKia[] = {44, 45};

// ---- LIN --------------------------------------------------------------------------------------

constexpr std::array<std::string_view, 53> kLinCommands = {
    "Backlight OFF", "Backlight ON",     "Heat SW off",  "Heat SW 20°C",  "Heat SW 25°C",
    "Heat SW 30°C",  "Heat SW 35°C",     "Heat SW 40°C", "KEY DIR UP",    "KEY DIR DN",
    "KEY DIR PRESS", "KEY VOL UP",       "KEY VOL DN",   "KEY VOL PRESS", "KEY MODE",
    "KEY VOICE",     "JOY LEFT",         "JOY RIGHT",    "PW LIGHT OFF",  "PW LIGHT ON",
    "KEY BACKWARD",  "KEY FORWARD",      "KEY MENU",     "KEY INFO NAV",  "KEY PHONE",
    "KEY UP",        "KEY DN",           "KEY LEFT",     "KEY RIGHT",     "KEY OK",
    "KEY BACK",      "KEY HORN",         "KEY RES",      "KEY OI",        "KEY MINUS",
    "KEY AUTO",      "KEY PLUS",         "KEY SET",      "KEY CNL",       "KEY HUP",
    "KEY HDN",       "JOY UP",           "JOY DN",       "KEY OK L",      "KEY OK R",
    "KEY VIEW",      "KEY DRIVE SELECT", "KEY FLAG",     "ENC FLAG UP",   "ENC FLAG DN",
    "KEY EXHAUST",   "KEY MUTE",         "KEY HEAT"};

// ---- amplifier and CarDSP ---------------------------------------------------------------------

constexpr TextPair kSetNumber{"Установить %d", "Set %d"};
constexpr TextPair kIncrease1{"Увеличить на 1", "Increase on 1"};
constexpr TextPair kIncrease5{"Увеличить на 5", "Increase on 5"};
constexpr TextPair kDecrease1{"Уменьшить на 1", "Decrease on 1"};
constexpr TextPair kDecrease5{"Уменьшить на 5", "Decrease on 5"};
constexpr TextPair kSetLeft{"Установить LEFT%d", "Set LEFT%d"};
constexpr TextPair kSetRight{"Установить RIGHT%d", "Set RIGHT%d"};
constexpr TextPair kSetFront{"Установить FRONT%d", "Set FRONT%d"};
constexpr TextPair kSetRear{"Установить REAR%d", "Set REAR%d"};
constexpr TextPair kLoudness[] = {{"Выключить", "Off"}, {"Включить", "On"}, {"Изменить", "Toggle"}};

constexpr int kVolumeTop = 63;
constexpr int kSideSteps = 7;
constexpr int kToneSteps = 5;
constexpr std::uint8_t kNeutral[] = {31, 7, 7, 5, 5, 5, 0};

// Balance and fader: one side counted down to 1, the middle, the other side counted up.
std::vector<std::string> sided(const TextPair& first, const TextPair& second,
                               lang::Language language) {
  std::vector<std::string> out;
  for (int n = kSideSteps; n >= 1; --n) {
    out.push_back(lang::formatText(first.in(language), n));
  }
  out.push_back(lang::formatText(kSetNumber.in(language), 0));
  for (int n = 1; n <= kSideSteps; ++n) {
    out.push_back(lang::formatText(second.in(language), n));
  }
  out.emplace_back(kIncrease1.in(language));
  out.emplace_back(kDecrease1.in(language));
  return out;
}

std::vector<std::string> numbers(int first, int last) {
  std::vector<std::string> out;
  for (int n = first; n <= last; ++n) {
    out.push_back(std::to_string(n));
  }
  return out;
}

}  // namespace

List irOutputs() { return params::lists::outputPin(); }
List reactionPins() { return kReactionPins; }
List pinModes() { return kPinModes; }
List analogActions() { return kAnalogActions; }
List sourceChoices() { return kSourceChoices; }
List eventActions() { return kEventActions; }
List eventTargets() {
  struct Targets {
    std::array<std::string, 101> numbers;
    std::array<TextPair, 101> pairs;
    Targets() {
      pairs[0] = {"Включение питания", "Power On"};
      for (std::size_t n = 1; n < pairs.size(); ++n) {
        numbers[n] = std::to_string(n);
        pairs[n] = {numbers[n], numbers[n]};
      }
    }
  };
  static const Targets targets;
  return targets.pairs;
}
List amplifierTabs() { return kAmplifierTabs; }
List mouseActions() { return kMouseActions; }
List encoderConnections() { return kEncoderConnections; }
List iebusCommands() { return kIebusCommands; }
List iDriveCommands() { return kIDriveCommands; }
List ibusCommands() { return kIbusCommands; }
List cursorDirections() { return kCursorDirections; }
List acuraJoyModes() { return kAcuraJoyModes; }
List audiMmiModes() { return kAudiMmiModes; }
List carDspModes() { return kCarDspModes; }
List panaceaModes() { return kPanaceaModes; }
List renaultJoyCommands() { return kRenaultJoyCommands; }
List swCanTypes() { return kSwCanTypes; }
List ganetModes() { return kGanetModes; }
List cruiseKeys() { return kCruiseKeys; }
List mercedesCtrlCommands() { return kMercedesCtrlCommands; }
List hwrCommands() { return kHwrCommands; }
List pwmModes() { return kPwmModes; }

std::vector<std::string> amplifierActions(unsigned parameter, lang::Language language) {
  std::vector<std::string> out;
  switch (parameter) {
    case 0:
      for (int n = 0; n <= kVolumeTop; ++n) {
        out.push_back(lang::formatText(kSetNumber.in(language), n));
      }
      for (const TextPair* step : {&kIncrease1, &kIncrease5, &kDecrease1, &kDecrease5}) {
        out.emplace_back(step->in(language));
      }
      return out;
    case 1:
      return sided(kSetLeft, kSetRight, language);
    case 2:
      return sided(kSetFront, kSetRear, language);
    case 3:
    case 4:
    case 5:
      for (int n = -kToneSteps; n <= kToneSteps; ++n) {
        out.push_back(lang::formatText(kSetNumber.in(language), n));
      }
      out.emplace_back(kIncrease1.in(language));
      out.emplace_back(kDecrease1.in(language));
      return out;
    case 6:
      for (const TextPair& item : kLoudness) {
        out.emplace_back(item.in(language));
      }
      return out;
    default:
      return out;
  }
}

std::uint8_t amplifierNeutral(unsigned parameter) {
  return parameter < std::size(kNeutral) ? kNeutral[parameter] : 0;
}

std::vector<std::string> carDspParameters(unsigned mode, bool shortened) {
  switch (mode) {
    case 1:
      return numbers(1, 7);
    case 2:
    case 3:
    case 5:
    case 6:
      return numbers(1, 32);
    case 4:
      return numbers(0, 20);
    case 7:
      return numbers(0, shortened ? 85 : 114);
    case 12:
      return numbers(1, 3);
    default:
      return {};
  }
}

bool carDspHasRepeat(unsigned mode) { return mode == 2 || mode == 3 || mode == 5 || mode == 6; }

std::span<const std::uint8_t> swCanCommands(unsigned type) {
  switch (type) {
    case 0:
      return kSwCustom;
    case 1:
    case 8:
      return kSwRns510;
    case 2:
      return kSwRnsE;
    case 3:
      return kSwA5;
    case 4:
      return kSwG500;
    case 5:
    case 6:
      return kSwMfd;
    case 7:
      return kSwMirrors;
    case 9:
      return kSwEscalade;
    case 10:
      return kSwBmw;
    case 11:
      return kSwW221;
    case 12:
      return kSwKia;
    default:
      return {};
  }
}

const TextPair* swCanCommandName(unsigned code) {
  return code < kSwCanNames.size() ? &kSwCanNames[code] : nullptr;
}

std::span<const std::string_view> linCommandTable() { return kLinCommands; }

std::uint8_t linCommandCode(std::string_view name) {
  const auto it = std::find(kLinCommands.begin(), kLinCommands.end(), name);
  return it == kLinCommands.end() ? 0 : static_cast<std::uint8_t>(it - kLinCommands.begin());
}

}  // namespace kivprism::editor::lists
