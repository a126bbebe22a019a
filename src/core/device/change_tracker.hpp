// Which bytes of the working image are the user's changes not yet on the controller, and what
// becomes of them when a send fails, a read breaks off or the controller goes away and comes
// back. It only reads and marks; sending, reading and showing boxes stay with the device link, so
// this, the most delicate bookkeeping of the program, is tested on its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/config/image.hpp"

namespace kivprism::device {

// Whether the user's changes are on the controller, for the status bar beside the connection line.
struct SyncState {
  bool connected = false;
  // Runs of the image that differ from what the controller is known to hold.
  std::size_t pendingChanges = 0;
  friend bool operator==(const SyncState&, const SyncState&) = default;
};
// The text in the current language; empty when disconnected with nothing kept.
std::string syncStateText(const SyncState& state);

class ChangeTracker {
 public:
  // The working image is the user's; the device copy is what the controller is known to hold.
  explicit ChangeTracker(const config::ConfigModel& model) : model_(model) {}

  // --- what the images say ---
  // The byte must go to the controller: it differs from the device copy, or a send of it was lost.
  bool differs(std::size_t at) const;
  // The byte is a change of the user's: as differs, but what a broken read left is none.
  bool isChange(std::size_t at) const;
  // Runs of changes; adjacent changed bytes are one.
  std::size_t pendingChanges() const;
  bool anyUnknown() const;

  // --- sending ---
  // The controller acknowledged these bytes: they are what it holds.
  void markAcknowledged(std::size_t at, std::size_t n);
  // A write went without an answer: the controller holds the old value or the new one.
  void markUnknown(std::size_t at, std::size_t n);
  // A whole read showed what the controller holds.
  void clearUnknown();
  // Every byte of the run is held back after a failure and none changed since.
  bool allHeld(std::size_t begin, std::size_t end) const;
  // A failed run waits for a reason to try again. True when this opens a failure episode, which
  // gets its one error box.
  bool hold(std::size_t begin, std::size_t end);
  // The controller took a change: what it failed before is tried once more; with nothing left
  // pending the failure episode ends.
  void changeTaken();
  // A new connection is a reason to try again, with a box of its own if it fails.
  void connectionMade();
  // A command showed its own box: this failure needs no second one.
  void failureReported() { failureShown_ = true; }
  // The controller holds the whole working image now.
  void wholeImageWritten();

  // --- the controller goes and comes back ---
  // The controller with this serial number went away (or was let go) with changes not on it.
  void keepForReturnOf(std::uint32_t serial) { keepForSerial_ = serial; }
  // A read the user asks for, or a restore of defaults, replaces what was kept.
  void forgetKept() { keepForSerial_ = 0; }
  // Before a whole read of the controller with this serial: takes the changes kept for its
  // return, once. True when it is the returning controller.
  bool beforeWholeRead(std::uint32_t serial);
  // After the read; the working image holds what was read (on failure, with the parameter block
  // cleared). On success the kept changes go back into the working image.
  void afterWholeRead(bool ok, bool returning, config::ConfigImage& working);
  // In sync again (a file loaded, learning written): the working image is the user's once more.
  void userImageAgain() { failedRead_.reset(); }

  // --- the status bar's sync text ---
  // The text when it differs from the one shown last (or none was shown yet).
  std::optional<std::string> syncTextUpdate(bool connected);

 private:
  const config::ConfigModel& model_;
  // Bytes whose sending failed, waiting for a reason to try again.
  std::vector<bool> held_ = std::vector<bool>(config::ConfigImage::kSize, false);
  // Bytes sent without an answer: the controller holds the old value or the new one.
  std::vector<bool> unknown_ = std::vector<bool>(config::ConfigImage::kSize, false);
  bool failureShown_ = false;
  // The controller whose return brings the changes kept while it was away (0: none).
  std::uint32_t keepForSerial_ = 0;
  // Taken once per return: a failed read leaves a cleared parameter block in the working image,
  // so the changes are not taken again from it.
  std::vector<std::pair<std::size_t, std::uint8_t>> kept_;
  bool keptTaken_ = false;
  // What a failed whole read left in the working image (a cleared parameter block). It is no
  // change of the user's: only bytes edited since count as changes, shown and kept for a
  // returning controller.
  std::optional<config::ConfigImage> failedRead_;
  std::string syncText_;
  bool syncTextShown_ = false;
};

}  // namespace kivprism::device
