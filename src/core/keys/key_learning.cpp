#include "core/keys/key_learning.hpp"

#include <array>

#include "core/keys/keys_texts.hpp"

namespace kivprism::keys {

namespace area = device::area;
namespace layout = config::layout;
namespace status = device::status;
using lang::translateText;

namespace {

constexpr std::size_t kBlockSize = 1 + 2 * kChannels;  // on/off, four thresholds
constexpr std::size_t kReadingSize = 2 * kChannels;
constexpr std::uint8_t kLearningOn = 1;
constexpr std::uint32_t kDoneMessageMs = 3000;

// A refusal concerns one request; any other failure means the controller is not answering.
bool exchangeLost(device::DeviceStatus result) {
  return result != status::kOk && result != status::kBadParameters &&
         result != status::kFailedResult && result != status::kWriteNotAcknowledged;
}

}  // namespace

KeyLearning::KeyLearning(device::DeviceLink& link, shell::ShellServices& shell,
                         KeyLearningHost& host, KeysGrid& grid)
    : link_(link), shell_(shell), host_(host), grid_(grid) {}

void KeyLearning::click() {
  if (!beginProcedureClick(running_, link_, shell_)) {
    return;
  }
  host_.setProcedureRunning(true);
  active_ = true;
  learnKeys();
  active_ = false;
  host_.setProcedureRunning(false);
  running_ = false;
  host_.keyLearningEnded();
}

bool KeyLearning::stopRequested() const { return !running_ || shell_.shuttingDown(); }

bool KeyLearning::note(device::DeviceStatus result) {
  if (result != status::kOk) {
    failure_ = result;
  }
  return result == status::kOk;
}

bool KeyLearning::readLevels(ChannelLevels& levels) {
  std::array<std::uint8_t, kReadingSize> bytes{};
  std::size_t count = 0;
  if (!note(link_.readAreaReported(area::kKeyLearning, 0, bytes, count))) {
    readFailed_ = true;
    return false;
  }
  if (count < kReadingSize) {
    // The missing bytes would read as levels of 0: no key held, or a channel that is quiet at 0.
    readFailed_ = true;
    shell::PollPause pause(link_);
    shell_.showError(translateText(texts::kKeyLevelsShort));
    return false;
  }
  for (std::size_t c = 0; c < kChannels; ++c) {
    levels[c] = static_cast<std::uint16_t>(config::readLe(bytes, 2 * c, 2));
  }
  return true;
}

bool KeyLearning::writeBlock(bool on, const ChannelLevels& thresholds) {
  std::array<std::uint8_t, kBlockSize> block{};
  if (on) {
    block[0] = kLearningOn;
    for (std::size_t c = 0; c < kChannels; ++c) {
      config::writeLe(block, 1 + 2 * c, 2, thresholds[c]);
    }
  }
  return note(link_.writeAreaReported(area::kKeyLearning, 0, block));
}

KeyLearning::Outcome KeyLearning::learnKeys() {
  const bool yes = [this] {
    shell::PollPause pause(link_);
    return shell_.askQuestion(translateText(texts::kAskKeyLearning));
  }();
  failure_ = status::kOk;
  readFailed_ = false;
  keyPhaseReached_ = false;
  if (!yes || !writeBlock(true, ChannelLevels{})) {
    return yes ? Outcome::StartFailed : Outcome::Declined;
  }
  LearningSession session;
  measure(session);
  grid_.clearHighlights();
  host_.keysGridChanged();
  shell_.endFlash();
  if (shell_.shuttingDown()) {
    return Outcome::ShutDown;
  }
  // The controller is gone: writing would only fail again, box after box. Keys learnt so far
  // wait in the image, and the change sending delivers them when the same controller returns.
  if (exchangeLost(failure_) && !keyPhaseReached_) {
    return Outcome::ControllerLost;
  }
  // Every tolerance and reference level rests on the quiet levels: a quiet phase cut short (a
  // failed read, a second click) has learnt nothing, and the keys the controller holds stay.
  if (!keyPhaseReached_) {
    writeBlock(false, ChannelLevels{});
    return Outcome::NothingLearnt;
  }
  // Tolerances and reference levels show in no cell: the grid was redrawn above.
  session.finish(link_.model().working);
  if (exchangeLost(failure_)) {
    return Outcome::ControllerLost;
  }
  const bool written = writeResults();
  link_.updateSyncText();
  if (!written) {
    return Outcome::WriteFailed;
  }
  link_.setInSync(true);
  // What the sound reads taught is on the controller, but a read failed: not a success.
  if (readFailed_) {
    return Outcome::ReadFailed;
  }
  shell_.flashMessage(kDoneMessageMs, kPromptBlinkMs, translateText(texts::kKeyLearningDone));
  return Outcome::Done;
}

void KeyLearning::measure(LearningSession& session) {
  shell_.flashMessage(0, kPromptBlinkMs, translateText(texts::kPressNothing));
  ChannelLevels levels{};
  for (unsigned step = 1; step <= kQuietReadings && !stopRequested(); ++step) {
    if (!readLevels(levels)) {
      return;
    }
    session.quietReading(levels);
    shell_.waitMs(kStepMs);
  }
  if (stopRequested()) {
    return;
  }
  shell_.flashMessage(0, kPromptBlinkMs, translateText(texts::kPressEachKey));
  if (!writeBlock(true, session.startKeyPhase())) {
    return;
  }
  keyPhaseReached_ = true;
  config::ConfigImage& image = link_.model().working;
  while (!stopRequested()) {
    shell_.waitMs(kStepMs);
    if (stopRequested() || !readLevels(levels)) {
      return;
    }
    const auto keys = session.keyReading(image, levels);
    for (std::size_t c = 0; c < kChannels; ++c) {
      if (levels[c] == 0) {
        grid_.clearHighlights(c);
      } else if (keys[c] != 0) {
        grid_.showPressedKey(image, c, keys[c]);
      }
    }
    host_.keysGridChanged();
    // The poll keeps away while learning talks to the controller, so the status bar learns here
    // that the levels just taken are not on the controller yet.
    link_.updateSyncText();
    if (session.idleLimitReached()) {
      return;
    }
  }
}

bool KeyLearning::writeResults() {
  config::ConfigModel& model = link_.model();
  link_.progressStart(layout::kKeyBlock.width + layout::kKeysTable.width,
                      translateText(texts::kWritingKeys));
  bool ok = true;
  // The change sending is held off while learning runs, so these writes carry the learnt keys.
  // The device copy takes a field only once the controller took it; a refused field stays a
  // change not yet on the controller, and a lost controller ends the writes.
  for (const config::Field field : {layout::kKeyBlock, layout::kKeysTable}) {
    const device::DeviceStatus result = link_.writeAreaReported(
        area::kConfiguration, static_cast<std::uint16_t>(field.offset), model.working.span(field));
    if (!note(result)) {
      ok = false;
      if (exchangeLost(result)) {
        return false;
      }
      continue;
    }
    const auto bytes = model.working.span(field);
    std::copy(bytes.begin(), bytes.end(), model.device.span(field).begin());
  }
  if (!writeBlock(false, ChannelLevels{})) {
    ok = false;
    if (exchangeLost(failure_)) {
      return false;
    }
  }
  // An empty write to the configuration ends the learning writes; the controller only
  // acknowledges it.
  ok = writeEmptyReported(area::kConfiguration) && ok;
  return ok;
}

bool KeyLearning::writeEmptyReported(std::uint8_t areaNumber) {
  // The link's reported range write sends nothing for no data, so the command goes out as one
  // plain write and is reported here with the link's own error text.
  const device::DeviceStatus result = link_.writeArea(areaNumber, 0, {});
  if (note(result)) {
    return true;
  }
  const std::string statusText = device::statusText(result);
  const std::string text =
      lang::currentLanguage() == lang::Language::Russian
          ? lang::formatText(texts::kWriteAreaError.ru, statusText.c_str())
          : lang::formatText(texts::kWriteAreaError.en, link_.deviceInfo().name.c_str(),
                             statusText.c_str());
  shell::PollPause pause(link_);
  shell_.showError(text);
  return false;
}

}  // namespace kivprism::keys
