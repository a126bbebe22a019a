#include "core/device/packet.hpp"

#include <gtest/gtest.h>

#include <string_view>

#include "core/device/device_status.hpp"

namespace kivprism::device {
namespace {

TEST(PacketChecksum, WorkedValues) {
  EXPECT_EQ(packetChecksum(makeReadRequest(area::kDeviceInfo, 0)), 0x3A);
  const std::string_view abc = "abc";
  EXPECT_EQ(packetChecksum(std::span(reinterpret_cast<const std::uint8_t*>(abc.data()), 3)), 0x04);
  EXPECT_EQ(packetChecksum(std::span<const std::uint8_t>{}), 0);
}

TEST(Packet, ReadRequestLayout) {
  const Packet p = makeReadRequest(area::kConfiguration, 0x1234);
  EXPECT_EQ(p[0], 1);
  EXPECT_EQ(p[1], 0x10);
  EXPECT_EQ(p[2], 0x34);
  EXPECT_EQ(p[3], 0x12);
  EXPECT_EQ(p[4], 0);
  EXPECT_EQ(packetOffset(p), 0x1234);
  EXPECT_TRUE(hasValidChecksum(p));
}

TEST(Packet, WriteRequestCarriesDataAndZeroPadding) {
  std::array<std::uint8_t, 70> big{};
  for (std::size_t i = 0; i < big.size(); ++i) {
    big[i] = static_cast<std::uint8_t>(i + 1);
  }
  const Packet full = makeWriteRequest(area::kConfiguration, 64, std::span(big).first(64));
  EXPECT_EQ(packetCmd(full), 0x90);
  EXPECT_EQ(packetLen(full), 64);
  EXPECT_EQ(full[5], 1);
  EXPECT_EQ(full[68], 64);
  EXPECT_TRUE(hasValidChecksum(full));

  const Packet cut = makeWriteRequest(area::kConfiguration, 0, big);
  EXPECT_EQ(packetLen(cut), 64);

  const Packet small = makeWriteRequest(area::kReset, 0, std::span(big).first(3));
  EXPECT_EQ(packetCmd(small), 0x83);
  EXPECT_EQ(packetData(small).size(), 3u);
  for (std::size_t i = 8; i < 69; ++i) {
    EXPECT_EQ(small[i], 0) << i;
  }
}

TEST(Packet, DataNeverRunsPastTheDataField) {
  Packet p{};
  p[kPacketLenOffset] = 200;
  EXPECT_EQ(packetData(p).size(), kPacketDataSize);
  p[kPacketChecksumOffset] ^= 0xFF;
  EXPECT_FALSE(hasValidChecksum(p));
}

TEST(DeviceStatusText, KnownUnknownAndBothLanguages) {
  using lang::Language;
  EXPECT_EQ(statusText(status::kOk, Language::English), "No errors");
  EXPECT_EQ(statusText(status::kBadAnswer, Language::Russian),
            "Ошибка обмена данными с контроллером");
  EXPECT_EQ(statusText(status::kDisconnected, Language::English), "Controller is disconnected");
  EXPECT_EQ(statusText(status::kTimeout, Language::English), "Out of the timeout response");
  EXPECT_EQ(statusText(status::kBadParameters, Language::Russian), "Ошибка в параметрах");
  EXPECT_EQ(statusText(status::kFailedResult, Language::English), "Failed result");
  EXPECT_EQ(statusText(42, Language::English), "Unknown error USB: 42");
  EXPECT_EQ(statusText(-1, Language::Russian), "Неизвестная ошибка USB: -1");
  const std::string denied = statusText(status::kAccessDenied, Language::English);
  EXPECT_NE(denied.find("refused"), std::string::npos);
  EXPECT_NE(denied.find("70-kivprism.rules"), std::string::npos);
}

}  // namespace
}  // namespace kivprism::device
