// The IR receiver (area 0x13) and touch-point capture (area 0x14) as scripted for tests and demo.
#include <gtest/gtest.h>

#include "sim/learning_scenarios.hpp"
#include "sim/sim_fixture.hpp"

namespace kivprism::sim::test {
namespace {

namespace area = device::area;
using Bytes = std::vector<std::uint8_t>;

class CaptureScripts : public SimFixture {
 protected:
  Bytes irRead() { return dataOf(read(area::kIrCode, 0)); }
  void startWait(std::uint16_t ms) {
    const Bytes command{static_cast<std::uint8_t>(ms & 0xFF), static_cast<std::uint8_t>(ms >> 8)};
    ASSERT_EQ(device::packetCmd(write(area::kTouchPoint, 0, command)), 0xFF);
  }
};

TEST_F(CaptureScripts, IrCodesComeOneEachReadAndTheLastStays) {
  EXPECT_EQ(irRead(), Bytes(4, 0));
  controller.irReceiver().setScript({{{1, 0x45, 0, 0}, {3, 0x0C, 0x01, 0x00}}, false});
  EXPECT_EQ(irRead(), (Bytes{1, 0x45, 0, 0}));
  EXPECT_EQ(irRead(), (Bytes{3, 0x0C, 0x01, 0x00}));
  EXPECT_EQ(irRead(), (Bytes{3, 0x0C, 0x01, 0x00}));
  // A code received meanwhile is the last one until the script gives another.
  controller.receiveIrCode({10, 2, 7, 7});
  EXPECT_EQ(irRead(), (Bytes{10, 2, 7, 7}));
}

TEST_F(CaptureScripts, RepeatingScriptStartsAgainAndCanSayNothingReceived) {
  controller.irReceiver().setScript({{{2, 0x21, 3, 0}, {0, 0, 0, 0}}, true});
  EXPECT_EQ(irRead(), (Bytes{2, 0x21, 3, 0}));
  EXPECT_EQ(irRead(), Bytes(4, 0));
  EXPECT_EQ(irRead(), (Bytes{2, 0x21, 3, 0}));
}

TEST_F(CaptureScripts, RefusedAreaReadDoesNotUseUpACode) {
  controller.irReceiver().setScript({{{1, 1, 0, 0}, {5, 5, 0, 0}}, false});
  controller.setAreaAnswer(area::kIrCode, 0xFD);
  EXPECT_EQ(device::packetCmd(read(area::kIrCode, 0)), 0xFD);
  controller.setAreaAnswer(area::kIrCode, 0);
  EXPECT_EQ(irRead(), (Bytes{1, 1, 0, 0}));
}

TEST_F(CaptureScripts, EachCaptureTakesTheNextTouchScript) {
  controller.touchCapture().setScripts({{true, 100, 200, 500}, {false, 0, 0, 0}});
  startWait(10000);
  clock.advance(499);
  EXPECT_EQ(dataOf(read(area::kTouchPoint, 0)), Bytes(5, 0));
  clock.advance(1);
  EXPECT_EQ(dataOf(read(area::kTouchPoint, 0)), (Bytes{1, 100, 0, 200, 0}));
  startWait(0);
  EXPECT_FALSE(controller.touchCapture().waiting());

  // The second capture is never touched; the third starts the list again.
  startWait(10000);
  clock.advance(9999);
  EXPECT_EQ(dataOf(read(area::kTouchPoint, 0)), Bytes(5, 0));
  startWait(0);
  startWait(10000);
  clock.advance(500);
  EXPECT_EQ(dataOf(read(area::kTouchPoint, 0))[0], 1);

  // Without scripts no capture ever gets a point.
  controller.touchCapture().setScripts({});
  startWait(10000);
  clock.advance(5000);
  EXPECT_EQ(dataOf(read(area::kTouchPoint, 0)), Bytes(5, 0));
}

TEST_F(CaptureScripts, DemoOffersReactionRefusalNoCodeAndAMissedTouch) {
  useDemoScenarios(controller);
  std::vector<Bytes> codes;
  for (int i = 0; i < 7; ++i) {
    codes.push_back(irRead());
  }
  EXPECT_EQ(codes[0][0], 1);
  EXPECT_EQ(codes[2][0], 3);  // RC5
  EXPECT_EQ(codes[3], Bytes(4, 0));
  EXPECT_EQ(codes[6], codes[0]);

  int touched = 0;
  for (int i = 0; i < 3; ++i) {
    startWait(10000);
    clock.advance(9000);
    touched += dataOf(read(area::kTouchPoint, 0))[0];
    startWait(0);
  }
  EXPECT_EQ(touched, 2);
}

}  // namespace
}  // namespace kivprism::sim::test
