#include "core/monitor/monitoring_line.hpp"

#include <gtest/gtest.h>

#include "core/monitor/protocol_events.hpp"

namespace kivprism::monitor {
namespace {

using lang::Language;

std::string rewritten(std::string line, Language language = Language::English) {
  formatMonitoringLine(line, language);
  return line;
}

TEST(ProtocolEventLists, CountsMarkersAndBoundaryNames) {
  struct Expect {
    ProtocolList id;
    std::string_view marker;
    std::size_t count;
    std::string_view first;
    std::string_view last;
  };
  const Expect expected[] = {
      {ProtocolList::Lin, " LIN ", 92, "KEY NO", "EXHAUST"},
      {ProtocolList::HondaPanel, " HK ", 23, "KEY NO", "KEY 6"},
      {ProtocolList::IDrive, " IDRIVE ", 27, "DISABLE", "ROTATE_LEFT_DN"},
      {ProtocolList::MercedesJoystick, " MJOY ", 12, "DISABLE", "ROTATE_RIGHT"},
      {ProtocolList::RenaultJoystick, " RJOY ", 17, "DISABLE", "ROTATE_LEFT"},
      {ProtocolList::AcuraJoystick, " JOY ", 26, "NOT USE", "KEY PHONE"},
      {ProtocolList::AudiMmi, " MMI ", 71, "NO KEY", "PORSHE_KEY0"},
      {ProtocolList::BmwIbus, " IBUS ", 65, "MFSW_NEXT", "ENGINE OFF"},
      {ProtocolList::Iebus, " IEBUS ", 111, "NAVI_ACT", "JOY ROTATE RIGHT"},
      {ProtocolList::GaNet, " GANET ", 69, "KEY_1", "BEEP3"},
      {ProtocolList::SteeringWheelCan, " SW VW EV:", 11, "User filter", "RING ON"},
      {ProtocolList::MercedesController, " MCTRL ", 33, "DISABLE", "ENC_VOL_DN"},
  };
  const auto lists = protocolEventLists();
  for (std::size_t i = 0; i < kProtocolListCount; ++i) {
    const Expect& e = expected[i];
    SCOPED_TRACE(e.marker);
    EXPECT_EQ(lists[i].id, e.id);
    EXPECT_EQ(lists[i].marker, e.marker);
    ASSERT_EQ(lists[i].names.size(), e.count);
    EXPECT_EQ(protocolEventName(e.id, 0, Language::English), e.first);
    EXPECT_EQ(protocolEventName(e.id, e.count - 1, Language::English), e.last);
    EXPECT_EQ(protocolEventName(e.id, e.count, Language::English), "");
  }
  EXPECT_EQ(protocolEventName(ProtocolList::SteeringWheelCan, 0, Language::Russian),
            "Пользовательский фильтр");
  EXPECT_EQ(protocolEventName(ProtocolList::Lin, 91, Language::Russian), "EXHAUST");
}

TEST(EventNumberRewriters, EveryListRewritesItsLastPositionAndRefusesItsCount) {
  // Each marker followed by a blank and " EV:" at a place every search offset reaches.
  for (const ProtocolEventList& list : protocolEventLists()) {
    SCOPED_TRACE(list.marker);
    const std::string head = list.id == ProtocolList::SteeringWheelCan
                                 ? "x" + std::string(list.marker)
                                 : "x" + std::string(list.marker) + "ID:12 EV:";
    const std::size_t last = list.names.size() - 1;
    EXPECT_EQ(rewritten(head + std::to_string(last) + " tail"),
              head + std::string(list.names[last].en) + " tail");
    EXPECT_EQ(rewritten(head + std::to_string(list.names.size()) + " tail"),
              head + std::to_string(list.names.size()) + " tail");
    EXPECT_EQ(rewritten(head + "-1"), head + "-1");
  }
}

TEST(EventNumberRewriters, SearchOffsetDecidesWhetherEvMayFollowTheMarker) {
  // The LIN search starts behind the marker's trailing blank.
  EXPECT_EQ(rewritten("RX LIN EV:5"), "RX LIN EV:5");
  EXPECT_EQ(rewritten("RX LIN  EV:5"), "RX LIN  EV:KEY 5");
  // IBUS, IEBUS and GANET start on their own trailing blank.
  EXPECT_EQ(rewritten("RX IBUS EV:5"), "RX IBUS EV:MFSW_DIAL_LONG");
  EXPECT_EQ(rewritten("RX IEBUS EV:0"), "RX IEBUS EV:NAVI_ACT");
  EXPECT_EQ(rewritten("RX GANET EV:68"), "RX GANET EV:BEEP3");
  EXPECT_EQ(rewritten("RX HK EV:1"), "RX HK EV:1");
  EXPECT_EQ(rewritten("RX IDRIVE EV:1"), "RX IDRIVE EV:1");
  EXPECT_EQ(rewritten("RX MJOY EV:1"), "RX MJOY EV:1");
  EXPECT_EQ(rewritten("RX RJOY EV:1"), "RX RJOY EV:1");
  EXPECT_EQ(rewritten("RX MMI EV:1"), "RX MMI EV:1");
  EXPECT_EQ(rewritten("RX MCTRL EV:1"), "RX MCTRL EV:1");
  EXPECT_EQ(rewritten("RX MCTRL  EV:1"), "RX MCTRL  EV:TOUCH_BACK");
}

TEST(EventNumberRewriters, NumbersReadLikeTheCLibrary) {
  // No digits read as 0: the first name goes in front of what follows.
  EXPECT_EQ(rewritten(" IBUS EV:abc"), " IBUS EV:MFSW_NEXTabc");
  EXPECT_EQ(rewritten(" IBUS EV:"), " IBUS EV:MFSW_NEXT");
  // Leading zeros and a plus sign; only the digits are replaced, the sign stays in the tail.
  EXPECT_EQ(rewritten(" IBUS EV:007,x"), " IBUS EV:MFSW_VOL_DN,x");
  EXPECT_EQ(rewritten(" IBUS EV:+7"), " IBUS EV:MFSW_VOL_DN+7");
  // A huge number clamps and is out of every list.
  EXPECT_EQ(rewritten(" IBUS EV:99999999999999999999"), " IBUS EV:99999999999999999999");
  // The number reads every digit, but only ten digits are replaced.
  EXPECT_EQ(readDecimalNumber("000000000012"), 12);
  EXPECT_EQ(rewritten(" IBUS EV:000000000012"), " IBUS EV:OBM_ENTER12");
  EXPECT_EQ(readDecimalNumber(" -2147483649"), -2147483648L);
}

TEST(EventNumberRewriters, SteeringWheelNamesFollowTheLanguage) {
  EXPECT_EQ(rewritten("CAN SW VW EV:3 id", Language::English), "CAN SW VW EV:ACC OFF id");
  EXPECT_EQ(rewritten("CAN SW VW EV:3 id", Language::Russian), "CAN SW VW EV:ACC выключено id");
  EXPECT_EQ(rewritten("CAN SW VW EV:11", Language::Russian), "CAN SW VW EV:11");
}

TEST(EventNumberRewriters, FirstMatchingListInOrderWins) {
  // LIN is tried before IBUS.
  EXPECT_EQ(rewritten("A LIN  EV:1 IBUS EV:2"), "A LIN  EV:KEY 1 IBUS EV:2");
  // A LIN number out of range lets the later lists try; IBUS then finds the first " EV:" from
  // its own marker.
  EXPECT_EQ(rewritten("A LIN  EV:95 IBUS EV:2"), "A LIN  EV:95 IBUS EV:MFSW_MODE_RADIO");
  // Only the first marker occurrence counts.
  EXPECT_EQ(rewritten("A LIN x LIN  EV:1"), "A LIN x LIN  EV:KEY 1");
  EXPECT_EQ(rewritten("nothing to see"), "nothing to see");
  std::string plain = "no markers";
  EXPECT_FALSE(formatMonitoringLine(plain, Language::English));
}

TEST(EventNumberRewriters, LongTailIsKeptWhole) {
  const std::string tail(9990, 'z');
  const std::string line = " IEBUS EV:110" + tail;
  EXPECT_EQ(rewritten(line), " IEBUS EV:JOY ROTATE RIGHT" + tail);
}

TEST(CanAutoRewriter, SplicesDecodedTextAndKeepsTail) {
  EXPECT_EQ(rewritten("RX IR  CAN_AUTO ADR:3 CMD:125 T=10"),
            "RX IR  CAN_AUTO VOLVO Next (3/125) T=10");
  // Whatever stood between the marker and the command digits gives way.
  EXPECT_EQ(rewritten("0 IR x CAN_AUTO P:1 ADR:9 junk CMD:102!"),
            "0 IR x CAN_AUTO SAAB 9 3 KEY OFF (9/102)!");
  EXPECT_EQ(rewritten(" IR  CAN_AUTO  ADR:17 CMD:9"), " IR  CAN_AUTO BPR  (17/9)");
}

TEST(CanAutoRewriter, NumbersAreTruncatedToTheirFieldWidths) {
  // 65539 is address 3; 381 is command 125.
  EXPECT_EQ(rewritten(" IR  CAN_AUTO  ADR:65539 CMD:381"), " IR  CAN_AUTO VOLVO Next (3/125)");
}

TEST(CanAutoRewriter, OrderOfMarkersAndFields) {
  // " CAN_AUTO " must come after " IR ".
  EXPECT_EQ(rewritten(" CAN_AUTO  IR  ADR:3 CMD:125"), " CAN_AUTO  IR  ADR:3 CMD:125");
  // " CMD:" is searched behind " ADR:".
  EXPECT_EQ(rewritten(" IR  CAN_AUTO  CMD:125 ADR:3"), " IR  CAN_AUTO  CMD:125 ADR:3");
  // No " ADR:" at all.
  EXPECT_EQ(rewritten(" IR  CAN_AUTO  CMD:125"), " IR  CAN_AUTO  CMD:125");
}

TEST(CanAutoRewriter, UnrecognisedCodeGivesTheEventRewritersTheirTurn) {
  EXPECT_EQ(rewritten(" IR  CAN_AUTO  ADR:26 CMD:1 LIN  EV:2"),
            " IR  CAN_AUTO  ADR:26 CMD:1 LIN  EV:KEY 2");
  EXPECT_EQ(rewritten(" IR  CAN_AUTO  ADR:3 CMD:125 LIN  EV:2"),
            " IR  CAN_AUTO VOLVO Next (3/125) LIN  EV:2");
}

}  // namespace
}  // namespace kivprism::monitor
