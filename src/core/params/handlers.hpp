// The change entry points of the parameters page: one call per user change, by control name. Each
// goes through the control's binding and rule (core/params/rules.hpp) and says what the user must
// be told, what the page does next, and which dialog it must ask first.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/config/image.hpp"
#include "core/params/bindings.hpp"
#include "core/params/notice.hpp"

namespace kivprism::params {

using view::ChangeOutcome;

// A change of any control of the page, by its kind.
ChangeOutcome controlChanged(config::ConfigImage& image, std::string_view control,
                             view::ControlKind kind, const view::Change& change);
// A combo box position chosen by the user.
ChangeOutcome comboChanged(config::ConfigImage& image, std::string_view control, int index);
// A check box clicked.
ChangeOutcome checkChanged(config::ConfigImage& image, std::string_view control, bool checked);
// Enter pressed in an edit field, or the field left with a typed text.
ChangeOutcome editCommitted(config::ConfigImage& image, std::string_view control,
                            std::string_view text);
// A spin edit's new value.
ChangeOutcome spinChanged(config::ConfigImage& image, std::string_view control, int value);
// A check list clicked: bit n = item n checked.
ChangeOutcome checkListChanged(config::ConfigImage& image, std::string_view control,
                               std::uint32_t checked);
// A source name cell (source 1..8) edited; the name keeps its first 5 characters (cp1251).
void sourceNameChanged(config::ConfigImage& image, std::size_t source, std::string_view utf8);
// The keys the name cell still takes: none but Backspace once it holds 5 characters.
bool sourceNameAcceptsKey(std::string_view currentUtf8, bool isBackspace);

}  // namespace kivprism::params
