#include "core/device/transport.hpp"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace kivprism::device {

namespace {

// The packet log line never grows past this many characters.
constexpr std::size_t kLogLineLimit = 996;

DeviceStatus readStatus(HidResult result) {
  switch (result) {
    case HidResult::Ok:
      return status::kOk;
    case HidResult::CallFailed:
      return status::kGetFeatureFailed;
    default:
      return status::kDisconnected;
  }
}

DeviceStatus writeStatus(HidResult result) {
  switch (result) {
    case HidResult::Ok:
      return status::kOk;
    case HidResult::CallFailed:
      return status::kSetFeatureFailed;
    default:
      return status::kDisconnected;
  }
}

}  // namespace

std::string hidStringTo8Bit(std::u16string_view text) {
  std::string out;
  for (const char16_t unit : text) {
    if (unit == 0) {
      break;
    }
    out.push_back(unit < 256 ? static_cast<char>(static_cast<unsigned char>(unit)) : '?');
  }
  return out;
}

std::uint16_t Transport::currentProductId() const {
  return kProductIds[productIdIndex_ < std::size(kProductIds) ? productIdIndex_ : 0];
}

DeviceStatus Transport::openDevice() {
  if (port_.isOpen()) {
    return status::kOk;
  }
  if (productIdIndex_ >= std::size(kProductIds)) {
    productIdIndex_ = 0;
  }
  return searchController(kProductIds[productIdIndex_]);
}

namespace {

// The order in which the controller's interfaces are tried: the vendor-defined usage page first,
// then interfaces whose page the platform does not tell, then the keyboard, mouse and touch ones.
int interfaceRank(const HidDeviceInfo& device) {
  if (device.usagePage >= kVendorUsagePageFirst) {
    return 0;
  }
  return device.usagePage == 0 ? 1 : 2;
}

}  // namespace

// The identity is checked on what enumeration reports, and only the controller itself is opened.
// A controller the system refuses to open is remembered, so the user learns why it is not found
// even when other devices of the vendor follow it.
DeviceStatus Transport::searchController(std::uint16_t productId) {
  std::vector<HidDeviceInfo> devices;
  if (port_.enumerate(kVendorId, productId, devices) != HidResult::Ok) {
    return status::kDisconnected;
  }
  DeviceStatus result = status::kDisconnected;
  std::vector<const HidDeviceInfo*> candidates;
  for (const HidDeviceInfo& device : devices) {
    if (device.vendorId != kVendorId || device.productId != productId) {
      continue;
    }
    result = status::kDisconnected;
    if (!device.manufacturer) {
      result = status::kManufacturerStringFailed;
      continue;
    }
    if (hidStringTo8Bit(*device.manufacturer) != kManufacturer) {
      continue;
    }
    if (!device.product) {
      result = status::kProductStringFailed;
      continue;
    }
    if (hidStringTo8Bit(*device.product) != kProduct) {
      continue;
    }
    candidates.push_back(&device);
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const HidDeviceInfo* a, const HidDeviceInfo* b) {
                     return interfaceRank(*a) < interfaceRank(*b);
                   });
  bool accessDenied = false;
  bool inUse = false;
  for (const HidDeviceInfo* device : candidates) {
    const HidResult opened = port_.open(device->path);
    if (opened != HidResult::Ok) {
      accessDenied = accessDenied || opened == HidResult::AccessDenied;
      inUse = inUse || opened == HidResult::InUse;
      continue;
    }
    // Among several interfaces, one that is not marked as the vendor's must show that it carries
    // feature report 1 before it is taken.
    if (candidates.size() == 1 || interfaceRank(*device) == 0 || answersFeatureReport()) {
      return status::kOk;
    }
    port_.close();
  }
  if (accessDenied) {
    return status::kAccessDenied;
  }
  return inUse ? status::kDeviceInUse : result;
}

bool Transport::answersFeatureReport() {
  Report report{};
  report[kPacketReportIdOffset] = kReportId;
  return port_.getFeature(report) == HidResult::Ok && report[kPacketReportIdOffset] == kReportId;
}

void Transport::closeDevice() {
  if (port_.isOpen()) {
    port_.close();
  }
}

DeviceStatus Transport::readReport(Packet& report) {
  if (const DeviceStatus opened = openDevice(); opened != status::kOk) {
    return opened;
  }
  report[kPacketReportIdOffset] = kReportId;
  DeviceStatus result = readStatus(port_.getFeature(report));
  if (result == status::kOk && report[kPacketReportIdOffset] != kReportId) {
    result = status::kBadReportId;
  }
  if (result != status::kOk) {
    closeDevice();
  }
  return result;
}

DeviceStatus Transport::writeReport(const Packet& report) {
  if (const DeviceStatus opened = openDevice(); opened != status::kOk) {
    return opened;
  }
  const DeviceStatus result = writeStatus(port_.setFeature(report));
  if (result != status::kOk) {
    closeDevice();
  }
  return result;
}

void Transport::waitForFreeTransport() {
  while (busy_ && !host_.shuttingDown()) {
    host_.processEvents();
  }
}

DeviceStatus Transport::isDeviceOnline() {
  waitForFreeTransport();
  busy_ = true;
  const DeviceStatus result = openDevice();
  closeDevice();
  busy_ = false;
  // A controller that is there but refused stays the one probed, so the refusal stays on screen
  // instead of alternating with "disconnected" from the other product ids.
  if (result != status::kOk && result != status::kAccessDenied && result != status::kDeviceInUse) {
    ++productIdIndex_;
  }
  return result;
}

// The answer is polled back to back: the controller puts it into the feature report within the
// time-out, and any pause would only add latency to every exchange.
DeviceStatus Transport::exchange(Packet& packet, bool& readFailed) {
  sealPacket(packet);
  logPacket('>', packet);
  if (const DeviceStatus written = writeReport(packet); written != status::kOk) {
    return written;
  }
  Packet answer{};
  const std::uint32_t start = host_.tickMs();
  for (;;) {
    answer.fill(0);
    if (const DeviceStatus read = readReport(answer); read != status::kOk) {
      readFailed = true;
      return read;
    }
    if (packetCmd(answer) == kAnswerNotYet) {
      if (host_.tickMs() - start >= kAnswerTimeoutMs) {
        return status::kTimeout;
      }
      continue;
    }
    logPacket('<', answer);
    if (packetLen(answer) > kPacketDataSize || !hasValidChecksum(answer)) {
      return status::kBadAnswer;
    }
    packet = answer;
    return status::kOk;
  }
}

DeviceStatus Transport::sendReceiveUsbPacket(Packet& packet) {
  waitForFreeTransport();
  busy_ = true;
  bool readFailed = false;
  const DeviceStatus result = exchange(packet, readFailed);
  busy_ = false;
  // Pending events are handled only once the transport is free again, so a command started
  // from them does not wait for an exchange that cannot finish until it returns.
  if (readFailed) {
    host_.processEvents();
  }
  return result;
}

DeviceStatus Transport::sendPacket(Packet& packet) {
  const Packet request = packet;
  DeviceStatus result = status::kOk;
  for (int attempt = 0; attempt < kSendAttempts; ++attempt) {
    packet = request;
    result = sendReceiveUsbPacket(packet);
    if (result == status::kOk) {
      return result;
    }
    if (packetCmd(request) == kNoRetryCmd) {
      return result;
    }
    host_.waitMs(kRetryPauseMs);
  }
  return result;
}

void Transport::logPacket(char direction, const Packet& packet) {
  if (!packetLog_ || !logSink_) {
    return;
  }
  // The connection poll's information request and answer would flood the log.
  const std::uint8_t cmd = packetCmd(packet);
  if (cmd == area::kDeviceInfo || cmd == (area::kDeviceInfo | kWriteFlag)) {
    return;
  }
  const std::uint32_t now = host_.tickMs();
  if (logStartMs_ == 0) {
    logStartMs_ = now == 0 ? 1 : now;
  }
  // A log started on tick 0 keeps 1 as its start (0 means "not started"); the packets of that
  // very tick count as 0 ms, not as a wrapped-around 49 days.
  const std::uint32_t elapsed = now + 1 == logStartMs_ ? 0 : now - logStartMs_;
  logSink_(formatPacketLogLine(elapsed, direction, packet));
}

// A received LEN above 64 is shown as it came in the header, while the dump holds only the 64
// bytes of the data field: there is nothing more in the packet to show.
std::string Transport::formatPacketLogLine(std::uint32_t elapsedMs, char direction,
                                           const Packet& packet) {
  char head[64];
  std::snprintf(head, sizeof head, "%6u.%03u %c CMD:%02X OFFSET:%04u LEN:%02u", elapsedMs / 1000,
                elapsedMs % 1000, direction, packetCmd(packet), packetOffset(packet),
                packetLen(packet));
  std::string line = head;
  const auto data = packetData(packet);
  if (packetLen(packet) > 0) {
    line += " [";
    for (const std::uint8_t byte : data) {
      if (line.size() >= kLogLineLimit) {
        break;
      }
      char hex[4];
      std::snprintf(hex, sizeof hex, " %02X", byte);
      line += hex;
    }
    line += " ]";
  }
  return line;
}

}  // namespace kivprism::device
