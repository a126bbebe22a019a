// The lowest layer of the device link: finds the controller among the HID devices, keeps its
// handle, and exchanges one request packet for one answer packet, with retries. Every failure
// becomes a device status; nothing is thrown.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/device/device_status.hpp"
#include "core/device/hid_port.hpp"
#include "core/device/link_host.hpp"
#include "core/device/packet.hpp"

namespace kivprism::device {

// The controller's identity on the USB bus.
inline constexpr std::uint16_t kVendorId = 0xFFFF;
inline constexpr std::uint16_t kProductIds[] = {0x45, 0x46, 0x47, 0x48};
inline constexpr std::string_view kManufacturer = "KIV";
inline constexpr std::string_view kProduct = "SOLANPRISM-F401";

// How long the controller may take to put its answer in the feature report.
inline constexpr std::uint32_t kAnswerTimeoutMs = 200;
inline constexpr int kSendAttempts = 3;
inline constexpr std::uint32_t kRetryPauseMs = 50;
// The boot-loader start restarts the controller; it is never repeated.
inline constexpr std::uint8_t kNoRetryCmd = area::kBootLoader | kWriteFlag;

// A HID string as 8-bit text: units below 256 become that byte, any other becomes '?', and the
// text ends at the first zero unit.
std::string hidStringTo8Bit(std::u16string_view text);

class Transport {
 public:
  Transport(HidPort& port, LinkHost& host) : port_(port), host_(host) {}
  Transport(const Transport&) = delete;
  Transport& operator=(const Transport&) = delete;

  // Opens the controller with the product id of the rotation index unless already open.
  DeviceStatus openDevice();
  void closeDevice();
  bool deviceOpen() const { return port_.isOpen(); }

  DeviceStatus readReport(Packet& report);
  DeviceStatus writeReport(const Packet& report);

  // The probe of the disconnected poll: opens and closes again; a failure moves on to the next
  // product id.
  DeviceStatus isDeviceOnline();

  // One exchange: the sealed request out, the answer back over the caller's packet. On failure
  // the packet keeps the request.
  DeviceStatus sendReceiveUsbPacket(Packet& packet);
  // The exchange with up to three attempts.
  DeviceStatus sendPacket(Packet& packet);

  // The packet log: off at start; its lines go to the sink.
  void setPacketLogEnabled(bool on) { packetLog_ = on; }
  bool packetLogEnabled() const { return packetLog_; }
  void setLogSink(std::function<void(std::string_view)> sink) { logSink_ = std::move(sink); }
  // One packet-log line, when the log is switched on and the packet is not the poll's.
  void logPacket(char direction, const Packet& packet);
  // The log line itself (also used by tests); elapsedMs counts from the first logged packet.
  static std::string formatPacketLogLine(std::uint32_t elapsedMs, char direction,
                                         const Packet& packet);

  bool transportBusy() const { return busy_; }
  std::uint16_t currentProductId() const;
  unsigned productIdIndex() const { return productIdIndex_; }

 private:
  DeviceStatus searchController(std::uint16_t productId);
  bool answersFeatureReport();
  void waitForFreeTransport();
  DeviceStatus exchange(Packet& packet, bool& readFailed);

  HidPort& port_;
  LinkHost& host_;
  bool busy_ = false;
  unsigned productIdIndex_ = 0;
  std::uint32_t logStartMs_ = 0;
  bool packetLog_ = false;
  std::function<void(std::string_view)> logSink_;
};

}  // namespace kivprism::device
