// The view of the parameters page: the form view of its controls and 27 tabs, plus what the page
// decides beyond single controls: the differential-bus page, the CAN-log page, the touch set-up
// button, the event/reaction editor's availability marks and the LIN command list.
#pragma once

#include <string_view>
#include <vector>

#include "core/params/availability.hpp"
#include "core/params/lists.hpp"
#include "core/view/form_view.hpp"

namespace kivprism::params {

using view::ControlKind;
using view::ControlView;
using view::itemTexts;
using view::TabView;

struct PageView : view::FormView {
  std::string_view diffBusPage;   // the page of PageControl_DIFF_BUS_MODE to select
  bool canLogVisible = false;     // TabSheetCANLOG
  bool touchSetupAllowed = true;  // SpeedButtonTouchSetup (off while CAP2RES feeds the touches)
  AvailabilityMarks marks;
  std::vector<std::string_view> linCommands;  // ComboBoxReactionLINx
};

}  // namespace kivprism::params
