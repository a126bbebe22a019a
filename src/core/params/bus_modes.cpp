#include "core/params/bus_modes.hpp"

namespace kivprism::params {

DiffBusLayout diffBusLayout(unsigned mode) {
  switch (mode) {
    case kBusNone:
      return {false, "TabSheet_CAN_NOx"};
    case kBusCan:
      return {true, "TabSheet_CAN_CANx"};
    case kBusIdrive:
      return {true, "TabSheet_CAN_IDRIVEx"};
    case kBusRenaultJoy:
      return {true, "TabSheet_CAN_RJOYx"};
    case kBusMercedesJoy:
      return {true, "TabSheet_CAN_MJOYx"};
    case kBusMercedesCtrl:
      return {true, "TabSheet_CAN_MCTRLx"};
    case kBusIebus:
      return {true, "TabSheet_IEBUSx"};
    case kBusGanet:
      return {true, "TabSheet_GANETx"};
    case kBusAinet:
      return {true, "TabSheet_AINETx"};
    default:
      return {false, {}};
  }
}

bool lin2TakesBothLines(unsigned lin2Mode) { return lin2Mode == 12 || lin2Mode == 15; }

LinLayout linLayout(unsigned lin1Mode, unsigned lin2Mode) {
  LinLayout l{};
  l.lin1Forced = lin2TakesBothLines(lin2Mode);
  const unsigned lin1 = l.lin1Forced ? 0 : lin1Mode;
  if (lin1 == kLin1IbusBmw) {
    l.ibusTab = true;
  }
  if ((lin1 >= 2 && lin1 <= 6) || (lin1 >= 8 && lin1 <= 10)) {
    l.linTab = true;
    l.reactionPage = true;
  }
  if (lin1 == kLin1Listener) {
    l.linTab = true;
    l.eventPage = true;
    l.speedEnabled = true;
  }
  if (lin2Mode == 2) {
    l.linTab = true;
    l.speedEnabled = true;
  }
  if ((lin2Mode >= 3 && lin2Mode <= 11) || (lin2Mode >= 13 && lin2Mode <= 16)) {
    l.linTab = true;
    l.eventPage = true;
    l.reactionPage = true;
    l.speedEnabled = true;
  }
  return l;
}

}  // namespace kivprism::params
