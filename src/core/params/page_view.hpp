// The plain view of the parameters page that a refresh derives from the image: for each control by
// its name what it shows, whether it is enabled and visible; the tabs' visibility; the marks the
// event/reaction editor needs. The widgets apply it by name and keep nothing of their own.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/params/availability.hpp"
#include "core/params/lists.hpp"

namespace kivprism::params {

enum class ControlKind { Combo, Check, Edit, Spin, CheckList, Grid, Widget };

struct ControlView {
  std::string_view name;
  ControlKind kind = ControlKind::Widget;
  bool hasValue = true;    // false: the control keeps what it shows (not kept in the image)
  int value = 0;           // combo box position, spin value
  bool checked = false;    // check box
  std::uint32_t bits = 0;  // check list: bit n = item n
  std::string text;        // edit field
  lists::List items;       // fixed items of a combo box or check list
  std::vector<std::pair<int, std::string>> itemOverrides;  // items the refresh writes itself
  std::vector<std::string> cells;                          // grid rows
  bool enabled = true;
  bool visible = true;
};

// The item texts of a combo box or check list in the language the view was derived for.
std::vector<std::string> itemTexts(const ControlView& view, lang::Language language);

struct TabView {
  std::string_view name;
  bool visible = true;
  std::optional<lang::TextPair> caption;  // only where the refresh sets the caption itself
};

struct PageView {
  lang::Language language = lang::Language::Russian;
  std::vector<ControlView> controls;
  std::vector<TabView> tabs;      // the tabs of PageControlParams, in order
  std::string_view diffBusPage;   // the page of PageControl_DIFF_BUS_MODE to select
  bool canLogVisible = false;     // TabSheetCANLOG
  bool touchSetupAllowed = true;  // SpeedButtonTouchSetup (off while CAP2RES feeds the touches)
  AvailabilityMarks marks;
  std::vector<std::string_view> linCommands;  // ComboBoxReactionLINx

  const ControlView* find(std::string_view name) const;
  const TabView* findTab(std::string_view name) const;
};

}  // namespace kivprism::params
