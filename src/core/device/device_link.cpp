#include "core/device/device_link.hpp"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/lang/common_texts.hpp"
#include "core/lang/text.hpp"

namespace kivprism::device {

namespace {

using lang::formatText;
using lang::kSelectedUnknown;
using lang::TextPair;
using lang::translateText;

constexpr TextPair kReadingConfiguration{"Читаю конфигурацию из устройства",
                                         "Reading configuration from the device"};
constexpr TextPair kWritingConfiguration{"Пишу конфигурацию в устройство",
                                         "Write configuration to the device"};
constexpr TextPair kReadConfigurationError{
    "Ошибка чтения конфигурации из устройства\n%s\nОбновите ПО контроллера\n",
    "Error reading the configuration of the device\n%s\nUpdate controller software"};
constexpr TextPair kRestoreDefaultsQuestion{
    "Вы действительно хотите сбросить\nконфигурацию устройства\nв состояние по умолчанию?",
    "Are you sure you want to reset\nthe device configuration\nto its default state?"};
constexpr TextPair kDeviceHeader{"**************** Устройство ****************",
                                 "******************* Device *******************"};
constexpr TextPair kControllerLine{"Контроллер        \"%s\"", "Controller          \"%s\""};
constexpr TextPair kSerialLine{"Серийный номер    %lu", "The serial number   %lu"};
constexpr TextPair kLoaderLine{"Версия загрузчика %u.%02u", "Boot version        %u.%02u"};
constexpr TextPair kApplicationLine{"Версия приложения %u.%02u", "Application version %u.%02u"};
constexpr TextPair kNoApplicationLine{"Версия приложения (Приложение не загружено)",
                                      "Application version (application is not loaded)"};
constexpr TextPair kSendingChanges{"Отправка изменений", "Send of changes"};
constexpr TextPair kSelected{"Выбран", "Selected"};
constexpr TextPair kDisconnectedLine{"********** Контроллер отключен **********",
                                     "******** Controller is disconnected **********"};
constexpr TextPair kCanLogStarted{". CAN лог запущен", ". CAN log started"};
constexpr TextPair kCanLogToFile{" и пишется в файл", " and written to the file"};
constexpr TextPair kConnectedWithRate{
    "Контроллер \"%s V%d.%02d\" подключен, %lu пакетов/сек%s%s",
    "Controller \"%s V%d.%02d\" is connected, %lu packets/sec%s%s"};
constexpr TextPair kConnected{"Контроллер \"%s V%d.%02d\" подключен%s%s",
                              "Controller \"%s V%d.%02d\" is connected%s%s"};
// The English texts name the controller in quotes; the Russian ones carry only the status.
constexpr TextPair kReadAreaError{"Ошибка чтения из устройства\n%s",
                                  "Error reading from device \"%s\"\n%s"};
constexpr TextPair kWriteAreaError{"Ошибка записи в устройство\n%s",
                                   "Error writing to the device \"%s\"\n%s"};

constexpr std::size_t kRangeScratchSize = 1024;
constexpr std::size_t kMonitorReadCapacity = 199;
constexpr std::size_t kMonitorDrainLimit = 1024;
constexpr std::size_t kCanReadCapacity = 3 * kCanRecordSize;
constexpr std::size_t kVariableCount = 4;

// The status of an answer that refuses the request; kOk for any other answer.
DeviceStatus refusalStatus(std::uint8_t answerCmd) {
  switch (answerCmd) {
    case kAnswerBadParameters:
      return status::kBadParameters;
    case kAnswerFailed:
      return status::kFailedResult;
    default:
      return status::kOk;
  }
}

// The controller answered that it did not take the write: what it holds is unchanged.
bool refused(DeviceStatus result) {
  return result == status::kBadParameters || result == status::kFailedResult;
}

}  // namespace

void MonitorLineAssembler::push(char c, const Sink& sink) {
  if (c == '\n') {
    sink(line_);
    line_.clear();
    return;
  }
  // A full line ends on whatever comes next, a carriage return included.
  if (line_.size() >= kMaxLine) {
    sink(line_);
    line_.clear();
    return;
  }
  if (c == '\r') {
    return;
  }
  line_.push_back(c);
  if (c == ',' && line_.size() > kCommaBreak) {
    sink(line_);
    line_.clear();
  }
}

VariablesView formatVariables(std::span<const std::uint8_t, 4> values) {
  VariablesView view;
  for (std::size_t i = 0; i < kVariableCount; ++i) {
    const unsigned b = values[i];
    view.hex[i] = formatText("x%02X", b);
    std::string bits;
    for (int bit = 7; bit >= 0; --bit) {
      bits.push_back(((b >> bit) & 1u) != 0 ? '1' : '0');
      if (bit == 4) {
        bits.push_back(' ');
      }
    }
    view.bin[i] = bits;
    view.dec[i] = formatText("%d", static_cast<int>(b));
  }
  return view;
}

DeviceLink::DeviceLink(HidPort& port, LinkHost& host, config::ConfigModel& model)
    : transport_(port, host), host_(host), model_(model), changes_(model) {
  transport_.setLogSink([this](std::string_view line) { logLine(line); });
}

// --- listeners ---

namespace {

template <typename T>
void removeFrom(std::vector<T*>& listeners, T& listener) {
  std::erase(listeners, &listener);
}

}  // namespace

void DeviceLink::addMonitorListener(MonitorListener& l) { monitorListeners_.push_back(&l); }
void DeviceLink::removeMonitorListener(MonitorListener& l) { removeFrom(monitorListeners_, l); }
void DeviceLink::addCanRecordListener(CanRecordListener& l) { canListeners_.push_back(&l); }
void DeviceLink::removeCanRecordListener(CanRecordListener& l) { removeFrom(canListeners_, l); }
void DeviceLink::addStateListener(DeviceStateListener& l) { stateListeners_.push_back(&l); }
void DeviceLink::removeStateListener(DeviceStateListener& l) { removeFrom(stateListeners_, l); }
void DeviceLink::addVariablesListener(VariablesListener& l) { variablesListeners_.push_back(&l); }
void DeviceLink::removeVariablesListener(VariablesListener& l) {
  removeFrom(variablesListeners_, l);
}
void DeviceLink::addConnectionListener(ConnectionListener& l) {
  connectionListeners_.push_back(&l);
}
void DeviceLink::removeConnectionListener(ConnectionListener& l) {
  removeFrom(connectionListeners_, l);
}

void DeviceLink::logLine(std::string_view text) {
  for (MonitorListener* l : monitorListeners_) {
    l->logLine(text);
  }
}

void DeviceLink::setCurrentSource(std::string_view text, bool enabled) {
  for (DeviceStateListener* l : stateListeners_) {
    l->currentSourceChanged(text, enabled);
  }
}

void DeviceLink::notifyConnection(bool connected) {
  for (ConnectionListener* l : connectionListeners_) {
    l->connectionChanged(connected);
  }
}

void DeviceLink::notifyReloaded() {
  for (ConnectionListener* l : connectionListeners_) {
    l->configurationReloaded();
  }
}

bool DeviceLink::variablesWanted() const {
  return std::any_of(variablesListeners_.begin(), variablesListeners_.end(),
                     [](const VariablesListener* l) { return l->variablesWanted(); });
}

std::uint32_t DeviceLink::canRecordsPerSecond() const {
  std::uint32_t rate = 0;
  for (const CanRecordListener* l : canListeners_) {
    rate = std::max(rate, l->canRecordsPerSecond());
  }
  return rate;
}

bool DeviceLink::canLogWritingToFile() const {
  return std::any_of(canListeners_.begin(), canListeners_.end(),
                     [](const CanRecordListener* l) { return l->canLogWritingToFile(); });
}

// --- area access ---

DeviceStatus DeviceLink::readArea(std::uint8_t area, std::uint16_t offset,
                                  std::span<std::uint8_t> buffer, std::size_t& count) {
  pacer_.trafficSent();
  std::fill(buffer.begin(), buffer.end(), std::uint8_t{0});
  count = 0;
  Packet packet = makeReadRequest(area, offset);
  if (const DeviceStatus sent = transport_.sendPacket(packet); sent != status::kOk) {
    return sent;
  }
  if (const DeviceStatus refused = refusalStatus(packetCmd(packet)); refused != status::kOk) {
    return refused;
  }
  if (packetCmd(packet) == kAnswerAck) {
    return status::kOk;  // carries no data: nothing copied, count 0
  }
  if (packetCmd(packet) != (area | kWriteFlag) || packetOffset(packet) != offset) {
    return status::kAnswerMismatch;
  }
  const auto data = packetData(packet);
  std::copy_n(data.begin(), std::min(buffer.size(), data.size()), buffer.begin());
  count = data.size();
  return status::kOk;
}

DeviceStatus DeviceLink::readArea(std::uint8_t area, std::uint16_t offset,
                                  std::span<std::uint8_t> buffer) {
  std::size_t count = 0;
  return readArea(area, offset, buffer, count);
}

DeviceStatus DeviceLink::writeArea(std::uint8_t area, std::uint16_t offset,
                                   std::span<const std::uint8_t> data) {
  if (data.size() > kPacketDataSize) {
    return status::kBadParameters;
  }
  pacer_.trafficSent();
  Packet packet = makeWriteRequest(area, offset, data);
  if (const DeviceStatus sent = transport_.sendPacket(packet); sent != status::kOk) {
    return sent;
  }
  if (const DeviceStatus refused = refusalStatus(packetCmd(packet)); refused != status::kOk) {
    return refused;
  }
  const bool acknowledged = packetCmd(packet) == kAnswerAck && packetOffset(packet) == offset;
  return acknowledged ? status::kOk : status::kWriteNotAcknowledged;
}

DeviceStatus DeviceLink::readAreaRange(std::uint8_t area, std::uint16_t offset,
                                       std::span<std::uint8_t> buffer) {
  if (offset + buffer.size() > 0x10000) {
    return status::kBadParameters;
  }
  std::array<std::uint8_t, kRangeScratchSize> scratch;
  std::size_t received = 0;
  while (received < buffer.size()) {
    std::size_t count = 0;
    const DeviceStatus read =
        readArea(area, static_cast<std::uint16_t>(offset + received), scratch, count);
    if (read != status::kOk) {
      return read;
    }
    if (count == 0) {
      break;
    }
    const std::size_t n = std::min(count, buffer.size() - received);
    std::copy_n(scratch.begin(), n, buffer.begin() + static_cast<std::ptrdiff_t>(received));
    received += n;
    progressStep(n);
  }
  return received < buffer.size() ? status::kRangeEndedEarly : status::kOk;
}

DeviceStatus DeviceLink::writeAreaRange(std::uint8_t area, std::uint16_t offset,
                                        std::span<const std::uint8_t> data, std::size_t chunk) {
  if (offset + data.size() > 0x10000 || chunk == 0) {
    return status::kBadParameters;
  }
  std::size_t sent = 0;
  while (sent < data.size()) {
    const std::size_t n = std::min(chunk, data.size() - sent);
    const DeviceStatus written =
        writeArea(area, static_cast<std::uint16_t>(offset + sent), data.subspan(sent, n));
    if (written != status::kOk) {
      return written;
    }
    sent += n;
    progressStep(n);
  }
  return status::kOk;
}

DeviceStatus DeviceLink::readAreaReported(std::uint8_t area, std::uint16_t offset,
                                          std::span<std::uint8_t> buffer, std::size_t& count) {
  const DeviceStatus result = readArea(area, offset, buffer, count);
  if (result != status::kOk) {
    showErrorBox(areaErrorText(kReadAreaError, result));
  }
  return result;
}

DeviceStatus DeviceLink::writeAreaReported(std::uint8_t area, std::uint16_t offset,
                                           std::span<const std::uint8_t> data) {
  const DeviceStatus result = writeAreaRange(area, offset, data, kChunkSize);
  if (result != status::kOk) {
    showErrorBox(areaErrorText(kWriteAreaError, result));
  }
  return result;
}

std::string DeviceLink::areaErrorText(const lang::TextPair& text, DeviceStatus result) const {
  if (lang::currentLanguage() == lang::Language::Russian) {
    return formatText(text.ru, statusText(result).c_str());
  }
  return formatText(text.en, deviceInfo_.name.c_str(), statusText(result).c_str());
}

// --- progress ---

void DeviceLink::progressStart(std::size_t total, std::string_view caption) {
  progressCaption_ = caption;
  progressTotal_ = total;
  progressCount_ = 0;
  host_.setStatusText(progressCaption_);
  host_.showProgress(0, total);
  progressVisible_ = true;
  host_.processEvents();
}

void DeviceLink::progressStep(std::size_t n) {
  if (progressCount_ >= progressTotal_) {
    return;
  }
  if (!progressVisible_) {
    host_.setStatusText(progressCaption_);
    progressVisible_ = true;
  }
  progressCount_ += n;
  host_.showProgress(std::min(progressCount_, progressTotal_), progressTotal_);
  host_.processEvents();
}

void DeviceLink::progressHide() {
  host_.hideProgress();
  progressVisible_ = false;
}

// --- poll suspension ---

void DeviceLink::suspendPoll() {
  if (pacer_.suspend()) {
    host_.setPollTimerEnabled(false);
  }
}

void DeviceLink::resumePoll() {
  if (pacer_.resume()) {
    host_.setPollTimerEnabled(true);
  }
}

void DeviceLink::showErrorBox(std::string_view text) {
  const shell::PollPause pause(*this);
  host_.showError(text);
}

// --- configuration and commands ---

DeviceStatus DeviceLink::readConfiguration() {
  inSync_ = false;
  DeviceStatus result = status::kOk;
  config::ConfigImage controllerImage;
  {
    const shell::PollPause pause(*this);
    const bool returning = changes_.beforeWholeRead(deviceInfo_.serialNumber);
    progressStart(config::ConfigImage::kSize, translateText(kReadingConfiguration));
    result = readAreaRange(area::kConfiguration, 0, model_.working.bytes());
    // Only the parameter block is dropped on failure: the touch block and the entries that
    // arrived stay for the user to see.
    config::applyAfterWholeRead(model_.working, result == status::kOk);
    controllerImage = model_.working;
    changes_.afterWholeRead(result == status::kOk, returning, model_.working);
    if (result == status::kOk && normaliseAfterRead_) {
      normaliseAfterRead_(model_.working);  // after the copy: the corrections stay changes
    }
  }
  notifyReloaded();
  if (result != status::kOk) {
    return result;
  }
  model_.device = controllerImage;
  changes_.clearUnknown();
  inSync_ = true;
  return status::kOk;
}

DeviceStatus DeviceLink::readConfigurationReported() {
  userCommand_ = true;
  // A read the user asks for replaces what was kept for a returning controller; the automatic
  // read of a connection keeps it.
  if (connected_) {
    changes_.forgetKept();
  }
  host_.updateToolbar(true);
  const DeviceStatus result = readConfiguration();
  if (result != status::kOk) {
    showErrorBox(formatText(translateText(kReadConfigurationError), statusText(result).c_str()));
  }
  host_.updateToolbar(false);
  userCommand_ = false;
  return result;
}

DeviceStatus DeviceLink::writeConfiguration() {
  const DeviceStatus result = [this] {
    const shell::PollPause pause(*this);
    progressStart(config::ConfigImage::kSize, translateText(kWritingConfiguration));
    return sendRun(0, config::ConfigImage::kSize, true);
  }();
  if (result != status::kOk) {
    // The controller holds the new image's head and the old tail: the tail stays pending, and the
    // command's own box is this episode's box.
    changes_.failureReported();
    holdFrom(0, config::ConfigImage::kSize, result);
    updateSyncText();
    return result;
  }
  inSync_ = true;
  // Every chunk was acknowledged.
  changes_.wholeImageWritten();
  updateSyncText();
  return resetDevice();
}

DeviceStatus DeviceLink::resetDevice() { return writeArea(area::kReset, 0, {}); }

DeviceStatus DeviceLink::restoreDefaults(const std::function<bool()>& beforeSending) {
  const bool yes = [&] {
    const shell::PollPause pause(*this);
    return host_.askYesNo(translateText(kRestoreDefaultsQuestion)) &&
           (!beforeSending || beforeSending());
  }();
  if (!yes) {
    return status::kOk;
  }
  return writeArea(area::kRestoreDefaults, 0, {});
}

DeviceStatus DeviceLink::readDeviceInfoRecord(DeviceInfo& info) {
  DeviceInfoBytes bytes{};
  std::size_t count = 0;
  const DeviceStatus result = readArea(area::kDeviceInfo, 0, bytes, count);
  if (result != status::kOk) {
    return result;
  }
  // A short answer is no record: it would read as serial 0 and version 0.00.
  if (count < kDeviceInfoSize) {
    return status::kRangeEndedEarly;
  }
  info = parseDeviceInfo(bytes);
  return status::kOk;
}

DeviceStatus DeviceLink::readDeviceInfo(DeviceInfo& info) {
  const DeviceStatus result = readDeviceInfoRecord(info);
  if (result == status::kOk) {
    logLine(translateText(kDeviceHeader));
    showDeviceInfo(info);
  }
  return result;
}

void DeviceLink::showDeviceInfo(const DeviceInfo& info) {
  logLine(formatText(translateText(kControllerLine), info.name.c_str()));
  logLine(formatText(translateText(kSerialLine), static_cast<unsigned long>(info.serialNumber)));
  logLine(
      formatText(translateText(kLoaderLine), info.loaderVersion / 100, info.loaderVersion % 100));
  if (info.applicationVersion == 0) {
    logLine(translateText(kNoApplicationLine));
  } else {
    logLine(formatText(translateText(kApplicationLine), info.applicationVersion / 100,
                       info.applicationVersion % 100));
  }
}

void DeviceLink::syncChanges() {
  if (!inSync_ || (procedure_ != nullptr && procedure_->holdsChangeSending()) ||
      (changeSendingHeld_ && changeSendingHeld_())) {
    return;
  }
  const auto working = model_.working.bytes();
  const auto device = model_.device.bytes();
  if (!connected_ ||
      (std::memcmp(working.data(), device.data(), working.size()) == 0 && !changes_.anyUnknown())) {
    return;
  }
  std::size_t total = 0;
  bool tookChange = false;
  std::size_t begin = 0;
  while (begin < working.size()) {
    if (!changes_.differs(begin)) {
      ++begin;
      continue;
    }
    std::size_t end = begin;
    while (end < working.size() && changes_.differs(end)) {
      ++end;
    }
    // A run that failed waits for a reason to try again; one with a fresh change goes now.
    if (!changes_.allHeld(begin, end)) {
      const DeviceStatus result = sendRun(begin, end - begin, false);
      total += end - begin;
      if (result != status::kOk) {
        holdFrom(begin, end, result);
        // A refusal concerns this run only; a lost exchange ends the pass.
        if (!refused(result) && result != status::kWriteNotAcknowledged) {
          break;
        }
      } else {
        tookChange = true;
      }
    }
    begin = end;
  }
  if (tookChange) {
    changes_.changeTaken();
  }
  if (total > 0) {
    host_.flashMessage(1000, 250, translateText(kSendingChanges));
  }
}

DeviceStatus DeviceLink::sendRun(std::size_t begin, std::size_t length, bool stepProgress) {
  const auto working = model_.working.bytes();
  auto device = model_.device.bytes();
  std::size_t sent = 0;
  while (sent < length) {
    const std::size_t n = std::min(kChunkSize, length - sent);
    const std::size_t at = begin + sent;
    const DeviceStatus written =
        writeArea(area::kConfiguration, static_cast<std::uint16_t>(at), working.subspan(at, n));
    if (written != status::kOk) {
      // Refused: the controller kept what it had. Otherwise the write may have arrived.
      if (!refused(written)) {
        changes_.markUnknown(at, n);
      }
      return written;
    }
    std::copy_n(working.begin() + static_cast<std::ptrdiff_t>(at), n,
                device.begin() + static_cast<std::ptrdiff_t>(at));
    changes_.markAcknowledged(at, n);
    sent += n;
    if (stepProgress) {
      progressStep(n);
    }
  }
  return status::kOk;
}

void DeviceLink::holdFrom(std::size_t begin, std::size_t end, DeviceStatus result) {
  if (changes_.hold(begin, end)) {
    showErrorBox(areaErrorText(kWriteAreaError, result));
  }
}

void DeviceLink::updateSyncText() {
  if (auto text = changes_.syncTextUpdate(connected_)) {
    host_.setSyncText(*text);
  }
}

void DeviceLink::clearConnected() {
  if (connected_) {
    changes_.keepForReturnOf(lastSerial_);
  }
  connected_ = false;
}

// --- procedures ---

DeviceStatus DeviceLink::startProcedure(Procedure& procedure) {
  if (procedure_ != nullptr) {
    return status::kBadParameters;
  }
  const DeviceStatus started = procedure.start(*this);
  if (started == status::kOk) {
    procedure_ = &procedure;
  }
  return started;
}

void DeviceLink::stopProcedure() {
  if (procedure_ != nullptr) {
    Procedure* stopping = procedure_;
    procedure_ = nullptr;
    stopping->stop(*this);
  }
}

void DeviceLink::stepProcedure() {
  if (procedure_ == nullptr || !connected_) {
    return;
  }
  if (procedure_->step(*this) != Procedure::Step::Running) {
    procedure_ = nullptr;
  }
}

// --- the poll ---

bool DeviceLink::pollTick() {
  if (!pacer_.tickMayPoll()) {
    return false;
  }
  if (transport_.transportBusy()) {
    return false;
  }
  const shell::PollPause pause(*this);
  progressHide();
  pollDevice();
  stepProcedure();
  syncChanges();
  updateSyncText();
  return true;
}

DeviceStatus DeviceLink::pollDevice() {
  DeviceStatus result = status::kOk;
  if (!connected_) {
    lastSerial_ = 0;
    result = transport_.isDeviceOnline();
    if (result == status::kOk) {
      result = readDeviceInfoRecord(deviceInfo_);
    }
  } else {
    if (variablesWanted()) {
      readVariables();
    }
    result = readDeviceInfoRecord(deviceInfo_);
    if (result == status::kOk) {
      setCurrentSource(formatText("%s: %u", std::string(translateText(kSelected)).c_str(),
                                  deviceInfo_.currentSource() + 1),
                       true);
      for (DeviceStateListener* l : stateListeners_) {
        l->stateWordRead(deviceInfo_.stateWord);
      }
      std::uint16_t stateWord = deviceInfo_.stateWord;
      if (userCommand_) {
        stateWord &= static_cast<std::uint16_t>(
            ~(device_info::kCanRecordsWaiting | device_info::kMonitorTextWaiting));
      }
      result = drainData(stateWord);
    }
  }
  if (result != status::kOk) {
    onPollFailure(result);
  } else {
    onPollSuccess();
  }
  pacer_.polled();
  return result;
}

void DeviceLink::readVariables() {
  host_.processEvents();
  std::array<std::uint8_t, kVariableCount> values{};
  std::size_t count = 0;
  if (readArea(area::kVariables, 0, values, count) == status::kOk && count == kVariableCount) {
    const VariablesView view = formatVariables(values);
    for (VariablesListener* l : variablesListeners_) {
      if (l->variablesWanted()) {
        l->showVariables(view);
      }
    }
  }
}

DeviceStatus DeviceLink::drainData(std::uint16_t stateWord) {
  const bool monitorWaiting = (stateWord & device_info::kMonitorTextWaiting) != 0;
  const bool canWaiting = (stateWord & device_info::kCanRecordsWaiting) != 0;
  DeviceStatus result = status::kOk;
  switch (pacer_.afterState(monitorWaiting, canWaiting)) {
    case PollPacer::Drain::CanLog:
      result = drainCanLog();
      break;
    case PollPacer::Drain::MonitorText:
      result = drainMonitorText();
      break;
    case PollPacer::Drain::Nothing:
      break;
  }
  setPollInterval(pacer_.interval());
  return result;
}

DeviceStatus DeviceLink::drainMonitorText() {
  const MonitorLineAssembler::Sink sink = [this](std::string_view line) {
    for (MonitorListener* l : monitorListeners_) {
      l->monitoringLine(line);
    }
  };
  std::array<std::uint8_t, kMonitorReadCapacity> buffer;
  std::size_t drained = 0;
  for (;;) {
    host_.processEvents();
    if (drained > kMonitorDrainLimit) {
      return status::kOk;
    }
    std::size_t count = 0;
    const DeviceStatus read = readArea(area::kMonitorText, 0, buffer, count);
    if (read != status::kOk) {
      return read;
    }
    if (host_.shuttingDown()) {
      return status::kOk;
    }
    const std::size_t n = std::min(count, buffer.size());
    for (std::size_t i = 0; i < n; ++i) {
      lineAssembler_.push(static_cast<char>(buffer[i]), sink);
    }
    drained += n;
    if (n == 0) {
      return status::kOk;
    }
  }
}

DeviceStatus DeviceLink::drainCanLog() {
  host_.processEvents();
  std::array<std::uint8_t, kCanReadCapacity> buffer;
  std::size_t count = 0;
  const DeviceStatus read = readArea(area::kCanLog, 0, buffer, count);
  if (read != status::kOk || host_.shuttingDown()) {
    return read;
  }
  // Only whole records are taken; an answer of any other length is ignored.
  if (count == 0 || count % kCanRecordSize != 0 || count > buffer.size()) {
    return status::kOk;
  }
  for (std::size_t at = 0; at < count; at += kCanRecordSize) {
    const CanRecord record(buffer.data() + at, kCanRecordSize);
    for (CanRecordListener* l : canListeners_) {
      l->canLogRecord(record);
    }
  }
  return status::kOk;
}

DeviceStatus DeviceLink::findController() {
  DeviceStatus result = status::kDisconnected;
  for (std::size_t i = 0; i < std::size(kProductIds) && result != status::kOk; ++i) {
    result = transport_.isDeviceOnline();
  }
  return result;
}

void DeviceLink::onPollFailure(DeviceStatus result) {
  host_.setStatusText(statusText(result));
  // Without a controller the probe runs at the idle pace, whatever was streaming before.
  pacer_.lost();
  setPollInterval(pacer_.interval());
  if (!connected_) {
    return;
  }
  logLine(translateText(kDisconnectedLine));
  setCurrentSource(translateText(kSelectedUnknown), false);
  changes_.keepForReturnOf(lastSerial_);
  connected_ = false;
  stopProcedure();
  host_.updateToolbar(userCommand_);
  notifyConnection(false);
}

void DeviceLink::onPollSuccess() {
  if (deviceInfo_.serialNumber != lastSerial_) {
    lastSerial_ = deviceInfo_.serialNumber;
    inSync_ = false;
    readConfigurationReported();
  }
  if (!connected_) {
    activityDots_ = 0;
    showDeviceInfo(deviceInfo_);
    connected_ = true;
    lineAssembler_.clear();
    // A new connection is a reason to try what failed before, with a box of its own if it fails.
    changes_.connectionMade();
    host_.updateToolbar(false);
    notifyConnection(true);
    return;
  }
  activityDots_ = activityDots_ >= kMaxActivityDots ? 0 : activityDots_ + 1;
  for (CanRecordListener* l : canListeners_) {
    l->refreshCanLogPage();
  }
  host_.setStatusText(connectionLine());
}

std::string DeviceLink::connectionLine() {
  std::string canText;
  if ((deviceInfo_.stateWord & device_info::kCanLogRunning) != 0) {
    canText = translateText(kCanLogStarted);
    if (canLogWritingToFile()) {
      canText += translateText(kCanLogToFile);
    }
  }
  const std::string dots(activityDots_, '.');
  const int major = static_cast<int>(deviceInfo_.applicationVersion / 100);
  const int minor = static_cast<int>(deviceInfo_.applicationVersion % 100);
  if (pacer_.takeRateTick()) {
    return formatText(translateText(kConnectedWithRate), deviceInfo_.name.c_str(), major, minor,
                      static_cast<unsigned long>(canRecordsPerSecond()), canText.c_str(),
                      dots.c_str());
  }
  return formatText(translateText(kConnected), deviceInfo_.name.c_str(), major, minor,
                    canText.c_str(), dots.c_str());
}

void DeviceLink::setPollInterval(std::uint32_t ms) {
  if (ms != pollInterval_) {
    pollInterval_ = ms;
    host_.setPollInterval(ms);
  }
}

}  // namespace kivprism::device
