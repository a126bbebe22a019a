// Key learning: the dialogue in which the controller measures the steering-wheel keys while the
// user presses each one, and the program fills the keys table, works out tolerances and reference
// levels and writes them to the controller. A procedure over the device link; the link's change
// sending must stay quiet while active() is true.
#pragma once

#include "core/device/device_link.hpp"
#include "core/keys/key_rules.hpp"
#include "core/keys/keys_grid.hpp"
#include "core/keys/procedure_host.hpp"

namespace kivprism::keys {

class KeyLearning {
 public:
  enum class Outcome {
    Declined,     // the user answered No
    StartFailed,  // the controller did not start learning; nothing changed
    ShutDown,     // the program is closing; nothing written
    // The quiet phase did not finish (a failed or short read, a second click): nothing learnt,
    // nothing written but the end of learning.
    NothingLearnt,
    WriteFailed,  // learnt, but a final write failed
    // A read in the key phase failed: what the reads before it taught is written, without the
    // success message.
    ReadFailed,
    // The controller went away: what was learnt stays in the image, kept for its return.
    ControllerLost,
    Done,  // written; the controller and the image agree
  };

  KeyLearning(device::DeviceLink& link, shell::ShellServices& shell, KeyLearningHost& host,
              KeysGrid& grid);

  // SpeedButtonKeysSetup: starts learning, or asks a running one to stop at its next step.
  void click();
  // The learning dialogue itself (learnKeys).
  Outcome learnKeys();

  // The learning flag: cleared by a second click, which ends the dialogue.
  bool running() const { return running_; }
  // The key-learning-running flag: change sending stays quiet meanwhile.
  bool active() const { return active_; }
  // Only for learnKeys run on its own: the flag a second click clears.
  void setRunning(bool running) { running_ = running; }

 private:
  bool readLevels(ChannelLevels& levels);
  bool writeBlock(bool on, const ChannelLevels& thresholds);
  // The learning loop; ends on a second click, shut-down, an error or a minute without keys.
  void measure(LearningSession& session);
  bool writeResults();
  bool writeEmptyReported(std::uint8_t areaNumber);
  // Remembers a failed exchange; true for success.
  bool note(device::DeviceStatus result);
  bool stopRequested() const;

  device::DeviceLink& link_;
  shell::ShellServices& shell_;
  KeyLearningHost& host_;
  KeysGrid& grid_;
  bool running_ = false;
  // The last failed exchange of this run (kOk: none).
  device::DeviceStatus failure_ = device::status::kOk;
  // A read of this run failed or came short.
  bool readFailed_ = false;
  bool keyPhaseReached_ = false;
  bool active_ = false;
};

}  // namespace kivprism::keys
