#include "ui/params/parameters_feed.hpp"

#include <QLabel>

#include "core/device/device_link.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/params/parameters_page.hpp"

namespace kivprism::ui::params {

ParametersFeed::ParametersFeed(device::DeviceLink& link, ParametersPage& page,
                               QLabel& currentSource, std::function<bool()> tabShown)
    : link_(link), page_(page), currentSource_(currentSource), tabShown_(std::move(tabShown)) {
  link_.addStateListener(*this);
  link_.addVariablesListener(*this);
}

ParametersFeed::~ParametersFeed() {
  link_.removeStateListener(*this);
  link_.removeVariablesListener(*this);
}

void ParametersFeed::currentSourceChanged(std::string_view text, bool enabled) {
  currentSource_.setText(qtText(text));
  currentSource_.setEnabled(enabled);
}

bool ParametersFeed::variablesWanted() const { return tabShown_() && page_.variablesViewActive(); }

void ParametersFeed::showVariables(const device::VariablesView& view) { page_.showVariables(view); }

}  // namespace kivprism::ui::params
