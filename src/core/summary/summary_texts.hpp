// The words of the rules table, the rule summaries and the comparison of two configurations.
#pragma once

#include "core/lang/rules_texts.hpp"
#include "core/lang/text.hpp"

namespace kivprism::summary::texts {

// Pieces of the summaries.
inline constexpr lang::TextPair kMilliseconds{"%u мс", "%u ms"};
inline constexpr lang::TextPair kHold{"удержание %u мс", "hold %u ms"};
inline constexpr lang::TextPair kSources{"источники%s", "sources%s"};
inline constexpr lang::TextPair kOnce{"однократно", "once"};
inline constexpr lang::TextPair kWakeUp{"пробуждение", "wake-up"};
inline constexpr lang::TextPair kModifier{"модификатор %s", "modifier %s"};
inline constexpr lang::TextPair kNoKey{"кнопка не выбрана", "no key chosen"};
inline constexpr lang::TextPair kNoCode{"код не задан", "no code set"};
inline constexpr lang::TextPair kAfterStart{"через %u мс", "after %u ms"};
inline constexpr lang::TextPair kCanFilter{"CAN 0x%s, данные %s, маска %s",
                                           "CAN 0x%s, data %s, mask %s"};
inline constexpr lang::TextPair kCanFilterNotSet{"CAN фильтр не установлен", "CAN filter not set"};
inline constexpr lang::TextPair kCanMessage{"CAN 0x%s (%s)", "CAN 0x%s (%s)"};
inline constexpr lang::TextPair kOnPress{"нажатие: %s", "press: %s"};
inline constexpr lang::TextPair kOnRelease{"отпускание: %s", "release: %s"};
inline constexpr lang::TextPair kOutput{"выход %s", "output %s"};
inline constexpr lang::TextPair kPosition{"X %u, Y %u", "X %u, Y %u"};
inline constexpr lang::TextPair kDuration{"длительность %u мс", "duration %u ms"};
inline constexpr lang::TextPair kRepeat{"повтор %u мс", "repeat %u ms"};
inline constexpr lang::TextPair kSteps{"шагов %d", "steps %d"};
inline constexpr lang::TextPair kPoints{"точек %u", "points %u"};
inline constexpr lang::TextPair kWithPress{"с нажатием", "with press"};
inline constexpr lang::TextPair kTrigger{"триггер", "trigger"};
inline constexpr lang::TextPair kSave{"с сохранением", "saved first"};
inline constexpr lang::TextPair kChannel{"канал %u: %s", "channel %u: %s"};
inline constexpr lang::TextPair kVolts{"%s В", "%s V"};
inline constexpr lang::TextPair kParameter{"параметр %u", "parameter %u"};
inline constexpr lang::TextPair kCode{"код %s", "code %s"};
inline constexpr lang::TextPair kAnyCode{"любой код", "any code"};
inline constexpr lang::TextPair kUnknown{"? (%u)", "? (%u)"};
inline constexpr lang::TextPair kNothingChosen{"не выбрано", "nothing chosen"};
inline constexpr lang::TextPair kUnused{"не используется", "unused"};

// Trouble marks of the rules table.
inline constexpr lang::TextPair kSameEventAs{"То же событие, что в правиле %s",
                                             "Same event as rule %s"};
inline constexpr lang::TextPair kKeyNotChosen{"Кнопка события не выбрана",
                                              "The event's key is not chosen"};
inline constexpr lang::TextPair kKeySlotEmpty{"Кнопка %s не обучена в таблице кнопок",
                                              "Key %s is not learnt in the keys table"};
inline constexpr lang::TextPair kModifierSlotEmpty{"Модификатор %s не обучен в таблице кнопок",
                                                   "Modifier %s is not learnt in the keys table"};
inline constexpr lang::TextPair kEventUnavailable{
    "Событие \"%s\" недоступно при текущих параметрах",
    "The event \"%s\" is not available with the current parameters"};
inline constexpr lang::TextPair kReactionUnavailable{
    "Реакция \"%s\" недоступна при текущих параметрах",
    "The reaction \"%s\" is not available with the current parameters"};
inline constexpr lang::TextPair kUsbFunctionOff{
    "Реакция не сработает: функция USB \"%s\" выключена",
    "The reaction cannot fire: the USB function \"%s\" is off"};

// The comparison of two configurations.
inline constexpr lang::TextPair kRuleLabel{"Правило %u", "Rule %u"};
inline constexpr lang::TextPair kFieldName{"имя", "name"};
inline constexpr lang::TextPair kFieldEvent{"событие", "event"};
inline constexpr lang::TextPair kFieldPress{"нажатие", "press"};
inline constexpr lang::TextPair kFieldReaction{"реакция", "reaction"};
inline constexpr lang::TextPair kFieldBytes{"байты %s", "bytes %s"};
inline constexpr lang::TextPair kImageBytes{"Байты образа %u..%u", "Image bytes %u..%u"};
inline constexpr lang::TextPair kEmpty{"(пусто)", "(empty)"};
inline constexpr lang::TextPair kLearntKey{"%s, уровень %u ± %u", "%s, level %u ± %u"};
inline constexpr lang::TextPair kOn{"вкл", "on"};
inline constexpr lang::TextPair kOff{"выкл", "off"};
inline constexpr lang::TextPair kNone{"нет", "none"};
inline constexpr lang::TextPair kBit{"бит %u", "bit %u"};

// The exported summary of a configuration.
inline constexpr lang::TextPair kExportTitle{"Сводка конфигурации", "Configuration summary"};
inline constexpr lang::TextPair kSectionController{"Контроллер", "Controller"};
inline constexpr lang::TextPair kSectionInterfaces{"Интерфейсы и шины", "Interfaces and buses"};
inline constexpr lang::TextPair kSectionPins{"Назначение выводов", "Pin assignment"};
inline constexpr lang::TextPair kSectionParameters{"Параметры, отличные от значений по умолчанию",
                                                   "Parameters that differ from the defaults"};
inline constexpr lang::TextPair kSectionRules{"Правила", "Rules"};
inline constexpr lang::TextPair kControllerUnknown{
    "Неизвестен: сводка составлена по файлу конфигурации",
    "Not known: the summary was made from a configuration file"};
inline constexpr lang::TextPair kNoInterfaces{"Ни один интерфейс не включён",
                                              "No interface is switched on"};
inline constexpr lang::TextPair kNoParameters{"Все параметры имеют значения по умолчанию",
                                              "Every parameter has its default value"};
inline constexpr lang::TextPair kNoRules{"Нет используемых правил", "No rule is used"};
inline constexpr lang::TextPair kModel{"Модель", "Model"};
inline constexpr lang::TextPair kFirmware{"Версия ПО", "Firmware"};
inline constexpr lang::TextPair kLoader{"Версия загрузчика", "Boot loader"};
inline constexpr lang::TextPair kSerialNumber{"Серийный номер", "Serial number"};
inline constexpr lang::TextPair kColumnSection{"Раздел", "Section"};
inline constexpr lang::TextPair kColumnKey{"Ключ", "Key"};
inline constexpr lang::TextPair kColumnName{"Название", "Name"};
inline constexpr lang::TextPair kColumnValue{"Значение", "Value"};
inline constexpr lang::TextPair kColumnDefault{"По умолчанию", "Default"};
inline constexpr lang::TextPair kColumnPin{"Вывод", "Pin"};
inline constexpr lang::TextPair kColumnFunction{"Назначение", "Function"};
inline constexpr lang::TextPair kColumnNumber = lang::rules::kColumnNumber;
inline constexpr lang::TextPair kColumnEvent = lang::rules::kColumnEvent;
inline constexpr lang::TextPair kColumnPress = lang::rules::kColumnPress;
inline constexpr lang::TextPair kColumnReaction = lang::rules::kColumnReaction;
inline constexpr lang::TextPair kColumnRemarks{"Замечания", "Remarks"};

}  // namespace kivprism::summary::texts
