// The device packet: one 70-byte HID feature report, the same layout in both directions.
// Byte 0 report id (always 1), byte 1 CMD, bytes 2..3 OFFSET (little-endian), byte 4 LEN,
// bytes 5..68 DATA, byte 69 the packet checksum over bytes 1..68.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/config/image.hpp"
#include "core/device/hid_port.hpp"

namespace kivprism::device {

inline constexpr std::size_t kPacketSize = kReportSize;
using Packet = Report;

inline constexpr std::size_t kPacketReportIdOffset = 0;
inline constexpr std::size_t kPacketCmdOffset = 1;
inline constexpr std::size_t kPacketOffsetOffset = 2;
inline constexpr std::size_t kPacketLenOffset = 4;
inline constexpr std::size_t kPacketDataOffset = 5;
inline constexpr std::size_t kPacketDataSize = 64;
inline constexpr std::size_t kPacketChecksumOffset = 69;
static_assert(kPacketDataOffset + kPacketDataSize == kPacketChecksumOffset);
static_assert(kPacketChecksumOffset + 1 == kPacketSize);

inline constexpr std::uint8_t kReportId = 1;
// A request's CMD is the area number, with this bit set for a write.
inline constexpr std::uint8_t kWriteFlag = 0x80;

// The CMD byte of an answer that is not data.
inline constexpr std::uint8_t kAnswerAck = 0xFF;            // carried out
inline constexpr std::uint8_t kAnswerBadParameters = 0xFE;  // rejected (also an unknown area)
inline constexpr std::uint8_t kAnswerFailed = 0xFD;         // could not be carried out
inline constexpr std::uint8_t kAnswerNotYet = 0;            // the report is still empty

// The controller's memory areas, by the CMD byte of a request.
namespace area {
inline constexpr std::uint8_t kDeviceInfo = 0x01;
inline constexpr std::uint8_t kBootLoader = 0x02;
inline constexpr std::uint8_t kReset = 0x03;
inline constexpr std::uint8_t kRestoreDefaults = 0x04;
inline constexpr std::uint8_t kMonitorText = 0x05;
inline constexpr std::uint8_t kConfiguration = 0x10;
inline constexpr std::uint8_t kTouchCalibration = 0x11;
inline constexpr std::uint8_t kKeyLearning = 0x12;
inline constexpr std::uint8_t kIrCode = 0x13;
inline constexpr std::uint8_t kTouchPoint = 0x14;
inline constexpr std::uint8_t kCanLog = 0x15;
inline constexpr std::uint8_t kVariables = 0x17;
}  // namespace area

// The packet checksum: one shift per byte, folding 0x21 back in when bit 7 of the byte mix was set.
std::uint8_t packetChecksum(std::span<const std::uint8_t> bytes);
// The checksum over bytes 1..68 of a packet.
std::uint8_t packetChecksum(const Packet& packet);
// Sets the report id and the checksum byte from the rest of the packet.
void sealPacket(Packet& packet);
bool hasValidChecksum(const Packet& packet);

// Any packet (request or answer) with the given CMD, OFFSET and up to 64 DATA bytes (LEN is the
// data size, more than 64 bytes are cut off), sealed.
Packet makePacket(std::uint8_t cmd, std::uint16_t offset, std::span<const std::uint8_t> data);
// A request for the area; write requests carry up to 64 data bytes (more are cut off, so callers
// refuse longer writes before building). The packet comes sealed.
Packet makeReadRequest(std::uint8_t area, std::uint16_t offset);
Packet makeWriteRequest(std::uint8_t area, std::uint16_t offset,
                        std::span<const std::uint8_t> data);

inline std::uint8_t packetCmd(const Packet& p) { return p[kPacketCmdOffset]; }
inline std::uint16_t packetOffset(const Packet& p) {
  return static_cast<std::uint16_t>(config::readLe(p, kPacketOffsetOffset, 2));
}
// LEN as it stands in the packet; an answer may carry more than 64 (it is then rejected).
inline std::uint8_t packetLen(const Packet& p) { return p[kPacketLenOffset]; }
// The DATA bytes that LEN names, never more than the 64-byte data field.
std::span<const std::uint8_t> packetData(const Packet& p);
inline bool isWriteCmd(std::uint8_t cmd) { return (cmd & kWriteFlag) != 0; }
inline std::uint8_t cmdArea(std::uint8_t cmd) {
  return static_cast<std::uint8_t>(cmd & ~kWriteFlag);
}

}  // namespace kivprism::device
