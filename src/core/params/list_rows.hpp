// The language table's item-list rows of the parameters page's combo boxes, made from the page's
// bindings.
#pragma once

#include <span>

#include "core/lang/language.hpp"

namespace kivprism::params {

std::span<const lang::LanguageRow> pageListRows();

}  // namespace kivprism::params
