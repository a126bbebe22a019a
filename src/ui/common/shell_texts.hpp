// The main window's own texts live in the core with every other text pair; the window's code
// reaches them as ui::texts.
#pragma once

#include "core/lang/shell_texts.hpp"

namespace kivprism::ui {

namespace texts = lang::shell;

}  // namespace kivprism::ui
