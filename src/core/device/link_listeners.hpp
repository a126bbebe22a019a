// What a page consumes from the device link. A page (or the shell on its behalf) registers the
// listeners it needs with DeviceLink and removes them before it goes; a page that consumes nothing
// registers nothing. Several listeners of a kind each get every call, in registration order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kivprism::device {

inline constexpr std::size_t kCanRecordSize = 17;
using CanRecord = std::span<const std::uint8_t, kCanRecordSize>;

// The variables view: VAR1..VAR4 as hexadecimal, binary and decimal text.
struct VariablesView {
  std::string hex[4];
  std::string bin[4];
  std::string dec[4];
};

// The monitoring page.
class MonitorListener {
 public:
  virtual ~MonitorListener() = default;
  // A line of the program's own (device information, packet log).
  virtual void logLine(std::string_view text) = 0;
  // A whole line of the controller's monitoring text, carriage returns removed, not yet rewritten.
  virtual void monitoringLine(std::string_view line) = 0;
};

// The CAN log: every whole 17-byte record as it is drained, in order.
class CanRecordListener {
 public:
  virtual ~CanRecordListener() = default;
  virtual void canLogRecord(CanRecord record) = 0;
  // Whether the log is also being written to a file; the connection line says so.
  virtual bool canLogWritingToFile() const { return false; }
  // The records of the last completed second as the log counts them (its start commands restart
  // the count); the connection line shows it. A listener that keeps no count says 0.
  virtual std::uint32_t canRecordsPerSecond() const { return 0; }
  // Each poll of a connected controller: the page follows the bus mode of the image.
  virtual void refreshCanLogPage() {}
};

// The state word of every poll of a connected controller.
class DeviceStateListener {
 public:
  virtual ~DeviceStateListener() = default;
  // The selected-source panel: "Selected: N" while connected, "Selected: ?" and disabled after.
  virtual void currentSourceChanged(std::string_view text, bool enabled) = 0;
  // The raw state word (source, CAN-log and waiting-data bits).
  virtual void stateWordRead(std::uint16_t /*stateWord*/) {}
};

// The variables view of the parameters page: read only while it shows.
class VariablesListener {
 public:
  virtual ~VariablesListener() = default;
  virtual bool variablesWanted() const = 0;
  virtual void showVariables(const VariablesView& view) = 0;
};

class ConnectionListener {
 public:
  virtual ~ConnectionListener() = default;
  // A controller answered after none did, or the connected controller went away.
  virtual void connectionChanged(bool /*connected*/) {}
  // The image was replaced by a whole read: every page must redraw.
  virtual void configurationReloaded() {}
};

}  // namespace kivprism::device
