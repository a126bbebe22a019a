#include "sim/simulated_controller.hpp"

#include <algorithm>
#include <iterator>
#include <utility>

#include "core/config/config_file.hpp"
#include "core/device/packet.hpp"
#include "sim/ticks.hpp"
#include "sim/update_disk.hpp"

namespace kivprism::sim {
namespace {

namespace area = device::area;
namespace layout = config::layout;

// A CAN-log answer carries whole records only: three fill 51 of the 64 data bytes.
constexpr std::size_t kCanRecordsPerAnswer = 3;
constexpr std::uint8_t kTouchStartSize = 1;
constexpr std::uint16_t kTouchStateOffset = 1;
// Fields of the firmware file header that the boot loader looks at.
constexpr std::size_t kFirmwareDeviceTypeOffset = 8;
constexpr std::size_t kFirmwareVersionOffset = 12;
// The demo never floods: after a long pause it catches up by at most this many lines.
constexpr int kDemoCatchUpLimit = 10;

// The differential bus set to plain CAN.
constexpr std::uint8_t kCanBusMode = 2;

device::Report emptyReport() {
  device::Report r{};
  r[device::kPacketReportIdOffset] = device::kReportId;
  return r;
}

device::Report statusAnswer(std::uint8_t cmd, const ReceivedRequest& request) {
  return device::makePacket(cmd, request.offset, {});
}

device::Report ack(const ReceivedRequest& request) {
  return statusAnswer(device::kAnswerAck, request);
}

device::Report reject(const ReceivedRequest& request) {
  return statusAnswer(device::kAnswerBadParameters, request);
}

device::Report dataAnswer(const ReceivedRequest& request, std::span<const std::uint8_t> data) {
  return device::makePacket(static_cast<std::uint8_t>(request.cmd | device::kWriteFlag),
                            request.offset, data);
}

}  // namespace

// A missing handler is answered 0xFE, as the firmware does for what it does not know.
struct SimulatedController::AreaHandlers {
  std::uint8_t area;
  device::Report (SimulatedController::*read)(const ReceivedRequest&);
  device::Report (SimulatedController::*write)(const ReceivedRequest&);
};

SimulatedController::SimulatedController(SimulatedControllerOptions options)
    : clock_(options.clock ? std::move(options.clock) : steadyMillisClock()),
      random_(options.seed),
      identity_(std::move(options.identity)),
      usb_(std::move(options.usb)),
      configuration_(factoryConfiguration()),
      canLog_(options.seed + 1),
      keyLearning_(options.seed + 2) {}

SimulatedController::SimulatedController(MillisClock clock)
    : SimulatedController([&] {
        SimulatedControllerOptions options;
        options.clock = std::move(clock);
        return options;
      }()) {}

// Transport

bool SimulatedController::isPresent() {
  update();
  return pluggedIn_ && !bootLoader_ && !restartUntil_;
}

device::HidResult SimulatedController::receiveRequest(const device::Report& request) {
  if (reportCallHook_) {
    reportCallHook_();
  }
  if (!isPresent()) {
    return device::HidResult::PlatformError;
  }
  ++requestCount_;
  if (unplugAtRequest_ && requestCount_ >= *unplugAtRequest_) {
    unplugAtRequest_.reset();
    unplug();
    return device::HidResult::PlatformError;
  }
  if (request[device::kPacketReportIdOffset] != device::kReportId) {
    return device::HidResult::CallFailed;
  }
  ReceivedRequest r;
  r.cmd = device::packetCmd(request);
  r.offset = device::packetOffset(request);
  r.len = device::packetLen(request);
  const auto data = device::packetData(request);
  std::copy(data.begin(), data.end(), r.data.begin());
  remember(r);

  Answer a;
  if (r.len > device::kPacketDataSize || !device::hasValidChecksum(request)) {
    a.report = reject(r);
  } else {
    a.report = answerFor(r);
  }
  if (bootLoader_) {
    // The controller restarted into its boot loader before it could answer.
    answer_.reset();
    return device::HidResult::Ok;
  }
  a.restartAfter = std::exchange(restartPending_, false);
  a.emptyReadsLeft = answerEmptyReads_;
  a.readyAt = now() + answerDelayMs_;
  applyFaults(a);
  answer_ = a;
  return device::HidResult::Ok;
}

device::HidResult SimulatedController::readAnswer(device::Report& report) {
  if (reportCallHook_) {
    reportCallHook_();
  }
  if (!isPresent()) {
    return device::HidResult::PlatformError;
  }
  if (report[device::kPacketReportIdOffset] != device::kReportId) {
    return device::HidResult::CallFailed;
  }
  report = emptyReport();
  if (!answer_ || answer_->silent) {
    return device::HidResult::Ok;
  }
  if (answer_->emptyReadsLeft > 0) {
    --answer_->emptyReadsLeft;
    return device::HidResult::Ok;
  }
  if (!reached(now(), answer_->readyAt)) {
    return device::HidResult::Ok;
  }
  report = answer_->report;
  const bool restartNow = answer_->restartAfter;
  answer_.reset();
  if (restartNow) {
    restart();
  }
  return device::HidResult::Ok;
}

void SimulatedController::remember(const ReceivedRequest& request) {
  requests_.push_back(request);
  if (requests_.size() > kRequestHistoryLimit) {
    requests_.pop_front();
  }
}

// Timing and faults

void SimulatedController::setAnswerDelay(unsigned emptyReads, std::uint32_t milliseconds) {
  answerEmptyReads_ = emptyReads;
  answerDelayMs_ = milliseconds;
}

void SimulatedController::injectFault(AnswerFault fault, int times) { faults_[fault] = times; }

void SimulatedController::setAreaAnswer(std::uint8_t areaNumber, std::uint8_t answerCmd) {
  if (answerCmd == 0) {
    areaAnswers_.erase(areaNumber);
  } else {
    areaAnswers_[areaNumber] = answerCmd;
  }
}

void SimulatedController::endReadsAt(std::uint8_t areaNumber, std::size_t offset) {
  readLimits_[areaNumber] = offset;
}

void SimulatedController::unplugAtRequest(unsigned n) {
  unplugAtRequest_ = requestCount_ + std::max(n, 1u);
}

void SimulatedController::clearFaults() {
  faults_.clear();
  areaAnswers_.clear();
  readLimits_.clear();
  unplugAtRequest_.reset();
}

bool SimulatedController::takeFault(AnswerFault fault) {
  const auto it = faults_.find(fault);
  if (it == faults_.end() || it->second == 0) {
    return false;
  }
  if (it->second > 0) {
    --it->second;
  }
  return true;
}

void SimulatedController::applyFaults(Answer& answer) {
  device::Report& r = answer.report;
  if (takeFault(AnswerFault::LengthAbove64)) {
    r[device::kPacketLenOffset] =
        static_cast<std::uint8_t>(device::kPacketDataSize + 1 + random_.below(191));
    device::sealPacket(r);
  }
  if (takeFault(AnswerFault::WrongChecksum)) {
    r[device::kPacketChecksumOffset] ^= 0x5A;
  }
  if (takeFault(AnswerFault::WrongReportId)) {
    r[device::kPacketReportIdOffset] = device::kReportId + 1;
  }
  answer.silent = takeFault(AnswerFault::Silence);
}

// Presence and restarts

void SimulatedController::leaveBus() {
  ++connection_;
  answer_.reset();
  restartPending_ = false;
}

void SimulatedController::powerOn() {
  monitorText_.clear();
  canLog_.clear();
  keyLearning_.stop();
  touchCalibration_.stop();
  touchCapture_.stop();
}

void SimulatedController::unplug() {
  pluggedIn_ = false;
  leaveBus();
}

void SimulatedController::plugIn() {
  if (pluggedIn_ && !bootLoader_ && !restartUntil_) {
    return;
  }
  pluggedIn_ = true;
  bootLoader_ = false;
  restartUntil_.reset();
  powerOn();
}

void SimulatedController::restart() {
  ++resetCount_;
  leaveBus();
  powerOn();
  restartUntil_ = now() + restartMs_;
}

void SimulatedController::replaceWithAnotherController(std::uint32_t serialNumber) {
  leaveBus();
  identity_.serialNumber = serialNumber;
  configuration_ = factoryConfiguration();
  pluggedIn_ = true;
  bootLoader_ = false;
  restartUntil_.reset();
  powerOn();
}

void SimulatedController::leaveBootLoader() {
  if (!bootLoader_) {
    return;
  }
  const std::span<const std::uint8_t> header(bootHeader_);
  const std::uint32_t type = config::readLe(header, kFirmwareDeviceTypeOffset, 4);
  const std::uint32_t version = config::readLe(header, kFirmwareVersionOffset, 4);
  if (type == identity_.deviceType && version != 0) {
    identity_.applicationVersion = version;
  }
  bootLoader_ = false;
  powerOn();
}

void SimulatedController::installFirmware(std::uint32_t deviceType,
                                          std::uint32_t applicationVersion) {
  identity_.deviceType = deviceType;
  identity_.applicationVersion = applicationVersion;
  keepVersions_ = true;
  bootLoader_ = false;
  leaveBus();
  powerOn();
  restartUntil_ = now() + restartMs_;
}

void SimulatedController::update() {
  const std::uint32_t t = now();
  if (restartUntil_ && reached(t, *restartUntil_)) {
    restartUntil_.reset();
  }
  monitorText_.update(t);
  // One time line: the car's frames and the recorder's own traffic go out merged by time stamp.
  std::vector<CanRecord> carFrames;
  if (demo_ && canLog_.running() && configuration_.getU8(layout::kDiffBusMode) == kCanBusMode) {
    carFrames = carTraffic_.due(t);
  }
  canLog_.update(t, carFrames);
  if (const auto block = touchCalibration_.update(t)) {
    std::copy(block->begin(), block->end(), configuration_.span(layout::kTouchBlock).begin());
  }
  if (demo_) {
    runDemo(t);
  }
}

// Areas

const SimulatedController::AreaHandlers* SimulatedController::findHandlers(
    std::uint8_t areaNumber) {
  using C = SimulatedController;
  static const AreaHandlers kTable[] = {
      {area::kDeviceInfo, &C::readDeviceInformation, nullptr},
      {area::kBootLoader, nullptr, &C::writeBootLoader},
      {area::kReset, nullptr, &C::writeReset},
      {area::kRestoreDefaults, nullptr, &C::writeRestoreDefaults},
      {area::kMonitorText, &C::readMonitorText, &C::writeMonitorText},
      {area::kConfiguration, &C::readConfiguration, &C::writeConfiguration},
      {area::kTouchCalibration, &C::readTouchCalibration, &C::writeTouchCalibration},
      {area::kKeyLearning, &C::readKeyLearning, &C::writeKeyLearning},
      {area::kIrCode, &C::readIrCode, nullptr},
      {area::kTouchPoint, &C::readTouchPoint, &C::writeTouchPoint},
      {area::kCanLog, &C::readCanLog, &C::writeCanLog},
      {area::kVariables, &C::readVariables, nullptr},
  };
  const auto it = std::find_if(std::begin(kTable), std::end(kTable),
                               [&](const AreaHandlers& h) { return h.area == areaNumber; });
  return it == std::end(kTable) ? nullptr : it;
}

device::Report SimulatedController::answerFor(const ReceivedRequest& request) {
  const std::uint8_t areaNumber = device::cmdArea(request.cmd);
  if (const auto forced = areaAnswers_.find(areaNumber); forced != areaAnswers_.end()) {
    return statusAnswer(forced->second, request);
  }
  const AreaHandlers* handlers = findHandlers(areaNumber);
  const auto handler = handlers == nullptr               ? nullptr
                       : device::isWriteCmd(request.cmd) ? handlers->write
                                                         : handlers->read;
  if (handler == nullptr) {
    return reject(request);
  }
  return (this->*handler)(request);
}

device::Report SimulatedController::readBytes(const ReceivedRequest& request,
                                              std::span<const std::uint8_t> content) {
  if (request.offset > content.size()) {
    return reject(request);
  }
  std::size_t end = content.size();
  if (const auto limit = readLimits_.find(device::cmdArea(request.cmd));
      limit != readLimits_.end()) {
    end = std::min(end, limit->second);
  }
  const std::size_t start = std::min<std::size_t>(request.offset, end);
  const std::size_t n = std::min(device::kPacketDataSize, end - start);
  return dataAnswer(request, content.subspan(start, n));
}

device::DeviceInfoBytes SimulatedController::deviceInformation() {
  device::DeviceInfo info;
  info.applicationVersion = identity_.applicationVersion;
  info.serialNumber = identity_.serialNumber;
  info.loaderVersion = identity_.loaderVersion;
  info.deviceType = identity_.deviceType;
  info.name = identity_.name;
  info.stateWord = stateWord();
  return device::encodeDeviceInfo(info);
}

std::uint16_t SimulatedController::stateWord() {
  update();
  auto word = static_cast<std::uint16_t>(currentSource_ & device_info::kSourceMask);
  if (canLog_.running()) {
    word |= device_info::kCanLogRunning;
  }
  if (canLog_.hasRecords()) {
    word |= device_info::kCanRecordsWaiting;
  }
  if (monitorText_.waiting()) {
    word |= device_info::kMonitorTextWaiting;
  }
  return word;
}

device::Report SimulatedController::readDeviceInformation(const ReceivedRequest& request) {
  const auto info = deviceInformation();
  return readBytes(request, info);
}

device::Report SimulatedController::readConfiguration(const ReceivedRequest& request) {
  return readBytes(request, configuration_.bytes());
}

device::Report SimulatedController::writeConfiguration(const ReceivedRequest& request) {
  if (request.offset + std::size_t{request.len} > kConfigurationSize) {
    return reject(request);
  }
  const auto payload = request.payload();
  std::copy(payload.begin(), payload.end(), configuration_.data() + request.offset);
  return ack(request);
}

device::Report SimulatedController::readMonitorText(const ReceivedRequest& request) {
  update();
  std::array<std::uint8_t, device::kPacketDataSize> text{};
  const std::size_t n = monitorText_.take(text);
  return dataAnswer(request, std::span(text).first(n));
}

device::Report SimulatedController::writeMonitorText(const ReceivedRequest& request) {
  const auto payload = request.payload();
  const auto end = std::find(payload.begin(), payload.end(), std::uint8_t{0});
  std::string line(payload.begin(), end);
  monitorText_.queue("> " + line + "\r\n");
  typedLines_.push_back(std::move(line));
  return ack(request);
}

void SimulatedController::scheduleMonitoringText(std::uint32_t atTick, std::string text) {
  monitorText_.schedule(atTick, std::move(text));
}

device::Report SimulatedController::readTouchCalibration(const ReceivedRequest& request) {
  update();
  if (request.offset == 0) {
    auto block = configuration_.span(layout::kTouchBlock);
    // endReadsAt cuts the touch block short as well.
    if (const auto limit = readLimits_.find(area::kTouchCalibration); limit != readLimits_.end()) {
      block = block.first(std::min(block.size(), limit->second));
    }
    return dataAnswer(request, block);
  }
  if (request.offset == kTouchStateOffset) {
    const std::uint8_t state = touchCalibration_.state(now());
    return dataAnswer(request, std::span(&state, 1));
  }
  return reject(request);
}

device::Report SimulatedController::writeTouchCalibration(const ReceivedRequest& request) {
  const auto payload = request.payload();
  if (request.offset != 0 || payload.size() != kTouchStartSize || payload[0] > 1) {
    return reject(request);
  }
  touchCalibration_.start(payload[0] == 1, now());
  return ack(request);
}

device::Report SimulatedController::readKeyLearning(const ReceivedRequest& request) {
  const KeyLevels levels = keyLearning_.readings(now());
  std::array<std::uint8_t, KeyLearning::kReadingSize> bytes{};
  for (std::size_t c = 0; c < kKeyChannels; ++c) {
    config::writeLe(bytes, 2 * c, 2, levels[c]);
  }
  return readBytes(request, bytes);
}

device::Report SimulatedController::writeKeyLearning(const ReceivedRequest& request) {
  if (request.offset != 0 || !keyLearning_.write(request.payload(), now())) {
    return reject(request);
  }
  return ack(request);
}

device::Report SimulatedController::readIrCode(const ReceivedRequest& request) {
  return readBytes(request, irReceiver_.read());
}

device::Report SimulatedController::readTouchPoint(const ReceivedRequest& request) {
  return readBytes(request, touchCapture_.reading(now()));
}

device::Report SimulatedController::writeTouchPoint(const ReceivedRequest& request) {
  if (request.offset != 0 || !touchCapture_.write(request.payload(), now())) {
    return reject(request);
  }
  return ack(request);
}

device::Report SimulatedController::readCanLog(const ReceivedRequest& request) {
  update();
  std::array<std::uint8_t, kCanRecordsPerAnswer * CanRecord::kSize> records{};
  const std::size_t n = canLog_.take(records);
  return dataAnswer(request, std::span(records).first(n));
}

device::Report SimulatedController::writeCanLog(const ReceivedRequest& request) {
  const auto payload = request.payload();
  if (request.offset != 0 || payload.size() != 1 || payload[0] > CanLogEngine::kHighestMode) {
    return reject(request);
  }
  canLog_.setMode(payload[0], now());
  carTraffic_.restart(now());
  return ack(request);
}

device::Report SimulatedController::readVariables(const ReceivedRequest& request) {
  return readBytes(request, variables_);
}

device::Report SimulatedController::writeBootLoader(const ReceivedRequest& request) {
  bootHeader_.fill(0);
  const auto payload = request.payload();
  std::copy(payload.begin(), payload.end(), bootHeader_.begin());
  bootLoader_ = true;
  bootLoaderStartedAt_ = now();
  leaveBus();
  powerOn();
  return emptyReport();
}

device::Report SimulatedController::writeReset(const ReceivedRequest& request) {
  // The controller acknowledges first and restarts once the acknowledgement has been read.
  restartPending_ = true;
  return ack(request);
}

device::Report SimulatedController::writeRestoreDefaults(const ReceivedRequest& request) {
  configuration_ = factoryConfiguration();
  return ack(request);
}

// Configuration image files

bool SimulatedController::loadConfiguration(const std::filesystem::path& path, std::string& error) {
  // A state file is the image, followed by the version record once a firmware was installed.
  constexpr std::size_t kLargestStateFile = kConfigurationSize + 64;
  std::string bytes;
  if (auto failure = config::readFileBytes(path, bytes, kLargestStateFile)) {
    error = failure->kind == config::FileError::Kind::TooLarge
                ? path.string() + ": a raw image must be exactly " +
                      std::to_string(kConfigurationSize) + " bytes, this file is larger"
                : failure->describe();
    return false;
  }
  const auto* raw = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const std::span<const std::uint8_t> trailer(
      raw + std::min(bytes.size(), kConfigurationSize),
      bytes.size() - std::min(bytes.size(), kConfigurationSize));
  DeviceIdentity identity = identity_;
  const bool versions = decodeVersionRecord(trailer, identity);
  if (bytes.size() < kConfigurationSize || (!trailer.empty() && !versions)) {
    error = path.string() + ": a raw image must be exactly " + std::to_string(kConfigurationSize) +
            " bytes, this file has " + std::to_string(bytes.size());
    return false;
  }
  std::copy_n(bytes.begin(), kConfigurationSize, configuration_.data());
  if (versions) {
    identity_ = identity;
    keepVersions_ = true;
  }
  return true;
}

std::string SimulatedController::stateFileBytes() const {
  std::string bytes(reinterpret_cast<const char*>(configuration_.data()), kConfigurationSize);
  if (keepVersions_) {
    const std::vector<std::uint8_t> record = encodeVersionRecord(identity_);
    bytes.append(reinterpret_cast<const char*>(record.data()), record.size());
  }
  return bytes;
}

bool SimulatedController::saveConfiguration(const std::filesystem::path& path,
                                            std::string& error) const {
  // Replaced whole, so an interrupted save keeps the old state.
  if (auto failure = config::writeFileAtomically(path, stateFileBytes())) {
    error = failure->describe();
    return false;
  }
  return true;
}

// Demo

void SimulatedController::startDemo(std::uint32_t intervalMs) {
  demo_ = true;
  demoInterval_ = std::max<std::uint32_t>(intervalMs, 1);
  demoNext_ = now() + demoInterval_;
  receiveIrCode({1, 0x45, 0x00, 0x00});
}

void SimulatedController::runDemo(std::uint32_t t) {
  // What a controller in a car reports: key channel levels, keys, IR codes and bus events (the
  // program turns the EV: numbers into event names).
  static constexpr std::string_view kLines[] = {
      "ADC CH1:4000 CH2:4095 CH3:4095 CH4:4095\r\n",
      "KEY CH1 LEVEL:1840 SHORT\r\n",
      "IR NEC ADR:0 CMD:69\r\n",
      "RX LIN ID:21 EV:29\r\n",
      "RX IBUS EV:6\r\n",
      "KEY CH1 LEVEL:1000 LONG\r\n",
      "RX IEBUS EV:87\r\n",
      "SRC CHANGED\r\n",
  };
  for (int i = 0; i < kDemoCatchUpLimit && reached(t, demoNext_); ++i) {
    monitorText_.queue(kLines[demoStep_ % std::size(kLines)]);
    ++demoStep_;
    demoNext_ += demoInterval_;
    variables_[0] = static_cast<std::uint8_t>(demoStep_);
    variables_[1] = static_cast<std::uint8_t>(random_.byte());
    if (demoStep_ % std::size(kLines) == 0) {
      currentSource_ = static_cast<std::uint8_t>((currentSource_ + 1) % 3);
    }
  }
  if (!reached(t, demoNext_)) {
    return;
  }
  demoNext_ = t + demoInterval_;
}

}  // namespace kivprism::sim
