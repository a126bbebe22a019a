// The modes of the differential bus (X4/5, X4/6) and of the two LIN lines, and what each mode
// shows on the parameters page.
#pragma once

#include <string_view>

namespace kivprism::params {

inline constexpr unsigned kBusNone = 0;
inline constexpr unsigned kBusCanSpeedProbe = 1;
inline constexpr unsigned kBusCan = 2;
inline constexpr unsigned kBusIdrive = 3;
inline constexpr unsigned kBusRenaultJoy = 4;
inline constexpr unsigned kBusMercedesJoy = 5;
inline constexpr unsigned kBusMercedesCtrl = 6;
inline constexpr unsigned kBusIebus = 7;
inline constexpr unsigned kBusGanet = 8;
inline constexpr unsigned kBusAinet = 9;

// The page of PageControl_DIFF_BUS_MODE for a bus mode, and whether TabSheet_DIFFBUSx is shown.
struct DiffBusLayout {
  bool tabVisible;
  std::string_view page;  // empty: no page is selected (the speed probe)
};
DiffBusLayout diffBusLayout(unsigned mode);
inline constexpr std::string_view kDiffBusPages[] = {
    "TabSheet_CAN_NOx",   "TabSheet_CAN_CANx",  "TabSheet_CAN_IDRIVEx",
    "TabSheet_CAN_RJOYx", "TabSheet_CAN_MJOYx", "TabSheet_CAN_MCTRLx",
    "TabSheet_IEBUSx",    "TabSheet_GANETx",    "TabSheet_AINETx"};

// What the LIN modes show. LIN2 modes 12 and 15 drive both lines, so LIN1 is then off.
inline constexpr unsigned kLin1IbusBmw = 1;
inline constexpr unsigned kLin1Listener = 7;
inline constexpr unsigned kLin2MasterVw = 3;
struct LinLayout {
  bool lin1Forced;  // LIN1 mode forced to 0 and its combo box disabled
  bool ibusTab;
  bool linTab;
  bool eventPage;
  bool reactionPage;
  bool speedEnabled;
};
LinLayout linLayout(unsigned lin1Mode, unsigned lin2Mode);
bool lin2TakesBothLines(unsigned lin2Mode);

}  // namespace kivprism::params
