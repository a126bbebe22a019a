// The pane's own texts beside the pages: the context menus of the key and IR panels.
#pragma once

#include "core/lang/text.hpp"

namespace kivprism::editor::texts {

inline constexpr lang::TextPair kDeleteKey{"Удалить кнопку", "Delete key"};
inline constexpr lang::TextPair kDeleteModifier{"Удалить модификатор", "Delete mod key"};
inline constexpr lang::TextPair kDeleteIrCode{"Удалить ИК код", "Delete IR code"};
inline constexpr lang::TextPair kEditIrCode{"Редактировать ИК код", "Edit IR code"};

}  // namespace kivprism::editor::texts
