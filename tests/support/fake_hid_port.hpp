// A scripted HidPort for transport tests: the test lists the devices, and a responder turns each
// request into the reports the following get-feature calls return (an empty report, CMD 0, once
// they are used up). Results of single calls can be forced.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/device/hid_port.hpp"
#include "core/device/packet.hpp"

namespace kivprism::testing {

class FakeHidPort : public device::HidPort {
 public:
  using Responder = std::function<std::deque<device::Report>(const device::Report& request)>;

  std::vector<device::HidDeviceInfo> devices;
  // Paths whose open fails with the given result.
  std::map<std::string, device::HidResult> openFailures;
  Responder responder;
  // Forced results of the next calls, in order; Ok when empty.
  std::deque<device::HidResult> getResults;
  std::deque<device::HidResult> setResults;
  // Runs on every get-feature call (a test clock can advance here).
  std::function<void()> onGet;

  // --- what happened ---
  std::vector<std::uint16_t> enumeratedProductIds;
  std::vector<std::string> opened;
  int closes = 0;
  int gets = 0;
  std::vector<device::Report> requests;

  device::HidResult enumerate(std::uint16_t vendorId, std::uint16_t productId,
                              std::vector<device::HidDeviceInfo>& out) override {
    enumeratedProductIds.push_back(productId);
    out.clear();
    for (const auto& d : devices) {
      if (d.vendorId == vendorId && d.productId == productId) {
        out.push_back(d);
      }
    }
    return device::HidResult::Ok;
  }
  device::HidResult open(const std::string& path) override {
    if (const auto it = openFailures.find(path); it != openFailures.end()) {
      return it->second;
    }
    opened.push_back(path);
    open_ = true;
    return device::HidResult::Ok;
  }
  void close() override {
    ++closes;
    open_ = false;
    pending_.clear();
  }
  bool isOpen() const override { return open_; }
  device::HidResult getFeature(device::Report& report) override {
    ++gets;
    if (onGet) {
      onGet();
    }
    if (const auto forced = take(getResults); forced != device::HidResult::Ok) {
      return forced;
    }
    if (pending_.empty()) {
      report.fill(0);
      report[0] = 1;
    } else {
      report = pending_.front();
      pending_.pop_front();
    }
    return device::HidResult::Ok;
  }
  device::HidResult setFeature(const device::Report& report) override {
    requests.push_back(report);
    if (const auto forced = take(setResults); forced != device::HidResult::Ok) {
      return forced;
    }
    pending_ = responder ? responder(report) : std::deque<device::Report>{};
    return device::HidResult::Ok;
  }

  // The controller's own device, as enumeration shows it.
  static device::HidDeviceInfo controller(std::string path, std::uint16_t productId = 0x45) {
    return {std::move(path), 0xFFFF, productId, u"KIV", u"SOLANPRISM-F401"};
  }

  // An answer: a sealed packet with the given CMD, OFFSET and DATA.
  static device::Report answer(std::uint8_t cmd, std::uint16_t offset,
                               std::span<const std::uint8_t> data = {}) {
    return device::makePacket(cmd, offset, data);
  }
  // A responder that acknowledges writes and answers reads with the given data.
  static Responder echoing(std::vector<std::uint8_t> readData = {}) {
    return [readData](const device::Report& r) {
      const std::uint8_t cmd = device::packetCmd(r);
      const std::uint16_t offset = device::packetOffset(r);
      if (device::isWriteCmd(cmd)) {
        return std::deque<device::Report>{answer(device::kAnswerAck, offset)};
      }
      return std::deque<device::Report>{
          answer(static_cast<std::uint8_t>(cmd | device::kWriteFlag), offset, readData)};
    };
  }

 private:
  static device::HidResult take(std::deque<device::HidResult>& q) {
    if (q.empty()) {
      return device::HidResult::Ok;
    }
    const auto r = q.front();
    q.pop_front();
    return r;
  }

  bool open_ = false;
  std::deque<device::Report> pending_;
};

}  // namespace kivprism::testing
