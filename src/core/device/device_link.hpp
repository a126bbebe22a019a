// The device link: the controller's memory areas, whole-image transfers, change sending and the
// connection poll, built from device packets of the transport. The shell's services go through
// LinkHost and what pages consume through the listeners they register, so the link runs without a
// window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/config/image.hpp"
#include "core/device/change_tracker.hpp"
#include "core/device/device_info.hpp"
#include "core/device/device_status.hpp"
#include "core/device/hid_port.hpp"
#include "core/device/link_host.hpp"
#include "core/device/link_listeners.hpp"
#include "core/device/poll_pacer.hpp"
#include "core/device/procedure.hpp"
#include "core/device/transport.hpp"

namespace kivprism::device {

inline constexpr std::size_t kChunkSize = kPacketDataSize;

inline constexpr unsigned kMaxActivityDots = 10;

// Cuts the controller's monitoring text into lines. A line feed ends a line; carriage returns are
// dropped; a very long line is cut (at a comma near the limit, or hard at the limit).
class MonitorLineAssembler {
 public:
  static constexpr std::size_t kMaxLine = 9999;
  static constexpr std::size_t kCommaBreak = 9990;
  using Sink = std::function<void(std::string_view)>;

  void push(char c, const Sink& sink);
  void clear() { line_.clear(); }
  std::string_view pending() const { return line_; }

 private:
  std::string line_;
};

// The variables view for the four bytes of area 0x17.
VariablesView formatVariables(std::span<const std::uint8_t, 4> values);

class DeviceLink {
 public:
  DeviceLink(HidPort& port, LinkHost& host, config::ConfigModel& model);
  DeviceLink(const DeviceLink&) = delete;
  DeviceLink& operator=(const DeviceLink&) = delete;

  LinkHost& host() { return host_; }

  // --- listeners (the link does not own them; remove one before it goes) ---
  void addMonitorListener(MonitorListener& listener);
  void removeMonitorListener(MonitorListener& listener);
  void addCanRecordListener(CanRecordListener& listener);
  void removeCanRecordListener(CanRecordListener& listener);
  void addStateListener(DeviceStateListener& listener);
  void removeStateListener(DeviceStateListener& listener);
  void addVariablesListener(VariablesListener& listener);
  void removeVariablesListener(VariablesListener& listener);
  void addConnectionListener(ConnectionListener& listener);
  void removeConnectionListener(ConnectionListener& listener);
  // The packet log goes to the monitor listeners' logLine.
  void setPacketLogEnabled(bool on) { transport_.setPacketLogEnabled(on); }

  bool transportBusy() const { return transport_.transportBusy(); }
  // Looks for the controller, trying each of its product ids once; a tool without a poll uses it
  // to connect.
  DeviceStatus findController();
  // Lets the controller go (the program closes).
  void closeDevice() { transport_.closeDevice(); }

  // --- area access ---
  // One read answer into the buffer (cleared first); count gets the answer's LEN (0 for an
  // acknowledgement, which carries no data).
  DeviceStatus readArea(std::uint8_t area, std::uint16_t offset, std::span<std::uint8_t> buffer,
                        std::size_t& count);
  DeviceStatus readArea(std::uint8_t area, std::uint16_t offset, std::span<std::uint8_t> buffer);
  // At most 64 bytes; an empty span sends a command without data.
  DeviceStatus writeArea(std::uint8_t area, std::uint16_t offset,
                         std::span<const std::uint8_t> data);
  // Fills the whole buffer by repeated reads; steps the progress gauge.
  DeviceStatus readAreaRange(std::uint8_t area, std::uint16_t offset,
                             std::span<std::uint8_t> buffer);
  DeviceStatus writeAreaRange(std::uint8_t area, std::uint16_t offset,
                              std::span<const std::uint8_t> data, std::size_t chunk = kChunkSize);
  // The same, with an error box on failure.
  DeviceStatus readAreaReported(std::uint8_t area, std::uint16_t offset,
                                std::span<std::uint8_t> buffer, std::size_t& count);
  DeviceStatus writeAreaReported(std::uint8_t area, std::uint16_t offset,
                                 std::span<const std::uint8_t> data);

  // --- progress ---
  void progressStart(std::size_t total, std::string_view caption);
  void progressStep(std::size_t n);
  void progressHide();
  std::size_t progressCount() const { return progressCount_; }

  // --- poll suspension (nesting; starts suspended) ---
  void suspendPoll();
  void resumePoll();
  unsigned pollSuspendCount() const { return pacer_.suspendCount(); }

  // --- configuration and commands ---
  DeviceStatus readConfiguration();
  DeviceStatus readConfigurationReported();
  DeviceStatus writeConfiguration();
  DeviceStatus resetDevice();
  // Asks first; No sends nothing and returns 0. After Yes, beforeSending runs (the backup) and
  // may still stop it, with the same result as No.
  DeviceStatus restoreDefaults(const std::function<bool()>& beforeSending = {});
  DeviceStatus readDeviceInfo(DeviceInfo& info);
  void showDeviceInfo(const DeviceInfo& info);
  // Sends every run of the working image that differs from the device copy. The device copy takes
  // a run only once the controller acknowledged it; a refused or failed run stays pending and is
  // tried again on the next connection or after the next change the controller took. A run sent
  // without an answer stays pending until acknowledged, even once the user takes it back: the
  // controller may hold the new value. One error box per failure episode.
  void syncChanges();
  // Runs of the working image not yet on the controller.
  std::size_t pendingChanges() const { return changes_.pendingChanges(); }
  // The byte is a change of the user's not yet on the controller.
  bool isChange(std::size_t at) const { return changes_.isChange(at); }
  SyncState syncState() const { return {connected_, pendingChanges()}; }
  // Shows the sync state in the host's panel when it changed.
  void updateSyncText();

  // --- procedures ---
  // Starts a procedure that the poll then steps once per tick while connected; it ends by itself,
  // by stopProcedure, or when the controller goes away. Fails with kBadParameters while another
  // runs. The link does not own it.
  DeviceStatus startProcedure(Procedure& procedure);
  void stopProcedure();
  Procedure* activeProcedure() const { return procedure_; }
  // A procedure with waits of its own (key learning) writes the image areas itself: while the
  // predicate says so, the user's edits wait with being sent.
  void holdChangeSendingWhile(std::function<bool()> held) { changeSendingHeld_ = std::move(held); }
  // The corrections the pages make to a configuration (claimed pins, times out of range, ...):
  // applied to the working image after every whole read that succeeded, so that they are changes
  // against what the controller holds and go to it with the next change sending.
  void normaliseAfterRead(std::function<void(config::ConfigImage&)> normalise) {
    normaliseAfterRead_ = std::move(normalise);
  }

  // --- the poll ---
  // One timer tick: honours the hold-off counter and the busy transport, then polls and sends the
  // changes with the poll suspended. False when the tick was skipped.
  bool pollTick();
  DeviceStatus pollDevice();

  // --- state ---
  bool isConnected() const { return connected_; }
  // Leaves the connected state without a failure (language switch, firmware update). Changes not
  // yet on the controller are kept for its return.
  void clearConnected();
  bool inSync() const { return inSync_; }
  // In sync again (a file loaded, learning written): the working image is the user's once more.
  void setInSync(bool inSync) {
    inSync_ = inSync;
    if (inSync) {
      changes_.userImageAgain();
    }
  }
  bool userCommand() const { return userCommand_; }
  void setUserCommand(bool on) { userCommand_ = on; }
  std::uint32_t lastSerialNumber() const { return lastSerial_; }
  // Makes the next successful poll read the whole configuration again, and that read replaces the
  // changes not yet on the controller (restore defaults, reset).
  void forgetSerialNumber() {
    lastSerial_ = 0;
    changes_.forgetKept();
  }
  unsigned trafficHoldOff() const { return pacer_.holdOff(); }
  const DeviceInfo& deviceInfo() const { return deviceInfo_; }
  unsigned activityDots() const { return activityDots_; }
  std::uint32_t pollInterval() const { return pollInterval_; }
  // CAN records in the last whole second, as the CAN log counts them.
  std::uint32_t canRecordsPerSecond() const;
  config::ConfigModel& model() { return model_; }

 private:
  DeviceStatus readDeviceInfoRecord(DeviceInfo& info);
  void readVariables();
  DeviceStatus drainData(std::uint16_t stateWord);
  DeviceStatus drainMonitorText();
  DeviceStatus drainCanLog();
  void onPollFailure(DeviceStatus status);
  void onPollSuccess();
  std::string connectionLine();
  void setPollInterval(std::uint32_t ms);
  void showErrorBox(std::string_view text);
  void logLine(std::string_view text);
  void setCurrentSource(std::string_view text, bool enabled);
  void notifyConnection(bool connected);
  void notifyReloaded();
  bool variablesWanted() const;
  bool canLogWritingToFile() const;
  // Sends one run in chunks; the device copy takes each acknowledged chunk. A chunk whose answer
  // was lost may or may not have reached the controller: its bytes stay unknown until one is
  // acknowledged.
  DeviceStatus sendRun(std::size_t begin, std::size_t length, bool stepProgress);
  // A failed change: held back until the next connection or the next change the controller took;
  // the box only once per episode.
  void holdFrom(std::size_t begin, std::size_t end, DeviceStatus result);
  void stepProcedure();
  // The error box text of a reported area access: the English text also names the controller.
  std::string areaErrorText(const lang::TextPair& text, DeviceStatus result) const;

  // Packets go through the link only, so that its bookkeeping sees every exchange.
  Transport transport_;
  LinkHost& host_;
  config::ConfigModel& model_;

  DeviceInfo deviceInfo_;
  bool connected_ = false;
  bool inSync_ = false;
  bool userCommand_ = false;
  std::uint32_t lastSerial_ = 0;
  PollPacer pacer_;
  unsigned activityDots_ = 0;
  std::uint32_t pollInterval_ = kPollIdleMs;  // as the host was last told
  std::string progressCaption_;
  std::size_t progressCount_ = 0;
  std::size_t progressTotal_ = 0;
  bool progressVisible_ = false;
  MonitorLineAssembler lineAssembler_;
  Procedure* procedure_ = nullptr;
  std::function<bool()> changeSendingHeld_;
  std::function<void(config::ConfigImage&)> normaliseAfterRead_;

  ChangeTracker changes_;

  std::vector<MonitorListener*> monitorListeners_;
  std::vector<CanRecordListener*> canListeners_;
  std::vector<DeviceStateListener*> stateListeners_;
  std::vector<VariablesListener*> variablesListeners_;
  std::vector<ConnectionListener*> connectionListeners_;
};

}  // namespace kivprism::device
