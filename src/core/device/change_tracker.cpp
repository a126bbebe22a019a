#include "core/device/change_tracker.hpp"

#include <algorithm>
#include <cstring>

#include "core/lang/text.hpp"

namespace kivprism::device {

namespace {

using lang::TextPair;

constexpr TextPair kAllChangesSent{"Все изменения в контроллере",
                                   "All changes are on the controller"};
constexpr TextPair kChangesNotSent{"Не отправлено в контроллер изменений: %u",
                                   "Changes not yet on the controller: %u"};
constexpr TextPair kChangesKeptHere{"Нет связи: изменения сохранены здесь (%u)",
                                    "Not connected: changes are kept here (%u)"};

}  // namespace

std::string syncStateText(const SyncState& state) {
  const auto pending = static_cast<unsigned>(state.pendingChanges);
  if (!state.connected) {
    return pending == 0 ? std::string()
                        : lang::formatText(lang::translateText(kChangesKeptHere), pending);
  }
  return pending == 0 ? std::string(lang::translateText(kAllChangesSent))
                      : lang::formatText(lang::translateText(kChangesNotSent), pending);
}

bool ChangeTracker::differs(std::size_t at) const {
  return unknown_[at] || model_.working.data()[at] != model_.device.data()[at];
}

bool ChangeTracker::isChange(std::size_t at) const {
  // A byte whose send went unanswered is the user's, whatever the images say.
  if (unknown_[at]) {
    return true;
  }
  const std::uint8_t value = model_.working.data()[at];
  return value != model_.device.data()[at] && (!failedRead_ || value != failedRead_->data()[at]);
}

std::size_t ChangeTracker::pendingChanges() const {
  const auto working = model_.working.bytes();
  const auto device = model_.device.bytes();
  if (std::memcmp(working.data(), device.data(), working.size()) == 0 && !anyUnknown()) {
    return 0;
  }
  std::size_t runs = 0;
  bool inRun = false;
  for (std::size_t i = 0; i < working.size(); ++i) {
    const bool changed = isChange(i);
    if (changed && !inRun) {
      ++runs;
    }
    inRun = changed;
  }
  return runs;
}

bool ChangeTracker::anyUnknown() const {
  return std::find(unknown_.begin(), unknown_.end(), true) != unknown_.end();
}

void ChangeTracker::markAcknowledged(std::size_t at, std::size_t n) {
  std::fill_n(unknown_.begin() + static_cast<std::ptrdiff_t>(at), n, false);
}

void ChangeTracker::markUnknown(std::size_t at, std::size_t n) {
  std::fill_n(unknown_.begin() + static_cast<std::ptrdiff_t>(at), n, true);
}

void ChangeTracker::clearUnknown() { std::fill(unknown_.begin(), unknown_.end(), false); }

bool ChangeTracker::allHeld(std::size_t begin, std::size_t end) const {
  return std::all_of(held_.begin() + static_cast<std::ptrdiff_t>(begin),
                     held_.begin() + static_cast<std::ptrdiff_t>(end), [](bool h) { return h; });
}

bool ChangeTracker::hold(std::size_t begin, std::size_t end) {
  for (std::size_t i = begin; i < end; ++i) {
    if (differs(i)) {
      held_[i] = true;
    }
  }
  const bool opensEpisode = !failureShown_;
  failureShown_ = true;
  return opensEpisode;
}

void ChangeTracker::changeTaken() {
  std::fill(held_.begin(), held_.end(), false);
  if (pendingChanges() == 0) {
    failureShown_ = false;
  }
}

void ChangeTracker::connectionMade() {
  std::fill(held_.begin(), held_.end(), false);
  failureShown_ = false;
}

void ChangeTracker::wholeImageWritten() {
  // Nothing a broken read left, nor anything kept for a return, stands against it any more.
  failedRead_.reset();
  keptTaken_ = false;
  std::fill(held_.begin(), held_.end(), false);
  failureShown_ = false;
}

bool ChangeTracker::beforeWholeRead(std::uint32_t serial) {
  // A controller that comes back gets the changes that had not reached it before it went. They
  // are taken once: a failed read leaves the working image with a cleared parameter block.
  const bool returning = keepForSerial_ != 0 && keepForSerial_ == serial;
  if (returning && !keptTaken_) {
    kept_.clear();
    const auto working = model_.working.bytes();
    for (std::size_t i = 0; i < working.size(); ++i) {
      if (isChange(i)) {
        kept_.emplace_back(i, working[i]);
      }
    }
    keptTaken_ = true;
  }
  return returning;
}

void ChangeTracker::afterWholeRead(bool ok, bool returning, config::ConfigImage& working) {
  if (!ok) {
    if (!keptTaken_) {
      failedRead_ = working;
    }
    return;
  }
  if (returning) {
    for (const auto& [at, value] : kept_) {
      working.data()[at] = value;
    }
  }
  kept_.clear();
  keptTaken_ = false;
  keepForSerial_ = 0;
  failedRead_.reset();
  std::fill(held_.begin(), held_.end(), false);
}

std::optional<std::string> ChangeTracker::syncTextUpdate(bool connected) {
  std::string text = syncStateText({connected, pendingChanges()});
  if (syncTextShown_ && text == syncText_) {
    return std::nullopt;
  }
  syncText_ = text;
  syncTextShown_ = true;
  return text;
}

}  // namespace kivprism::device
