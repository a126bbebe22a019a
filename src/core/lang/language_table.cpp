#include "core/lang/language_table.hpp"

#include <array>
#include <vector>

#include "core/lang/can_log_rows.hpp"
#include "core/lang/summary_window_rows.hpp"

namespace kivprism::lang {

namespace {

constexpr std::array kMainFormRows = {
    LanguageRow{"MainForm_SpeedButtonUpdateDevice_Hint",
                {"Обновление ПО устройства", "Firmware update"}},
    LanguageRow{"MainForm_SpeedButtonReadConfig_Hint",
                {"Открыть файл конфигурации устройства", "Open a device configuration file"}},
    LanguageRow{"MainForm_SpeedButtonWriteConfig_Hint",
                {"Сохранить файл конфигурации устройства", "Save a device configuration file"}},
    LanguageRow{"MainForm_SpeedButtonReadDevice_Hint",
                {"Прочитать конфигурацию из устройства", "Read the configuration from the device"}},
    LanguageRow{"MainForm_SpeedButtonWriteDevice_Hint",
                {"Записать конфигурацию в устройство", "Write the configuration to the device"}},
    LanguageRow{"MainForm_SpeedButtonToDefault_Hint",
                {"Сбросить конфигурацию устройства в состояние по умолчанию",
                 "Reset the device configuration to its default state"}},
    LanguageRow{"MainForm_SpeedButtonReset_Hint", {"Сброс устройства", "Reset the device"}},
    LanguageRow{"MainForm_PanelMenu_Hint",
                {"Выберите параметры в меню, после нажатия правой кнопки мыши",
                 "Select Options from the menu after clicking the right mouse button"}},
    LanguageRow{"MainForm_TabSheetMonitoring_Caption", {"Терминал", "Terminal"}},
    LanguageRow{"MainForm_TabSheetParameters_Caption", {"Параметры", "Parameters"}},
    LanguageRow{"MainForm_MenuItemDebug_Caption", {"Отладка", "Debug"}},
    LanguageRow{"MainForm_MenuItemLog_Caption", {"Лог обмена", "Exchange log"}},
    LanguageRow{"MainForm_MenuItemOnlyUsed_Caption",
                {"Отображать только используемые события и реакции",
                 "Display only used events and reactions"}},
    LanguageRow{"MainForm_MenuItemWriteNow_Caption",
                {"Применить параметры сразу", "Apply the parameters at once"}},
    LanguageRow{"MainForm_MenuItemBackups_Caption",
                {"Папка резервных копий конфигурации", "Folder of the configuration backups"}},
};

}  // namespace

std::span<const LanguageRow> mainWindowRows() { return kMainFormRows; }

std::span<std::span<const LanguageRow> (*const)()> mainFormParts() {
  static constexpr std::array<std::span<const LanguageRow> (*)(), 6> kParts = {
      mainWindowRows, parametersPageRows, canLogRows,
      eventPaneRows,  reactionPaneRows,   summaryWindowRows,
  };
  return kParts;
}

std::span<const LanguageRow> mainFormTextRows() {
  static const std::vector<LanguageRow> rows = [] {
    std::vector<LanguageRow> all;
    for (const auto part : mainFormParts()) {
      const auto r = part();
      all.insert(all.end(), r.begin(), r.end());
    }
    return all;
  }();
  return rows;
}

}  // namespace kivprism::lang
