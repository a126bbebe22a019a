#include "ui/monitor/terminal_feed.hpp"

#include <string>

#include "core/config/text_codec.hpp"
#include "core/device/device_link.hpp"
#include "core/monitor/monitoring_line.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/monitor/terminal_page.hpp"

namespace kivprism::ui {

TerminalFeed::TerminalFeed(device::DeviceLink& link, TerminalPage& page)
    : link_(link), page_(page) {
  link_.addMonitorListener(*this);
}

TerminalFeed::~TerminalFeed() { link_.removeMonitorListener(*this); }

void TerminalFeed::logLine(std::string_view text) { page_.logLine(qtText(text)); }

void TerminalFeed::monitoringLine(std::string_view line) {
  // The controller writes cp1251; the markers are plain ASCII, so rewriting after the conversion
  // finds the same places and keeps the inserted names intact.
  std::string text = config::cp1251ToUtf8(line);
  monitor::formatMonitoringLine(text);
  page_.appendLine(TerminalPage::monitoringColour(), qtText(text));
}

}  // namespace kivprism::ui
