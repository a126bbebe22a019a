// A long conversation with the controller that spans many poll ticks or waits of its own: key
// learning, touch calibration, IR and touch-point capture, the firmware update. Each is an object
// outside the device link; the link only drives it, so the link stays the same as procedures are
// added.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/device/device_status.hpp"

namespace kivprism::device {

class DeviceLink;

// What the gauge and the status bar show while a procedure runs. A total of 0 shows no gauge.
struct ProcedureProgress {
  std::size_t done = 0;
  std::size_t total = 0;
  std::string caption;  // already in the current language; empty keeps the status bar as it is
};

class Procedure {
 public:
  enum class Step {
    Running,   // call step again
    Finished,  // done; result() is kOk
    Failed,    // ended on a failure; result() tells which
  };

  virtual ~Procedure() = default;

  // Sends what begins the procedure. A status other than kOk means nothing is running.
  virtual DeviceStatus start(DeviceLink& link) = 0;
  // One step: from the poll tick (DeviceLink::startProcedure) or from runProcedure's loop.
  virtual Step step(DeviceLink& link) = 0;
  // Ends it early: the user cancelled, the window closes or the controller went away. Safe to
  // call at any time, also after the procedure ended.
  virtual void stop(DeviceLink& link) = 0;
  virtual ProcedureProgress progress() const = 0;
  // The status of the end: kOk after Finished, the failure after Failed or stop.
  virtual DeviceStatus result() const = 0;
  // Whether the user's edits wait with being sent while it runs (the procedure writes the image
  // areas itself, as key learning does).
  virtual bool holdsChangeSending() const { return false; }
};

// Runs a procedure to its end with waits of its own (the firmware update): the poll stays
// suspended, the gauge follows progress(), and closing the window stops it. Between steps it waits
// pauseMs while handling pending events. Returns the procedure's result; kDisconnected when it was
// stopped by the closing window.
DeviceStatus runProcedure(Procedure& procedure, DeviceLink& link, std::uint32_t pauseMs);

}  // namespace kivprism::device
