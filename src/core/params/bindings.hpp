// Every control of the parameters page as data: the field it edits, its kind, its rule and what
// follows a change. The refresh reads the table to show fields; the handlers read it to store.
#pragma once

#include <span>
#include <string_view>

#include "core/params/page_view.hpp"
#include "core/view/binding.hpp"

namespace kivprism::params {

using view::After;
using view::Binding;

const view::BindingTable& pageBindings();
std::span<const Binding> bindings();
const Binding* findBinding(std::string_view control);
// Position of the control in bindings() (and so in PageView::controls); -1 when unknown.
int bindingIndex(std::string_view control);

}  // namespace kivprism::params
