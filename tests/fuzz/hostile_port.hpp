// A controller that answers with whatever the fuzzer says: each get-feature call takes a few input
// bytes that pick a raw report (any length, any bytes), a failed call, an empty report, or an
// answer built around the request with a chosen CMD, OFFSET, a LEN up to 255, data and a good or
// spoilt checksum. When the input runs out the controller is unplugged, so every exchange ends.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/device/hid_port.hpp"
#include "core/device/packet.hpp"
#include "core/device/transport.hpp"
#include "support/fake_link_host.hpp"

namespace kivprism::fuzzing {

class HostilePort : public device::HidPort {
 public:
  HostilePort(FuzzedDataProvider& in, testing::FakeLinkHost& host) : in_(in), host_(host) {}

  device::HidResult enumerate(std::uint16_t vendorId, std::uint16_t productId,
                              std::vector<device::HidDeviceInfo>& devices) override {
    devices.clear();
    if (in_.remaining_bytes() == 0) {
      return device::HidResult::Ok;  // unplugged: nothing on the bus
    }
    devices.push_back({"hostile", vendorId, productId, u"KIV", u"SOLANPRISM-F401"});
    return device::HidResult::Ok;
  }
  device::HidResult open(const std::string&) override {
    open_ = true;
    return device::HidResult::Ok;
  }
  void close() override { open_ = false; }
  bool isOpen() const override { return open_; }

  device::HidResult setFeature(const device::Report& report) override {
    if (in_.remaining_bytes() == 0) {
      return device::HidResult::PlatformError;
    }
    request_ = report;
    ++requestsSent_;
    return device::HidResult::Ok;
  }

  std::size_t requestsSent() const { return requestsSent_; }

  device::HidResult getFeature(device::Report& report) override {
    ++host_.now;  // every call takes time, so waiting for an answer ends
    if (in_.remaining_bytes() == 0) {
      return device::HidResult::PlatformError;
    }
    report.fill(0);
    switch (in_.ConsumeIntegralInRange<unsigned>(0, 7)) {
      case 0: {  // raw bytes, possibly a short report
        const auto bytes = in_.ConsumeBytes<std::uint8_t>(
            in_.ConsumeIntegralInRange<std::size_t>(0, device::kReportSize));
        std::copy(bytes.begin(), bytes.end(), report.begin());
        return device::HidResult::Ok;
      }
      case 1:
        return device::HidResult::CallFailed;
      case 2:
        report[0] = device::kReportId;  // not answered yet
        return device::HidResult::Ok;
      default:
        buildAnswer(report);
        return device::HidResult::Ok;
    }
  }

 private:
  void buildAnswer(device::Report& report) {
    const std::uint8_t requestCmd = device::packetCmd(request_);
    std::uint8_t cmd = 0;
    switch (in_.ConsumeIntegralInRange<unsigned>(0, 3)) {
      case 0:
        cmd = static_cast<std::uint8_t>(requestCmd | device::kWriteFlag);
        break;
      case 1:
        cmd = device::kAnswerAck;
        break;
      case 2:
        cmd = in_.ConsumeBool() ? device::kAnswerBadParameters : device::kAnswerFailed;
        break;
      default:
        cmd = in_.ConsumeIntegral<std::uint8_t>();
        break;
    }
    const std::uint16_t offset =
        in_.ConsumeBool() ? device::packetOffset(request_) : in_.ConsumeIntegral<std::uint16_t>();
    const std::uint8_t len = in_.ConsumeBool() ? in_.ConsumeIntegralInRange<std::uint8_t>(0, 64)
                                               : in_.ConsumeIntegral<std::uint8_t>();
    const auto data = in_.ConsumeBytes<std::uint8_t>(
        in_.ConsumeIntegralInRange<std::size_t>(0, device::kPacketDataSize));
    report[device::kPacketCmdOffset] = cmd;
    report[device::kPacketOffsetOffset] = static_cast<std::uint8_t>(offset & 0xFF);
    report[device::kPacketOffsetOffset + 1] = static_cast<std::uint8_t>(offset >> 8);
    report[device::kPacketLenOffset] = len;
    std::copy(data.begin(), data.end(), report.begin() + device::kPacketDataOffset);
    device::sealPacket(report);
    if (in_.ConsumeBool()) {
      report[device::kPacketChecksumOffset] ^= in_.ConsumeIntegralInRange<std::uint8_t>(1, 255);
    }
    if (in_.ConsumeBool()) {
      report[device::kPacketReportIdOffset] = in_.ConsumeIntegral<std::uint8_t>();
    }
  }

  FuzzedDataProvider& in_;
  testing::FakeLinkHost& host_;
  device::Report request_{};
  bool open_ = false;
  std::size_t requestsSent_ = 0;
};

}  // namespace kivprism::fuzzing
