// The device link against a hostile controller: polls, whole reads and writes, area access and
// change sending in any order, answered by the fuzzer. Nothing may crash or hang, the transport is
// free and the poll resumed after every command, monitoring lines are whole lines within the limit,
// CAN records are whole records, and change sending leaves the device copy equal to the working
// image.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/device/device_link.hpp"
#include "fuzz/fuzz_check.hpp"
#include "fuzz/hostile_port.hpp"

namespace device = kivprism::device;
using kivprism::config::ConfigImage;

namespace {

// Key learning writes the image itself; while it runs, change sending waits.
bool changeSendingHeld = false;

void runCommand(FuzzedDataProvider& in, device::DeviceLink& link,
                kivprism::testing::FakeLinkHost& host) {
  switch (in.ConsumeIntegralInRange<unsigned>(0, 8)) {
    case 0:
      host.now += in.ConsumeIntegral<std::uint16_t>();
      link.pollTick();
      break;
    case 1:
      if (link.readConfigurationReported() == device::status::kOk) {
        KIVPRISM_FUZZ_CHECK(link.inSync() && link.model().device == link.model().working,
                            "a whole read leaves the device copy equal to the working image");
      } else {
        KIVPRISM_FUZZ_CHECK(!link.inSync(), "a failed whole read is never in sync");
      }
      break;
    case 2: {
      device::DeviceInfo info;
      link.readDeviceInfo(info);
      break;
    }
    case 3: {
      std::vector<std::uint8_t> buffer(in.ConsumeIntegralInRange<std::size_t>(0, 200));
      std::size_t count = 0;
      const auto result = link.readArea(in.ConsumeIntegral<std::uint8_t>(),
                                        in.ConsumeIntegral<std::uint16_t>(), buffer, count);
      KIVPRISM_FUZZ_CHECK(count <= device::kPacketDataSize, "an area read takes at most 64 bytes");
      KIVPRISM_FUZZ_CHECK(result == device::status::kOk || count == 0,
                          "a failed read reports no bytes");
      break;
    }
    case 4: {
      const auto data =
          in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange<std::size_t>(0, 70));
      const auto result = link.writeArea(in.ConsumeIntegral<std::uint8_t>(),
                                         in.ConsumeIntegral<std::uint16_t>(), data);
      if (data.size() > device::kPacketDataSize) {
        KIVPRISM_FUZZ_CHECK(result == device::status::kBadParameters,
                            "a write over 64 bytes is refused");
      }
      break;
    }
    case 5: {
      auto working = link.model().working.bytes();
      for (int n = in.ConsumeIntegralInRange<int>(1, 4); n > 0; --n) {
        working[in.ConsumeIntegralInRange<std::size_t>(0, ConfigImage::kSize - 1)] =
            in.ConsumeIntegral<std::uint8_t>();
      }
      link.syncChanges();
      if (link.inSync() && !changeSendingHeld && link.pendingChanges() == 0) {
        KIVPRISM_FUZZ_CHECK(link.model().device == link.model().working,
                            "a change not counted as pending is in the device copy");
      }
      break;
    }
    case 6:
      link.writeConfiguration();
      break;
    case 7: {
      std::vector<std::uint8_t> buffer(in.ConsumeIntegralInRange<std::size_t>(0, 300));
      link.readAreaRange(in.ConsumeIntegral<std::uint8_t>(), in.ConsumeIntegral<std::uint16_t>(),
                         buffer);
      break;
    }
    default:
      host.variablesView = in.ConsumeBool();
      changeSendingHeld = in.ConsumeBool();
      link.setPacketLogEnabled(in.ConsumeBool());
      link.setUserCommand(in.ConsumeBool());
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  kivprism::testing::FakeLinkHost host;
  kivprism::fuzzing::HostilePort port(in, host);
  kivprism::config::ConfigModel model;
  device::DeviceLink link(port, host, model);
  host.attach(link);
  changeSendingHeld = false;
  link.holdChangeSendingWhile([] { return changeSendingHeld; });
  link.resumePoll();  // the window starts the poll once it is up
  while (in.remaining_bytes() > 0) {
    runCommand(in, link, host);
    KIVPRISM_FUZZ_CHECK(!link.transportBusy(), "the transport is free after a command");
    KIVPRISM_FUZZ_CHECK(link.pollSuspendCount() == 0, "the poll runs again after a command");
  }
  for (const auto& line : host.monitoringLines) {
    KIVPRISM_FUZZ_CHECK(line.size() <= device::MonitorLineAssembler::kMaxLine,
                        "a monitoring line stays within the limit");
    KIVPRISM_FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos,
                        "a monitoring line holds no line break");
  }
  for (const auto& record : host.canRecords) {
    KIVPRISM_FUZZ_CHECK(record.size() == device::kCanRecordSize, "CAN records are whole");
  }
  for (const auto& [position, total] : host.progress) {
    KIVPRISM_FUZZ_CHECK(position <= total, "the gauge never passes its end");
  }
  return 0;
}
