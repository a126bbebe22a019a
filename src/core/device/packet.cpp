#include "core/device/packet.hpp"

#include <algorithm>

namespace kivprism::device {

std::uint8_t packetChecksum(std::span<const std::uint8_t> bytes) {
  std::uint8_t c = 0;
  for (const std::uint8_t byte : bytes) {
    const std::uint8_t t = c ^ byte;
    c = static_cast<std::uint8_t>(t << 1);
    if ((t & 0x80) != 0) {
      c ^= 0x21;
    }
  }
  return c;
}

std::uint8_t packetChecksum(const Packet& packet) {
  return packetChecksum(
      std::span(packet).subspan(kPacketCmdOffset, kPacketChecksumOffset - kPacketCmdOffset));
}

void sealPacket(Packet& packet) {
  packet[kPacketReportIdOffset] = kReportId;
  packet[kPacketChecksumOffset] = packetChecksum(packet);
}

bool hasValidChecksum(const Packet& packet) {
  return packet[kPacketChecksumOffset] == packetChecksum(packet);
}

Packet makePacket(std::uint8_t cmd, std::uint16_t offset, std::span<const std::uint8_t> data) {
  Packet p{};
  const std::size_t len = std::min(data.size(), kPacketDataSize);
  p[kPacketCmdOffset] = cmd;
  config::writeLe(p, kPacketOffsetOffset, 2, offset);
  p[kPacketLenOffset] = static_cast<std::uint8_t>(len);
  std::copy_n(data.begin(), len, p.begin() + kPacketDataOffset);
  sealPacket(p);
  return p;
}

Packet makeReadRequest(std::uint8_t area, std::uint16_t offset) {
  return makePacket(area, offset, {});
}

Packet makeWriteRequest(std::uint8_t area, std::uint16_t offset,
                        std::span<const std::uint8_t> data) {
  return makePacket(static_cast<std::uint8_t>(area | kWriteFlag), offset, data);
}

std::span<const std::uint8_t> packetData(const Packet& p) {
  return std::span(p).subspan(kPacketDataOffset,
                              std::min<std::size_t>(packetLen(p), kPacketDataSize));
}

}  // namespace kivprism::device
