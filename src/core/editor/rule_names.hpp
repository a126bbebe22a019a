// What the event and the reaction rules share: the form names they are written in and the entry
// a rule acts on, the one the pane shows.
#pragma once

#include "core/config/image.hpp"
#include "core/events/entry.hpp"
#include "core/view/binding.hpp"
#include "core/view/field_ref.hpp"
#include "core/view/form_view.hpp"

namespace kivprism::editor::rule_names {

using config::ConfigImage;
using view::Binding;
using view::Change;
using view::ChangeOutcome;
using view::ControlKind;
using view::ControlView;
using view::EntryField;
using view::FormContext;
using view::Rule;

inline events::EntryBytes selected(ConfigImage& image, const FormContext& c) {
  return events::entryAt(image, c.entry);
}
inline events::ConstEntryBytes selected(const ConfigImage& image, const FormContext& c) {
  return events::entryAt(image, c.entry);
}

}  // namespace kivprism::editor::rule_names
