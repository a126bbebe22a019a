// The plain view of a form that a refresh derives from the image: for each control by its name
// what it shows, whether it is enabled and visible, and the visibility of the form's tabs or pages.
// The widgets apply it by name and keep nothing of their own. A page that needs more (marks for
// another pane, a list for a dialog) derives its own view type from FormView.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/config/image.hpp"
#include "core/lang/text.hpp"

namespace kivprism::view {

enum class ControlKind { Combo, Check, Edit, Spin, CheckList, Grid, Widget };

using ItemList = std::span<const lang::TextPair>;

struct ControlView {
  std::string_view name;
  ControlKind kind = ControlKind::Widget;
  bool hasValue = true;    // false: the control keeps what it shows (not kept in the image)
  int value = 0;           // combo box position, spin value
  bool checked = false;    // check box
  std::uint32_t bits = 0;  // check list: bit n = item n
  std::string text;        // edit field, or the text of a display control
  ItemList items;          // fixed items of a combo box or check list; a grid's titles
  std::vector<std::pair<int, std::string>> itemOverrides;  // items the refresh writes itself
  std::vector<std::string> cells;                          // grid rows
  std::string hint;   // derived hint (a number's range), shown after the language table's hint
  int maxLength = 0;  // longest text an edit field or grid cell takes; 0: no limit
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

class BindingTable;

struct FormView {
  lang::Language language = lang::Language::Russian;
  std::vector<ControlView> controls;  // one per binding, in table order
  std::vector<TabView> tabs;          // the form's tabs or pages, in order
  const BindingTable* table = nullptr;

  const ControlView* find(std::string_view name) const;
  const TabView* findTab(std::string_view name) const;
};

// What a form's own rules use to adjust a derived view. Naming a control or tab that the view does
// not hold is a slip in the rules and throws std::invalid_argument with the name.
class ViewBuilder {
 public:
  ViewBuilder(FormView& view, const config::ConfigImage& image) : view_(view), image_(image) {}

  ControlView& at(std::string_view name);
  TabView& tab(std::string_view name);
  void enable(std::string_view name, bool on) { at(name).enabled = on; }
  void show(std::string_view name, bool on) { at(name).visible = on; }
  void clearText(std::string_view name) { at(name).text.clear(); }

  unsigned u8(config::Field f) const { return image_.getU8(f); }
  const config::ConfigImage& image() const { return image_; }
  FormView& view() { return view_; }
  lang::Language language() const { return view_.language; }

 private:
  FormView& view_;
  const config::ConfigImage& image_;
};

// A stored position beyond a fixed list shows no selection. With skipOverridden, lists whose items
// the view rewrites are left as they are.
void clearUnknownPositions(FormView& view, bool skipOverridden);

}  // namespace kivprism::view
