// The transport's answer handling against a hostile controller: whatever comes back, an exchange
// ends, and an exchange reported as done hands over a packet with report id 1, a good checksum and
// a LEN of at most 64. The packet log formats every answer without reading past the packet.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

#include "core/device/transport.hpp"
#include "fuzz/fuzz_check.hpp"
#include "fuzz/hostile_port.hpp"

namespace device = kivprism::device;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  kivprism::testing::FakeLinkHost host;
  const bool packetLog = in.ConsumeBool();
  kivprism::fuzzing::HostilePort port(in, host);
  device::Transport transport(port, host);
  transport.setPacketLogEnabled(packetLog);
  while (in.remaining_bytes() > 0) {
    const std::uint8_t cmd = in.ConsumeIntegral<std::uint8_t>();
    const std::uint16_t offset = in.ConsumeIntegral<std::uint16_t>();
    const auto payload =
        in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange<std::size_t>(0, 64));
    device::Packet packet = device::makePacket(cmd, offset, payload);
    const std::size_t before = port.requestsSent();
    const device::DeviceStatus result = transport.sendPacket(packet);
    if (cmd == device::kNoRetryCmd) {
      KIVPRISM_FUZZ_CHECK(port.requestsSent() - before <= 1, "the boot-loader start is sent once");
    }
    KIVPRISM_FUZZ_CHECK(!transport.transportBusy(), "the transport is free after an exchange");
    if (result == device::status::kOk) {
      KIVPRISM_FUZZ_CHECK(packet[device::kPacketReportIdOffset] == device::kReportId,
                          "an answer has report id 1");
      KIVPRISM_FUZZ_CHECK(device::hasValidChecksum(packet), "an answer has a good checksum");
      KIVPRISM_FUZZ_CHECK(device::packetLen(packet) <= device::kPacketDataSize,
                          "an answer carries at most 64 bytes");
      KIVPRISM_FUZZ_CHECK(device::packetCmd(packet) != device::kAnswerNotYet,
                          "an empty report is no answer");
    }
  }
  for (const auto& line : host.logLines) {
    KIVPRISM_FUZZ_CHECK(line.size() < 1100, "a packet log line stays short");
  }
  return 0;
}
