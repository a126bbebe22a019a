// What the monitoring page takes from the device link: the program's own log lines and the
// controller's monitoring lines. Registered with the link for as long as it lives, so it must
// not outlive the link.
#pragma once

#include <string_view>

#include "core/device/link_listeners.hpp"

namespace kivprism::device {
class DeviceLink;
}

namespace kivprism::ui {

class TerminalPage;

class TerminalFeed : public device::MonitorListener {
 public:
  TerminalFeed(device::DeviceLink& link, TerminalPage& page);
  ~TerminalFeed() override;
  TerminalFeed(const TerminalFeed&) = delete;
  TerminalFeed& operator=(const TerminalFeed&) = delete;

  void logLine(std::string_view text) override;
  void monitoringLine(std::string_view line) override;

 private:
  device::DeviceLink& link_;
  TerminalPage& page_;
};

}  // namespace kivprism::ui
