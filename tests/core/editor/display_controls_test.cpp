// The display controls of the event pages (panels and speed buttons) carry the text their rule
// derived as their value, on the shown page only: the pane's widgets show exactly that.
#include <gtest/gtest.h>

#include "core/editor/derive.hpp"
#include "core/editor/event_bindings.hpp"
#include "editor_fixture.hpp"

namespace kivprism::editor {
namespace {

using config::ConfigImage;
using testing::control;
using testing::entryHex;
using testing::place;

TEST(DisplayControls, ShownPageCarriesItsTextsOtherPagesNone) {
  ConfigImage image;
  place(image, 1, entryHex({{16, "07"}, {18, "05 01"}, {77, "03"}}));
  const EventPaneView v = deriveEventPane(image, 1, {});
  const view::ControlView& sign = control(v, "SpeedButtonEventVoltageZnakx");
  EXPECT_TRUE(sign.hasValue);
  EXPECT_EQ(sign.text, ">");
  const view::ControlView& unit = control(v, "PanelEventVoltagemVx");
  EXPECT_TRUE(unit.hasValue);
  EXPECT_EQ(unit.text, "см");  // input 5 measures a distance
  EXPECT_FALSE(control(v, "PanelIRDEFx").hasValue);
  EXPECT_FALSE(control(v, "SpeedButtonCANFILERx").hasValue);
  EXPECT_FALSE(control(v, "PanelKeyValx").hasValue);
}

TEST(DisplayControls, EmptyKeyPanelsStillCarryTheirEmptyText) {
  ConfigImage image;
  place(image, 2, entryHex({{16, "01"}}));
  const EventPaneView v = deriveEventPane(image, 2, {});
  // An empty text is a value too: a panel whose key was deleted must be emptied.
  EXPECT_TRUE(control(v, "PanelKeyValx").hasValue);
  EXPECT_TRUE(control(v, "PanelKeyValx").text.empty());
  EXPECT_TRUE(control(v, "PanelKeyModx").hasValue);
}

}  // namespace
}  // namespace kivprism::editor
