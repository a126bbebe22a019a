// Texts that more than one page or window shows, written once.
#pragma once

#include "core/lang/text.hpp"

namespace kivprism::lang {

inline constexpr TextPair kAnySource{"Любой", "Any"};
inline constexpr TextPair kChooseSources{"Выбрать...", "Select..."};

inline constexpr TextPair kMilliseconds{"мСек", "mSec"};
inline constexpr TextPair kVolts{"В", "V"};
// The hint of a voltage threshold: its range in volts.
inline constexpr TextPair kVoltsRangeHint{"Диапазон: %s … %s В", "Range: %s to %s V"};
inline constexpr TextPair kCanFilterCaption{"CAN фильтр", "CAN filter"};
inline constexpr TextPair kOnPressCaption{" При нажатии ", " On press "};
// The source of the controller's display is not known (yet).
inline constexpr TextPair kSelectedUnknown{"Выбран: ?", "Selected: ?"};

}  // namespace kivprism::lang
