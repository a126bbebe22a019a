// The texts of finding a setting on the parameters page: the categories of the tab list, the car
// category, the search box and the marks of its matches.
#pragma once

#include "core/lang/text.hpp"

namespace kivprism::lang::param_find {

// The categories of the tab list.
inline constexpr TextPair kCar{"Автомобиль", "Car"};
inline constexpr TextPair kPins{"Выводы и интерфейсы", "Pins and interfaces"};
inline constexpr TextPair kInputs{"Входы", "Inputs"};
inline constexpr TextPair kBuses{"Шины", "Buses"};
inline constexpr TextPair kModules{"Модули автомобиля", "Car modules"};
inline constexpr TextPair kHead{"Головное устройство и навигация", "Head unit and navigation"};
inline constexpr TextPair kOutputs{"Выходы", "Outputs"};
inline constexpr TextPair kSystem{"Система", "System"};

// The search box.
inline constexpr TextPair kPlaceholder{"Найти параметр...", "Find a setting..."};
inline constexpr TextPair kHint{"Часть подписи или подсказки параметра, по-русски или по-английски",
                                "Part of a setting's caption or hint, in Russian or English"};
inline constexpr TextPair kNothing{"Ничего не найдено", "Nothing found"};
// A match or car link whose control the current settings do not show.
inline constexpr TextPair kHidden{"не показан при этих настройках",
                                  "not shown with these settings"};
// One line of a match or a car link: caption and tab.
inline constexpr TextPair kMatchLine{"%s — %s", "%s — %s"};
inline constexpr TextPair kHiddenLine{"%s — %s (не показан при этих настройках)",
                                      "%s — %s (not shown with these settings)"};

}  // namespace kivprism::lang::param_find
