// What the parameters tab takes from the device link: the selected source for its panel
// (PanelCurrentSRCx) and the variables for the variables view, which the poll reads only while
// that view is on screen. Registered with the link for as long as it lives, so it must not outlive
// the link.
#pragma once

#include <functional>
#include <string_view>

#include "core/device/link_listeners.hpp"

class QLabel;

namespace kivprism::device {
class DeviceLink;
}

namespace kivprism::ui::params {

class ParametersPage;

class ParametersFeed : public device::DeviceStateListener, public device::VariablesListener {
 public:
  // tabShown: the window shows the page that holds the parameters page (TabSheetParameters).
  ParametersFeed(device::DeviceLink& link, ParametersPage& page, QLabel& currentSource,
                 std::function<bool()> tabShown);
  ~ParametersFeed() override;
  ParametersFeed(const ParametersFeed&) = delete;
  ParametersFeed& operator=(const ParametersFeed&) = delete;

  void currentSourceChanged(std::string_view text, bool enabled) override;
  // The variables view is on its tab and the tab is the window's current page.
  bool variablesWanted() const override;
  void showVariables(const device::VariablesView& view) override;

 private:
  device::DeviceLink& link_;
  ParametersPage& page_;
  QLabel& currentSource_;
  std::function<bool()> tabShown_;
};

}  // namespace kivprism::ui::params
