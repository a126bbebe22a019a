// The texts of undo and redo: the two commands, the step they name, and the kinds of step that are
// not one control's edit.
#pragma once

#include "core/lang/text.hpp"

namespace kivprism::lang::history {

// The commands with nothing to undo or redo.
inline constexpr TextPair kUndo{"Отменить", "Undo"};
inline constexpr TextPair kRedo{"Повторить", "Redo"};
// The commands naming their step ("Undo: Long press time of rule 4").
inline constexpr TextPair kUndoStep{"Отменить: %s", "Undo: %s"};
inline constexpr TextPair kRedoStep{"Повторить: %s", "Redo: %s"};
// A control's caption for one rule of the table.
inline constexpr TextPair kOfRule{"%s (правило %u)", "%s of rule %u"};

// Steps that are not one control's edit.
inline constexpr TextPair kStepFileOpened{"Открытие файла конфигурации",
                                          "Opening a configuration file"};
inline constexpr TextPair kStepWholeRead{"Чтение конфигурации из контроллера",
                                         "Reading the configuration from the controller"};
inline constexpr TextPair kStepDefaults{"Восстановление настроек по умолчанию",
                                        "Restoring the default settings"};
inline constexpr TextPair kStepKeyLearning{"Настройка кнопок", "Key setup"};
inline constexpr TextPair kStepTouchCalibration{"Калибровка тачпанели", "Touch panel calibration"};
inline constexpr TextPair kStepKeyDragged{"Кнопка события", "Key of the event"};
inline constexpr TextPair kStepKeyName{"Имя кнопки", "Key name"};
inline constexpr TextPair kStepRuleCleared{"Очистка", "Clearing"};
inline constexpr TextPair kStepEventType{"Тип события", "Event type"};
inline constexpr TextPair kStepReactionType{"Тип реакции", "Reaction type"};
// Steps named by where their bytes lie.
inline constexpr TextPair kStepRuleChanged{"Изменение", "Change"};
inline constexpr TextPair kStepParameters{"Изменение параметров", "Change of the parameters"};
inline constexpr TextPair kStepTouchBlock{"Изменение настройки тачпанели",
                                          "Change of the touch panel setup"};
inline constexpr TextPair kStepConfiguration{"Изменение конфигурации",
                                             "Change of the configuration"};

}  // namespace kivprism::lang::history
