// A device procedure for tests: each step reads the device information once; it finishes after
// a given number of steps, or fails at a chosen one.
#pragma once

#include <array>
#include <cstddef>

#include "core/device/device_link.hpp"
#include "core/device/procedure.hpp"

namespace kivprism::testing {

class CountingProcedure : public device::Procedure {
 public:
  explicit CountingProcedure(std::size_t total) : total_(total) {}

  device::DeviceStatus startStatus = device::status::kOk;
  // Ends with Failed and this status at the given step (0: never).
  std::size_t failAt = 0;
  device::DeviceStatus failStatus = device::status::kTimeout;
  // Whether the user's edits wait while it runs, as during key learning.
  bool holdsChanges = false;
  int starts = 0;
  int stops = 0;
  int steps = 0;

  device::DeviceStatus start(device::DeviceLink&) override {
    ++starts;
    return startStatus;
  }
  Step step(device::DeviceLink& link) override {
    ++steps;
    std::array<std::uint8_t, device::kDeviceInfoSize> info{};
    if (const device::DeviceStatus read = link.readArea(device::area::kDeviceInfo, 0, info);
        read != device::status::kOk) {
      result_ = read;
      return Step::Failed;
    }
    ++done_;
    if (done_ == failAt) {
      result_ = failStatus;
      return Step::Failed;
    }
    return done_ == total_ ? Step::Finished : Step::Running;
  }
  void stop(device::DeviceLink&) override {
    ++stops;
    result_ = device::status::kDisconnected;
  }
  device::ProcedureProgress progress() const override { return {done_, total_, "Counting"}; }
  device::DeviceStatus result() const override { return result_; }
  bool holdsChangeSending() const override { return holdsChanges; }

 private:
  std::size_t done_ = 0;
  std::size_t total_;
  device::DeviceStatus result_ = device::status::kOk;
};

}  // namespace kivprism::testing
