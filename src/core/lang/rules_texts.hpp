// The texts of the rules table and of the rule commands (copy, paste, duplicate, move, clear):
// the table's columns and controls, the commands' items, their undo steps and their questions.
#pragma once

#include "core/lang/history_texts.hpp"
#include "core/lang/text.hpp"

namespace kivprism::lang::rules {

// The table.
inline constexpr TextPair kShowTable{"Таблица правил", "Rules table"};
inline constexpr TextPair kShowTableHint{
    "Показать таблицу всех 100 правил вместо страниц параметров (Ctrl+F — поиск)",
    "Show the table of all 100 rules instead of the parameters pages (Ctrl+F: search)"};
inline constexpr TextPair kFilterPlaceholder{"Поиск (Ctrl+F)", "Search (Ctrl+F)"};
inline constexpr TextPair kFilterHint{
    "Ctrl+F: показать правила, в любом столбце которых есть этот текст (\"NEC\", \"0x280\", "
    "\"USB\")",
    "Ctrl+F: show the rules with this text in any column (\"NEC\", \"0x280\", \"USB key\")"};
inline constexpr TextPair kHideUnused{"Скрыть пустые", "Hide unused"};
inline constexpr TextPair kHideUnusedHint{"Не показывать неиспользуемые правила",
                                          "Do not show the rules that are not used"};
inline constexpr TextPair kColumnNumber{"№", "No."};
inline constexpr TextPair kColumnName{"Имя", "Name"};
inline constexpr TextPair kColumnEvent{"Событие", "Event"};
inline constexpr TextPair kColumnPress{"Нажатие", "Press"};
inline constexpr TextPair kColumnReaction{"Реакция", "Reaction"};
inline constexpr TextPair kColumnMark{"Отметка", "Mark"};
inline constexpr TextPair kMarkUnused{"пусто", "unused"};
inline constexpr TextPair kMarkTrouble{"⚠ проверить", "⚠ check"};
inline constexpr TextPair kShownCount{"Показано %u из 100", "%u of 100 shown"};

// The commands on the rules, in the table's and the entry tabs' context menus.
inline constexpr TextPair kEditMenu{"Правка", "Edit"};
inline constexpr TextPair kCopy{"Копировать", "Copy"};
inline constexpr TextPair kPaste{"Вставить", "Paste"};
inline constexpr TextPair kDuplicate{"Дублировать в свободное правило",
                                     "Duplicate into a free entry"};
inline constexpr TextPair kMoveUp{"Переместить вверх", "Move up"};
inline constexpr TextPair kMoveDown{"Переместить вниз", "Move down"};
inline constexpr TextPair kClear{"Очистить", "Clear"};
inline constexpr TextPair kSelectEntry{"Перейти к правилу", "Go to rule"};

// The undo steps of the commands; one rule's step reads "Paste of rule 10".
inline constexpr TextPair kStepPasted{"Вставка", "Paste"};
inline constexpr TextPair kStepPastedMany{"Вставка правил", "Paste of rules"};
inline constexpr TextPair kStepDuplicated{"Дублирование", "Duplicate"};
inline constexpr TextPair kStepDuplicatedMany{"Дублирование правил", "Duplicate of rules"};
inline constexpr TextPair kStepMovedUp{"Перемещение правил вверх", "Move of rules up"};
inline constexpr TextPair kStepMovedDown{"Перемещение правил вниз", "Move of rules down"};
inline constexpr TextPair kStepCleared = history::kStepRuleCleared;
inline constexpr TextPair kStepClearedMany{"Очистка правил", "Clearing of rules"};

// Questions and refusals.
inline constexpr TextPair kAskOverwrite{"Вставка заменит используемые правила: %s. Заменить?",
                                        "The paste replaces rules in use: %s. Replace them?"};
inline constexpr TextPair kAskClear{"Очистить используемые правила: %s?",
                                    "Clear the rules in use: %s?"};
inline constexpr TextPair kNotRules{
    "В буфере обмена нет правил kivprism (или текст повреждён). Ничего не изменено.",
    "The clipboard holds no kivprism rules (or the text is damaged). Nothing was changed."};
inline constexpr TextPair kPasteDoesNotFit{
    "Правил в буфере: %u, после правила %u столько не помещается. Ничего не изменено.",
    "The clipboard holds %u rules; that many do not fit from rule %u on. Nothing was changed."};
inline constexpr TextPair kNoFreeEntries{
    "Свободных правил меньше, чем нужно (%u). Ничего не изменено.",
    "There are fewer free rules than needed (%u). Nothing was changed."};
inline constexpr TextPair kCopied{"Скопировано правил: %u", "Rules copied: %u"};

}  // namespace kivprism::lang::rules
