// The texts of the keys grid, key learning and touch-panel calibration, Russian and English.
#pragma once

#include "core/lang/text.hpp"

namespace kivprism::keys::texts {

using lang::TextPair;

// Grid headers and the encoder column.
inline constexpr TextPair kChannelHeader{"Канал %d", "Ch %d"};
inline constexpr TextPair kEncoderHeader{"Энкодер", "Encoder"};

// Hints of the grid's cells.
inline constexpr TextPair kAutomaticKeyHint{"Канал %u, код %u (допуск %u)",
                                            "Channel %u, code %u (limit %u)"};
inline constexpr TextPair kNamedKeyHint{"Кнопка \"%s\" канал %u, код %u (допуск %u)",
                                        "Button \"%s\" channel %u, code %u (limit %u)"};
inline constexpr TextPair kEncoderHints[4] = {
    {"Увеличение значения энкодера 1", "Increasing the value of the encoder 1"},
    {"Уменьшение значения энкодера 1", "Decreasing the value of the encoder 1"},
    {"Увеличение значения энкодера 2", "Increasing the value of the encoder 2"},
    {"Уменьшение значения энкодера 2", "Decreasing the value of the encoder 2"},
};

// Label editing and the context menu.
inline constexpr TextPair kNameTaken{
    "Имя \"%s\"\nуже присвоено другой кнопке\nВведите другое имя",
    "The name \"%s\"\nis already assigned\nPlease enter a different name"};
inline constexpr TextPair kDeleteKey{"Удалить эту кнопку", "Delete this key"};
inline constexpr TextPair kDeleteChannelKeys{"Удалить все кнопки %d канала",
                                             "Delete all buttons of the channel %d"};
// Asked before the channel's keys go; the key events naming them keep their references.
inline constexpr TextPair kAskDeleteChannelKeys{
    "Удалить все кнопки %d канала?\nСобытий, использующих эти кнопки: %u",
    "Delete all buttons of the channel %d?\nKey events using these buttons: %u"};

// Both procedures.
inline constexpr TextPair kControllerDisconnected{"Контроллер отключен",
                                                  "Controller is disconnected"};

// Key learning.
inline constexpr TextPair kAskKeyLearning{"Вы действительно хотите запустить настройку кнопок?",
                                          "You really want to launch setup of keys?"};
inline constexpr TextPair kPressNothing{"Ничего не нажимайте", "Do not press anything"};
inline constexpr TextPair kPressEachKey{"Нажмите каждую кнопку и присвойте ей имя",
                                        "Press each button and give it a name"};
inline constexpr TextPair kWritingKeys{"Пишу данные", "Write data"};
// The device link's text for a failed write, for the one write it cannot send itself.
inline constexpr TextPair kWriteAreaError{"Ошибка записи в устройство\n%s",
                                          "Error writing to the device \"%s\"\n%s"};
// The controller answered a reading of the key levels short: the reading is not used.
inline constexpr TextPair kKeyLevelsShort{"Контроллер не передал уровни кнопок полностью",
                                          "The controller did not send the whole key levels"};
inline constexpr TextPair kKeyLearningDone{"Настройка кнопок завершена успешно",
                                           "Customize Buttons completed successfully"};

// Touch-panel calibration.
inline constexpr TextPair kAskTouchCalibration{
    "Вы действительно хотите запустить настройку тачпанели?",
    "You really want to launch setup of touchpanel?"};
inline constexpr TextPair kReleaseTouch{"Пожалуйста отпустите нажатие", "Please release it"};
// Steps 1..5; steps 4 and 5 have texts of their own that read as those of steps 1 and 3.
inline constexpr TextPair kCalibrationPrompts[5] = {
    {"Нажмите в верхнем левом углу", "Press at top left corner"},
    {"Нажмите в верхнем правом углу", "Press at top right corner"},
    {"Нажмите в нижнем правом углу", "Press at bottom right corner"},
    {"Нажмите в верхнем левом углу", "Press at top left corner"},
    {"Нажмите в нижнем правом углу", "Press at bottom right corner"},
};
inline constexpr TextPair kCalibrationDone{"Настройка тачпанели завершена успешно",
                                           "Setting the touch panel is completed successfully"};
inline constexpr TextPair kCalibrationTimedOut{"Настройка тачпанели завершена по таймауту",
                                               "Setting the touch panel is completed by timeout"};
// The controller answered the touch block short: nothing is stored.
inline constexpr TextPair kTouchBlockShort{
    "Контроллер не передал данные тачпанели полностью",
    "The controller did not send the whole touch panel data"};

}  // namespace kivprism::keys::texts
