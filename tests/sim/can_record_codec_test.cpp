// The controller's 17-byte CAN-log record as the simulator codes it and as the program reads it:
// two codings of one layout that must agree byte for byte.
#include <gtest/gtest.h>

#include <array>

#include "core/canlog/can_record.hpp"
#include "core/device/link_listeners.hpp"
#include "sim/can_log_engine.hpp"

namespace kivprism::sim::test {
namespace {

static_assert(CanRecord::kSize == canlog::kRecordSize);
static_assert(device::kCanRecordSize == canlog::kRecordSize);

TEST(CanRecordCodec, TheSimulatorAndTheProgramAgreeOnEveryField) {
  CanRecord sent;
  sent.identifierWord = 0x18DAF110;
  sent.length = 7;
  sent.data = {0x01, 0x80, 0xFF, 0x00, 0x7F, 0x10, 0xAA, 0x55};
  sent.timeStamp = 0xFEDCBA98;
  std::array<std::uint8_t, CanRecord::kSize> bytes{};
  sent.encode(bytes);
  const canlog::CanLogRecord read = canlog::CanLogRecord::decode(bytes);
  EXPECT_EQ(read.identifierWord, sent.identifierWord);
  EXPECT_EQ(read.length, sent.length);
  EXPECT_EQ(read.data, sent.data);
  EXPECT_EQ(read.timeStamp, sent.timeStamp);
  // And back: the program's coding reads in the simulator as it was.
  canlog::CanLogRecord program;
  program.identifierWord = canlog::standardWord(0x7FF);
  program.length = 2;
  program.data = {0xC0, 0x01, 0, 0, 0, 0, 0, 0x99};
  program.timeStamp = 12345;
  std::array<std::uint8_t, CanRecord::kSize> out{};
  program.encode(out);
  const CanRecord back = CanRecord::decode(out);
  EXPECT_EQ(back.identifierWord, program.identifierWord);
  EXPECT_EQ(back.length, program.length);
  EXPECT_EQ(back.data, program.data);
  EXPECT_EQ(back.timeStamp, program.timeStamp);
  std::array<std::uint8_t, CanRecord::kSize> again{};
  back.encode(again);
  EXPECT_EQ(again, out);
}

}  // namespace
}  // namespace kivprism::sim::test
