#include "core/monitor/can_decoders.hpp"

#include <array>
#include <span>

namespace kivprism::monitor {

namespace {

struct CommandName {
  std::uint8_t command;
  std::string_view name;
};

struct CarModel {
  std::string_view prefix;
  std::span<const CommandName> commands;
  // The bus-type models carry no button names: only the numbers follow the prefix.
  bool namesCommands;
};

constexpr CommandName kModel0[] = {{1, "Vol Up"},
                                   {2, "Vol Down"},
                                   {3, "Next"},
                                   {4, "Prev"},
                                   {5, "Source"},
                                   {6, "Phone"},
                                   {7, "Mute"},
                                   {17, "Left Up Key"},
                                   {18, "Left Dn Key"},
                                   {19, "Press Left Wheel"},
                                   {20, "Right Arrow Up"},
                                   {21, "Right Arrow Dn"},
                                   {22, "Left Wheel Dn"},
                                   {23, "Left Wheel Up"},
                                   {24, "Right Wheel Up"},
                                   {25, "Right Wheel Dn"},
                                   {26, "No KEY"},
                                   {27, "KEY inserted"},
                                   {28, "Ignition 1"},
                                   {29, "Ignition 2"},
                                   {30, "Video"},
                                   {31, "BK"},
                                   {33, "Key BC"},
                                   {34, "Key center"},
                                   {35, "Key Right"},
                                   {36, "Key OK"},
                                   {37, "Key Left"},
                                   {38, "Key AM/FM,CD/MP3,MAIN"},
                                   {39, "Key Settings"},
                                   {40, "Rotate Right"},
                                   {41, "Rotate Left"}};
constexpr CommandName kModel1[] = {{1, "Next"},  {4, "Next"},  {2, "Prev"}, {8, "Prev"},
                                   {16, "Vol+"}, {32, "Vol-"}, {64, "HDN"}, {128, "HUP"}};
constexpr CommandName kModel2[] = {{1, "Change input"}, {2, "Scan forward"}, {3, "Scan backward"},
                                   {6, "Vol Up"},       {7, "Vol Down"},     {10, "Menu"},
                                   {26, "Phone"},       {34, "Up"},          {35, "Down"},
                                   {40, "OK"},          {43, "Mute"}};
constexpr CommandName kModel3[] = {
    {65, "Right"},   {66, "Left"},  {68, "Down"},    {72, "Up"},      {80, "Back"},
    {95, "No"},      {96, "Enter"}, {111, "Yes"},    {119, "Vol up"}, {123, "Vol dn"},
    {125, "Next"},   {126, "Prev"}, {132, "Cruise"}, {136, "Speed+"}, {144, "Speed-"},
    {160, "Update"}, {192, "Zero"}};
constexpr CommandName kModel4[] = {{1, "Mode double"},
                                   {2, "Prev"},
                                   {3, "Next"},
                                   {4, "Scan Up"},
                                   {5, "Scan Down"},
                                   {6, "Volume +"},
                                   {7, "Volume -"},
                                   {8, "Up double"},
                                   {9, "Down double"},
                                   {10, "Up/Down after Mode"},
                                   {11, "Mode"},
                                   {12, "Vol Up/Down"},
                                   {13, "Vol Up after Phone"},
                                   {14, "Vol Down after Phone"},
                                   {105, "Gear P"},
                                   {106, "Gear R"},
                                   {107, "Gear N"},
                                   {108, "Gear D"},
                                   {109, "Gear S"}};
constexpr CommandName kModel5[] = {{1, "Mode"},     {2, "Volume +"},  {3, "Volume -"},
                                   {4, "Seek Up"},  {5, "Seek Down"}, {6, "Radio"},
                                   {7, "TOW/HAUL"}, {8, "115V"},      {9, "TIER PRESSURE"},
                                   {10, "VOICE"},   {11, "TEL"}};
constexpr CommandName kModel6[] = {
    {1, "Proximity on"}, {2, "Proximity off"}, {3, "Vol +"},          {4, "Vol -"},
    {5, "Zoom +"},       {6, "Zoom -"},        {7, "Radio"},          {8, "Media"},
    {9, "Phone"},        {10, "Voice"},        {11, "Navi"},          {12, "Traffic"},
    {13, "Car"},         {14, "Menu"},         {15, "Vol"},           {16, "Right knob"},
    {17, "System "},     {18, "Mute"},         {19, "Sound"},         {20, "TP"},
    {21, "SW VOL-"},     {22, "SW VOL+"},      {23, "SW PREV TRACK"}, {24, "SW NEXT TRACK"},
    {25, "SW PHONE"},    {26, "SW LEFT MENU"}, {27, "SW RIGHT MENU"}, {28, "SW OK"},
    {29, "SW VOICE"},    {30, "SW UP"},        {31, "SW DN"}};
constexpr CommandName kModel7[] = {{1, "VOL+"},
                                   {2, "VOL-"},
                                   {3, "MUTE"},
                                   {4, "LIST"},
                                   {5, "NEXT"},
                                   {6, "PREV"},
                                   {7, "MENU"},
                                   {8, "BACK"},
                                   {9, "OK"},
                                   {10, "HUP/HDN"},
                                   {11, "WHEEL UP"},
                                   {12, "WHEEL DN"},
                                   {13, "SRC"},
                                   {14, "VOICE"},
                                   {15, "PRESS RIGHT"},
                                   {16, "WHEEL UP RIGHT"},
                                   {17, "WHEEL DN RIGHT"},
                                   {18, "PRESS LEFT"},
                                   {19, "REVERSE GEAR ON"},
                                   {20, "REVERSE GEAR OFF"},
                                   {21, "HAND BRAKE ON"},
                                   {22, "HAND BRAKE OFF"},
                                   {23, "IGN ON"},
                                   {24, "IGN OFF"},
                                   {25, "LIGHT ON"},
                                   {26, "LIGHT OFF"}};
constexpr CommandName kModel8[] = {{1, "SW MUTE"},
                                   {2, "SW VOL-"},
                                   {3, "SW VOL+"},
                                   {4, "SW UP"},
                                   {5, "SW DN"},
                                   {6, "SW SRC"},
                                   {7, "SW PLAY"},
                                   {100, "OPEN DOOR"},
                                   {101, "CLOSE DOOR"},
                                   {102, "MIRROW BLOCK OFF"},
                                   {103, "MIRROW BLOCK ON"},
                                   {104, "MIRROW CLOSE"},
                                   {105, "MIRROW OPEN"},
                                   {106, "MIRROW LEFT"},
                                   {107, "MIRROW RIGHT"},
                                   {108, "MIRROW UP"},
                                   {109, "MIRROW DN"},
                                   {110, "REMOTE CLOSE"},
                                   {111, "REMOTE OPEN"}};
constexpr CommandName kModel9[] = {
    {1, "VOL+"},       {2, "VOL-"},      {3, "SEEK+"},    {4, "SEEK-"}, {5, "INFO/UP"},
    {6, "DN"},         {17, "HUP"},      {18, "CLR/HDN"}, {19, "SET"},  {100, "KEY NO"},
    {101, "KEY LOCK"}, {102, "KEY OFF"}, {103, "KEY ON"}};
constexpr CommandName kModel10[] = {{1, "VOL+"},
                                    {2, "VOL-"},
                                    {3, "NEXT"},
                                    {4, "PREV"},
                                    {5, "TEL"},
                                    {6, "VOICE"},
                                    {7, "RECIRCULATE"},
                                    {8, "AUX"},
                                    {10, "LIGHT OFF"},
                                    {14, "LIGHT PARKING"},
                                    {15, "LIGHT LOW BEAM"},
                                    {16, "LIGHT HIGH BEAM"}};
constexpr CommandName kModel11[] = {{1, "TRUP"},  {2, "RIGHT"}, {4, "TRDN"},  {8, "MUSIC"},
                                    {16, "MENU"}, {32, "VOL+"}, {64, "NAVI"}, {128, "VOL-"}};
constexpr CommandName kModel12[] = {
    {1, "JOY PRESS"}, {2, "JOY RIGHT"}, {3, "JOY LEFT"}, {4, "JOY UP"},  {5, "JOY DN"},
    {6, "JOY BACK"},  {7, "JOY C"},     {8, "SW VOL+"},  {9, "SW VOL-"}, {10, "SW MUTE"}};
constexpr CommandName kModel13[] = {
    {1, "KEY MODE"},    {2, "KEY FORWARD"}, {3, "KEY BACKWARD"}, {4, "KEY BACK"},
    {5, "ENC VOL+"},    {6, "ENC VOL-"},    {7, "ENC TRK+"},     {8, "ENC TRK-"},
    {9, "MODE NO KEY"}, {10, "MODE KEY"},   {11, "MODE ACC"},    {12, "MODE STARTER"},
    {13, "KEY VOL DN"}, {14, "KEY TRK DN"}, {15, "KEY HUP"},     {16, "KEY SPEAK"}};
constexpr CommandName kModel14[] = {
    {1, "KEY HUP"},  {2, "KEY HDN"},  {3, "KEY MODE SRC"}, {4, "KEY TRK+"},
    {5, "KEY TRK-"}, {6, "KEY MUTE"}, {7, "KEY VOICE"},    {8, "KEY MENU"},
    {9, "KEY ESC"},  {10, "KEY OK"},  {11, "ENC VOL+"},    {12, "ENC VOL-"},
    {13, "ENC UP"},  {14, "ENC DN"},  {15, "SPD UP"},      {16, "SPD DN"}};
constexpr CommandName kModel15[] = {{1, "KEY HOME"},   {2, "KEY MENU"},    {3, "KEY BACK"},
                                    {4, "KEY ZOOM+"},  {5, "KEY ZOOM-"},   {6, "TOUCH ENTER"},
                                    {7, "TOUCH LEFT"}, {8, "TOUCH RIGHT"}, {9, "TOUCH UP"},
                                    {10, "TOUCH DOWN"}};
constexpr CommandName kModel16[] = {{1, "UPDATE VOL"}, {2, "UPDATE SUB"}, {3, "KEY UNMUTE"},
                                    {4, "KEY MUTE"},   {5, "SW TRK+"},    {6, "SW TRK-"},
                                    {7, "KEY PAUSE"},  {8, "KEY PLAY"},   {9, "AUX ON"},
                                    {10, "AUX OFF"},   {11, "PRESS"}};
constexpr CommandName kModel18[] = {{1, "BACK/HDN"},  {2, "VOICE"},     {3, "HUP"},
                                    {4, "SOURCE"},    {5, "ENC PRESS"}, {6, "ENC LEFT"},
                                    {7, "ENC RIGHT"}, {8, "ENC UP"},    {9, "ENC DN"}};
constexpr CommandName kModel19[] = {{1, "ACC ON"},      {2, "ACC OFF"},  {3, "REVERSE ON"},
                                    {4, "REVERSE OFF"}, {5, "LIGHT ON"}, {6, "LIGHT OFF"}};
constexpr CommandName kModel20[] = {{1, "UP"},
                                    {2, "DOWN"},
                                    {3, "LEFT"},
                                    {4, "RIGHT"},
                                    {5, "PRESS"},
                                    {6, "TRACK+"},
                                    {7, "TRACK-"},
                                    {8, "MUTE"},
                                    {9, "NAVI"},
                                    {10, "TEL"},
                                    {11, "RADIO"},
                                    {12, "MEDIA"},
                                    {13, "MENU"},
                                    {14, "BACK"},
                                    {15, "LEFT ["},
                                    {16, "RIGHT ]"},
                                    {17, "ROTATE+"},
                                    {18, "ROTATE-"},
                                    {19, "VOL+"},
                                    {20, "VOL-"},
                                    {21, "ZOOM+"},
                                    {22, "ZOOM-"},
                                    {23, "2FINGER UP"},
                                    {24, "2FINGER DN"},
                                    {25, "2FINGER RIGHT"},
                                    {26, "2FINGER LEFT"}};
constexpr CommandName kModel21[] = {{1, "Enc UP"}, {2, "Enc DOWN"}, {3, "Enc PRESS"},
                                    {4, "VOl+"},   {5, "VOL-"},     {6, "MUTE"},
                                    {7, "SRC"},    {8, "LIST"},     {9, "VOICE"}};
constexpr CommandName kModel24[] = {{2, "TRK+"},  {3, "TRK-"},  {6, "VOl+"}, {7, "VOl-"},
                                    {13, "MODE"}, {14, "MUTE"}, {26, "HUP"}, {29, "HDN"}};
constexpr CommandName kModel25[] = {{1, "VOL-"},
                                    {2, "VOL+"},
                                    {3, "ROT UP"},
                                    {4, "ROT DN"},
                                    {5, "ROT PRESS SHORT"},
                                    {6, "ROT PRESS LONG"},
                                    {7, "MUTE SHORT"},
                                    {8, "MUTE LONG"},
                                    {9, "ARROW UP SHORT"},
                                    {10, "ARROW UP LONG"},
                                    {11, "ARROW DN SHORT"},
                                    {12, "ARROW DN LONG"}};

constexpr std::array<CarModel, kCanModelCount> kModels = {{
    {"OPEL_ASTRA ", kModel0, true},
    {"Mercedes CLK350 ", kModel1, true},
    {"VW_MKV_GTI ", kModel2, true},
    {"VOLVO ", kModel3, true},
    {"AUDI ", kModel4, true},
    {"DODGE RAM ", kModel5, true},
    {"VW GOLF7 ", kModel6, true},
    {"CITROEN_C5 ", kModel7, true},
    {"Cadillac Escalade ", kModel8, true},
    {"SAAB 9 3 ", kModel9, true},
    {"BMW E81 ", kModel10, true},
    {"Crysler 300C ", kModel11, true},
    {"Mercedes W212 ", kModel12, true},
    {"Skoda Superb/ETI ", kModel13, true},
    {"Hyundai Genesis ", kModel14, true},
    {"Lexus NX200T ", kModel15, true},
    {"Mazda6 ", kModel16, true},
    {"BPR ", {}, false},
    {"Acura MDX 2014 ", kModel18, true},
    {"Mercedes W208 ", kModel19, true},
    {"AUDI Q7 M4 ", kModel20, true},
    {"PEUGEOT Traveller ", kModel21, true},
    {"Nissan Murano ", {}, false},
    {"IEBus ", {}, false},
    {"Porshe Cayenne ", kModel24, true},
    {"Renault ", kModel25, true},
}};

constexpr std::uint16_t kOpelAstra = 0;
constexpr std::uint8_t kFirstDigit = '0';
constexpr std::uint8_t kLastDigit = '9';

std::string commandName(std::uint16_t address, std::uint8_t command) {
  if (address == kOpelAstra && command >= kFirstDigit && command <= kLastDigit) {
    return std::string("Digit ") + static_cast<char>(command);
  }
  for (const CommandName& entry : kModels[address].commands) {
    if (entry.command == command) {
      return std::string(entry.name);
    }
  }
  return "?";
}

}  // namespace

std::string_view canModelPrefix(std::uint16_t address) {
  return address < kModels.size() ? kModels[address].prefix : std::string_view{};
}

std::optional<std::string> decodeCanKey(const events::IrCode& code) {
  if (code.address >= kModels.size()) {
    return std::nullopt;
  }
  std::string text(kModels[code.address].prefix);
  if (kModels[code.address].namesCommands) {
    text += commandName(code.address, code.command);
  }
  text += " (" + std::to_string(code.address) + "/" + std::to_string(code.command) + ")";
  return text;
}

}  // namespace kivprism::monitor
