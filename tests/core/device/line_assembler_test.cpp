#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/device/device_link.hpp"

namespace kivprism::device {
namespace {

struct Collected {
  MonitorLineAssembler assembler;
  std::vector<std::string> lines;
  void push(std::string_view text) {
    for (const char c : text) {
      assembler.push(c, [this](std::string_view line) { lines.emplace_back(line); });
    }
  }
};

TEST(MonitorLineAssembler, LineFeedEndsCarriageReturnIsDropped) {
  Collected c;
  c.push("KEY 1\r\nIR ");
  c.push("x12\r\n\n");
  EXPECT_EQ(c.lines, (std::vector<std::string>{"KEY 1", "IR x12", ""}));
  c.push("half");
  EXPECT_EQ(c.assembler.pending(), "half");
  c.assembler.clear();
  c.push("new\n");
  EXPECT_EQ(c.lines.back(), "new");
}

TEST(MonitorLineAssembler, OverlongLineIsCutAtTheLimitAndTheCharacterDropped) {
  Collected c;
  c.push(std::string(9999, 'a'));
  EXPECT_TRUE(c.lines.empty());
  c.push("bc\n");
  ASSERT_EQ(c.lines.size(), 2u);
  EXPECT_EQ(c.lines[0], std::string(9999, 'a'));  // 'b' ended it and was dropped
  EXPECT_EQ(c.lines[1], "c");

  // At the limit a carriage return ends the line too; the line feed after it ends an empty one.
  Collected crlf;
  crlf.push(std::string(9999, 'a') + "\r\n");
  ASSERT_EQ(crlf.lines.size(), 2u);
  EXPECT_EQ(crlf.lines[0].size(), 9999u);
  EXPECT_EQ(crlf.lines[1], "");
  // Below the limit it is only dropped.
  Collected below;
  below.push(std::string(9998, 'a') + "\r\n");
  ASSERT_EQ(below.lines.size(), 1u);
  EXPECT_EQ(below.lines[0].size(), 9998u);
}

TEST(MonitorLineAssembler, CommaNearTheLimitIsKeptAndEndsTheLine) {
  Collected c;
  c.push(std::string(9989, 'a') + ",");
  EXPECT_TRUE(c.lines.empty());  // 9989 characters before it: below the comma limit
  c.push(",x");
  ASSERT_EQ(c.lines.size(), 1u);
  EXPECT_EQ(c.lines[0], std::string(9989, 'a') + ",,");
  EXPECT_EQ(c.assembler.pending(), "x");

  Collected full;
  full.push(std::string(9998, 'a') + ",");
  ASSERT_EQ(full.lines.size(), 1u);
  EXPECT_EQ(full.lines[0].size(), 9999u);
}

TEST(VariablesView, HexBinaryAndDecimalRows) {
  const std::array<std::uint8_t, 4> values{0x00, 0xA5, 0xFF, 0x10};
  const VariablesView v = formatVariables(values);
  EXPECT_EQ(v.hex[1], "xA5");
  EXPECT_EQ(v.bin[1], "1010 0101");
  EXPECT_EQ(v.dec[1], "165");
  EXPECT_EQ(v.hex[0], "x00");
  EXPECT_EQ(v.bin[0], "0000 0000");
  EXPECT_EQ(v.dec[2], "255");
  EXPECT_EQ(v.bin[3], "0001 0000");
}

TEST(DeviceInfoRecord, RoundTripAndLimits) {
  DeviceInfo info{140, 4010001, 105, 0x401, std::string(45, 'N'), 0xC005};
  const DeviceInfoBytes bytes = encodeDeviceInfo(info);
  EXPECT_EQ(bytes[0], 140);
  EXPECT_EQ(bytes[56], 0x05);
  EXPECT_EQ(bytes[57], 0xC0);
  EXPECT_EQ(bytes[55], 0);  // the name keeps its terminating zero
  const DeviceInfo back = parseDeviceInfo(bytes);
  EXPECT_EQ(back.name, std::string(39, 'N'));
  EXPECT_EQ(back.serialNumber, 4010001u);
  EXPECT_EQ(back.currentSource(), 5u);
  // A name that fills all 40 bytes is taken whole.
  DeviceInfoBytes raw = bytes;
  raw[55] = 'Z';
  EXPECT_EQ(parseDeviceInfo(raw).name.size(), 40u);
}

}  // namespace
}  // namespace kivprism::device
