// What the editor's hidden gestures do, said where they are needed: an empty key panel takes a key
// dragged from the keys table, and a right click on a type page opens the list of types.
#pragma once

#include "core/lang/text.hpp"

namespace kivprism::lang::gestures {

inline constexpr TextPair kEmptyKeyPanel{"Перетащите сюда кнопку из таблицы кнопок",
                                         "Drag a key here from the keys table"};
inline constexpr TextPair kEmptyTypePage{"Щелчок правой кнопкой мыши открывает список типов",
                                         "A right click opens the list of types"};

}  // namespace kivprism::lang::gestures
