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
// Opening a saved capture to study it.
inline constexpr lang::TextPair kChooseCaptureToOpen{"Открытие записи CAN",
                                                     "Opening a CAN capture"};
inline constexpr lang::TextPair kFilterCaptures{"Записи CAN (*.log *.candump *.asc)",
                                                "CAN captures (*.log *.candump *.asc)"};
inline constexpr lang::TextPair kCaptureNotRead{"Не удалось прочитать файл %s",
                                                "Could not read the file %s"};
inline constexpr lang::TextPair kCaptureBadLine{"Строка %u файла %s не является CAN пакетом:\n%s",
                                                "Line %u of the file %s is not a CAN frame:\n%s"};
inline constexpr lang::TextPair kCaptureWithoutFrames{"В файле %s нет CAN пакетов",
                                                      "The file %s holds no CAN frames"};
// Saving the kept records after the capture.
inline constexpr lang::TextPair kLogNotWritten{"Не удалось записать файл %s",
                                               "Could not write the file %s"};
// A frame made into an event.
inline constexpr lang::TextPair kFrameWithoutData{
    "Пакет без байтов данных не может стать CAN событием",
    "A frame without data bytes cannot become a CAN event"};
inline constexpr lang::TextPair kNoFreeEntry{"Нет свободной записи для нового события",
                                             "There is no free entry for the new event"};
inline constexpr lang::TextPair kStepFrameEvent{"CAN событие из пакета", "CAN event from a frame"};

}  // namespace kivprism::canlog::texts
