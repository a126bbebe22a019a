// A tab of a form laid out as data: its name and its rows (control, caption label, unit label).
// The parameters page and the event/reaction pane both describe their tabs so.
#pragma once

#include <span>
#include <string_view>

#include "ui/common/bound_form.hpp"

namespace kivprism::ui {

struct TabLayout {
  std::string_view name;
  std::span<const FormRow> rows;
};

}  // namespace kivprism::ui
