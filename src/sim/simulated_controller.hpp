// A KIVSOLANPRISM-F401 controller in software: the far end of the USB link, keeping the controller
// contract area by area, with deterministic timing and switchable faults. The device link's tests,
// the command-line tool (--simulator) and the demo program all talk to it through
// SimulatedHidPort, exactly as they would talk to the real controller over hidapi.
//
// Typical use:
//
//   sim::ManualClock clock;                       // or sim::steadyMillisClock() for real time
//   sim::SimulatedController controller(clock.function());
//   sim::SimulatedHidPort port(controller);       // a device::HidPort
//   controller.injectFault(sim::AnswerFault::WrongChecksum, 1);
//
// Exchange model. A set-feature call delivers a request; the controller works it out at once and
// holds the answer. Get-feature calls read an empty report (CMD 0) until the answer is ready
// (after a configurable number of empty reads and simulated milliseconds; by default at once),
// then read the answer once; later reads are empty again until the next request.
//
// Time. Everything timed (CAN traffic, scheduled monitoring text, the learning scripts, the
// restart after a reset, answer delays) runs on the injected millisecond clock; randomness comes
// from the seed. The same seed, clock and requests give the same answers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/config/image.hpp"
#include "core/device/device_info.hpp"
#include "core/device/hid_port.hpp"
#include "sim/can_log_engine.hpp"
#include "sim/car_can_traffic.hpp"
#include "sim/factory_defaults.hpp"
#include "sim/learning_scripts.hpp"
#include "sim/monitor_text.hpp"
#include "sim/sim_clock.hpp"
#include "sim/sim_random.hpp"

namespace kivprism::sim {

// The device information record of area 0x01 and its state word bits.
namespace device_info = device::device_info;

// How the controller presents itself on the USB bus.
struct UsbIdentity {
  std::uint16_t vendorId = 0xFFFF;
  std::uint16_t productId = 0x45;
  std::u16string manufacturer = u"KIV";
  std::u16string product = u"SOLANPRISM-F401";
};

// Faults of the answer itself; each applies to a number of answers in turn.
enum class AnswerFault {
  WrongChecksum,  // the checksum byte does not match
  LengthAbove64,  // LEN reads 65..255 (the checksum matches the packet as sent)
  WrongReportId,  // byte 0 is not 1
  Silence,        // the answer never becomes ready: every read is empty
};
inline constexpr int kEveryAnswer = -1;

// One request as the controller received it, for tests that check what the program sent.
struct ReceivedRequest {
  std::uint8_t cmd = 0;
  std::uint16_t offset = 0;
  std::uint8_t len = 0;
  std::array<std::uint8_t, 64> data{};

  std::span<const std::uint8_t> payload() const {
    return std::span(data).first(len <= data.size() ? len : data.size());
  }
};

struct SimulatedControllerOptions {
  MillisClock clock;  // empty: steadyMillisClock()
  std::uint32_t seed = 0x4B4956;
  DeviceIdentity identity;
  UsbIdentity usb;
};

class SimulatedController {
 public:
  static constexpr std::size_t kConfigurationSize = config::layout::kImageSize;
  static constexpr std::size_t kVariableCount = 4;
  // Requests the controller remembers for requests(); older ones are forgotten.
  static constexpr std::size_t kRequestHistoryLimit = 20000;

  explicit SimulatedController(SimulatedControllerOptions options = {});
  // The usual case: factory identity and seed on the given clock.
  explicit SimulatedController(MillisClock clock);

  // The transport, as SimulatedHidPort uses it

  // Present on the bus: plugged in, not restarting, not in the boot loader.
  bool isPresent();
  const UsbIdentity& usbIdentity() const { return usb_; }
  // Another vendor, product id or strings from the next enumeration on (tests of the search).
  void setUsbIdentity(UsbIdentity usb) { usb_ = std::move(usb); }
  // Changes whenever the controller leaves the bus; a handle opened before is dead afterwards.
  std::uint32_t connection() const { return connection_; }
  // Set-feature: takes a request and prepares its answer.
  device::HidResult receiveRequest(const device::Report& request);
  // Get-feature: the answer when it is ready, otherwise an empty report (CMD 0).
  device::HidResult readAnswer(device::Report& report);
  // Called on every report call (set and get): the benchmark models USB time with it.
  void setReportCallHook(std::function<void()> hook) { reportCallHook_ = std::move(hook); }

  // Timing

  // An answer becomes readable after this many empty reads and this many milliseconds.
  void setAnswerDelay(unsigned emptyReads, std::uint32_t milliseconds = 0);
  // How long a reset keeps the controller off the bus (default 1000 ms).
  void setRestartTime(std::uint32_t milliseconds) { restartMs_ = milliseconds; }
  std::uint32_t now() const { return clock_(); }

  // Faults

  // The next `times` answers (kEveryAnswer: all from now on) carry the fault.
  void injectFault(AnswerFault fault, int times = kEveryAnswer);
  // Every request for the area (read or write) is answered with this CMD: 0xFE (bad parameters)
  // or 0xFD (failed); 0 returns the area to normal.
  void setAreaAnswer(std::uint8_t area, std::uint8_t answerCmd);
  // Reads of the area end at this offset: a read there or beyond gives LEN 0, a read that starts
  // before it stops there.
  void endReadsAt(std::uint8_t area, std::size_t offset);
  // The controller is pulled out while it receives the n-th request from now (1: the next one):
  // that set-feature call fails and the controller stays away until plugIn().
  void unplugAtRequest(unsigned n);
  void unplug();
  // Plugs the controller in (power-on: monitoring text, CAN log and learning start empty).
  void plugIn();
  // Another controller with this serial number and a factory configuration takes this one's place:
  // handles to the old one are dead, the new one is present at once.
  void replaceWithAnotherController(std::uint32_t serialNumber);
  void clearFaults();

  // State the program reads and writes

  config::ConfigImage& configuration() { return configuration_; }
  const config::ConfigImage& configuration() const { return configuration_; }
  DeviceIdentity& identity() { return identity_; }
  // The 58-byte device information record as area 0x01 gives it now.
  device::DeviceInfoBytes deviceInformation();
  std::uint16_t stateWord();
  void setCurrentSource(std::uint8_t zeroBasedSource) { currentSource_ = zeroBasedSource; }
  void setVariables(const std::array<std::uint8_t, kVariableCount>& values) { variables_ = values; }
  const std::array<std::uint8_t, kVariableCount>& variables() const { return variables_; }
  // The IR code record the controller received last (all zero: none).
  void receiveIrCode(const IrCodeRecord& record) { irReceiver_.receive(record); }
  // The codes a remote sends for the program's next reads of area 0x13.
  IrReceiver& irReceiver() { return irReceiver_; }

  // Raw 15218-byte image of the configuration memory, followed by the versions once a firmware
  // update has changed them. False with a reason on failure.
  bool loadConfiguration(const std::filesystem::path& path, std::string& error);
  bool saveConfiguration(const std::filesystem::path& path, std::string& error) const;
  // What a state file holds: the image, then the version record once a firmware was installed.
  std::string stateFileBytes() const;

  // Monitoring text (area 0x05)

  // Text the controller has to say, now or once the clock reaches the tick.
  void queueMonitoringText(std::string_view text) { monitorText_.queue(text); }
  void scheduleMonitoringText(std::uint32_t atTick, std::string text);
  // Lines the program typed (area 0x05 writes), oldest first. Each is also echoed back as the
  // monitoring line "> " + text.
  const std::vector<std::string>& typedLines() const { return typedLines_; }
  // Demo mode: a monitoring line every interval (key presses, IR codes, bus events), the current
  // source and the variables changing, and an IR code to learn, so that a window shows life.
  void startDemo(std::uint32_t intervalMs = 1500);
  void stopDemo() { demo_ = false; }

  // CAN log (area 0x15)

  CanLogEngine& canLog() { return canLog_; }

  // Learning dialogues

  KeyLearning& keyLearning() { return keyLearning_; }
  TouchCalibration& touchCalibration() { return touchCalibration_; }
  TouchCapture& touchCapture() { return touchCapture_; }

  // Restarts

  unsigned resetCount() const { return resetCount_; }
  bool inBootLoader() const { return bootLoader_; }
  // The first 64 bytes of the firmware file sent with the boot-loader start.
  const std::array<std::uint8_t, 64>& bootLoaderHeader() const { return bootHeader_; }
  // The boot loader has installed the firmware: the controller starts its application again,
  // with the version of the firmware header when the header names this device type.
  void leaveBootLoader();
  // When the boot loader was last started (the update disk appears some time after).
  std::uint32_t bootLoaderStartedAt() const { return bootLoaderStartedAt_; }
  // The boot loader has programmed a firmware file from its update disk (sim/update_disk.hpp): the
  // controller restarts into the new application, which has the file's version and device type.
  // A state file keeps these versions from then on.
  void installFirmware(std::uint32_t deviceType, std::uint32_t applicationVersion);

  // Inspection

  std::uint64_t requestCount() const { return requestCount_; }
  const std::deque<ReceivedRequest>& requests() const { return requests_; }
  void clearRequests() { requests_.clear(); }

 private:
  struct Answer {
    device::Report report{};
    bool silent = false;
    unsigned emptyReadsLeft = 0;
    std::uint32_t readyAt = 0;
    // What happens once the program has read the answer.
    bool restartAfter = false;
  };
  // The reads and writes of each area the firmware knows.
  struct AreaHandlers;
  static const AreaHandlers* findHandlers(std::uint8_t area);

  void update();
  void powerOn();
  void leaveBus();
  void restart();
  bool takeFault(AnswerFault fault);
  void applyFaults(Answer& answer);
  device::Report answerFor(const ReceivedRequest& request);
  device::Report readBytes(const ReceivedRequest& request, std::span<const std::uint8_t> content);
  device::Report readConfiguration(const ReceivedRequest& request);
  device::Report writeConfiguration(const ReceivedRequest& request);
  device::Report writeMonitorText(const ReceivedRequest& request);
  device::Report readMonitorText(const ReceivedRequest& request);
  device::Report readTouchCalibration(const ReceivedRequest& request);
  device::Report writeTouchCalibration(const ReceivedRequest& request);
  device::Report readKeyLearning(const ReceivedRequest& request);
  device::Report writeKeyLearning(const ReceivedRequest& request);
  device::Report readTouchPoint(const ReceivedRequest& request);
  device::Report writeTouchPoint(const ReceivedRequest& request);
  device::Report readCanLog(const ReceivedRequest& request);
  device::Report writeCanLog(const ReceivedRequest& request);
  device::Report writeBootLoader(const ReceivedRequest& request);
  device::Report writeReset(const ReceivedRequest& request);
  device::Report writeRestoreDefaults(const ReceivedRequest& request);
  device::Report readDeviceInformation(const ReceivedRequest& request);
  device::Report readIrCode(const ReceivedRequest& request);
  device::Report readVariables(const ReceivedRequest& request);
  void runDemo(std::uint32_t now);
  void remember(const ReceivedRequest& request);

  MillisClock clock_;
  SimRandom random_;
  DeviceIdentity identity_;
  UsbIdentity usb_;
  config::ConfigImage configuration_;
  MonitorText monitorText_;
  CanLogEngine canLog_;
  // In demo mode, with the bus set to CAN, the CAN log also records a car's traffic.
  CarCanTraffic carTraffic_{0x43414E};
  KeyLearning keyLearning_;
  TouchCalibration touchCalibration_;
  TouchCapture touchCapture_;
  std::array<std::uint8_t, kVariableCount> variables_{};
  IrReceiver irReceiver_;
  std::uint8_t currentSource_ = 0;
  std::vector<std::string> typedLines_;

  std::optional<Answer> answer_;
  unsigned answerEmptyReads_ = 0;
  std::uint32_t answerDelayMs_ = 0;
  std::function<void()> reportCallHook_;

  bool pluggedIn_ = true;
  bool bootLoader_ = false;
  std::optional<std::uint32_t> restartUntil_;
  std::uint32_t restartMs_ = 1000;
  std::uint32_t connection_ = 1;
  unsigned resetCount_ = 0;
  bool restartPending_ = false;
  std::array<std::uint8_t, 64> bootHeader_{};
  std::uint32_t bootLoaderStartedAt_ = 0;
  bool keepVersions_ = false;

  std::map<AnswerFault, int> faults_;
  std::map<std::uint8_t, std::uint8_t> areaAnswers_;
  std::map<std::uint8_t, std::size_t> readLimits_;
  std::optional<std::uint64_t> unplugAtRequest_;

  bool demo_ = false;
  std::uint32_t demoInterval_ = 1500;
  std::uint32_t demoNext_ = 0;
  std::size_t demoStep_ = 0;

  std::uint64_t requestCount_ = 0;
  std::deque<ReceivedRequest> requests_;
};

}  // namespace kivprism::sim
