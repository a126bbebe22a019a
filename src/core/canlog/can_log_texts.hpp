// The CAN log's messages.
#pragma once

#include "core/lang/text.hpp"

namespace kivprism::canlog::texts {

inline constexpr lang::TextPair kControllerDisconnected{"Контроллер отключен",
                                                        "Controller is disconnected"};
inline constexpr lang::TextPair kNotSupported{
    "Эта операция\nдля данной прошивки\nне поддерживается",
    "This operation\nfor this firmware\nis not supported"};
inline constexpr lang::TextPair kBusNotCan{
    "Дифференциальная шина контроллера не настроена как \"Шина CAN\"",
    "The controller's differential bus is not set to \"CAN Bus\""};
// File types of the save dialog.
inline constexpr lang::TextPair kFilterLog{"CAN лог (*.LOG)", "CAN log (*.LOG)"};
inline constexpr lang::TextPair kFilterCandump{"Лог candump (*.log *.candump)",
                                               "candump log (*.log *.candump)"};
inline constexpr lang::TextPair kFilterAsc{"Vector ASC (*.asc)", "Vector ASC (*.asc)"};

}  // namespace kivprism::canlog::texts
