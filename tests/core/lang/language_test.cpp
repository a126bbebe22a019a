#include "core/lang/language.hpp"

#include <gtest/gtest.h>

#include "core/forms/main_form_rows.hpp"
#include "core/lang/dialog_rows.hpp"
#include "core/lang/language_table.hpp"

namespace kivprism::lang {
namespace {

TEST(Language, SystemDefaultIsRussianOnlyForRussianAndUkrainian) {
  EXPECT_EQ(systemDefaultLanguage("ru"), Language::Russian);
  EXPECT_EQ(systemDefaultLanguage("ru-RU"), Language::Russian);
  EXPECT_EQ(systemDefaultLanguage("uk_UA"), Language::Russian);
  EXPECT_EQ(systemDefaultLanguage("de-DE"), Language::English);
  EXPECT_EQ(systemDefaultLanguage("en"), Language::English);
  EXPECT_EQ(systemDefaultLanguage("rus"), Language::English);
  EXPECT_EQ(systemDefaultLanguage(""), Language::English);
}

TEST(Language, StoredIndexWinsAndMinusOneAppliesNothing) {
  EXPECT_EQ(startLanguage(std::nullopt, Language::Russian), Language::Russian);
  EXPECT_EQ(startLanguage(std::nullopt, Language::English), Language::English);
  EXPECT_EQ(startLanguage(1, Language::Russian), Language::English);
  EXPECT_EQ(startLanguage(0, Language::English), Language::Russian);
  EXPECT_EQ(startLanguage(7, Language::English), Language::Russian);
  EXPECT_EQ(startLanguage(-1, Language::English), std::nullopt);
}

TEST(Language, TranslateTextFallsBackToRussianWithoutTwin) {
  const Language saved = currentLanguage();
  setCurrentLanguage(Language::English);
  EXPECT_EQ(translateText({"Терминал", "Terminal"}), "Terminal");
  EXPECT_EQ(translateText({"Только русский", ""}), "Только русский");
  setCurrentLanguage(Language::Russian);
  EXPECT_EQ(translateText({"Терминал", "Terminal"}), "Терминал");
  setCurrentLanguage(saved);
}

TEST(LanguageTable, LookupIsExactAndSkipsProgramFilledControls) {
  const LanguageRow rows[] = {
      {"MainForm_PanelCurrentSRCx_Caption", {"Выбран", "Selected"}},
      {"MainForm_TabSheetMonitoring_Caption", {"Терминал", "Terminal"}},
      {"MainForm_TabSheetMonitoring_Caption", {"second", "second"}},
  };
  EXPECT_EQ(findLanguageRow("MainForm_PanelCurrentSRCx_Caption", rows), nullptr);
  const LanguageRow* row = findLanguageRow("MainForm_TabSheetMonitoring_Caption", rows);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->text.en, "Terminal");
  EXPECT_EQ(findLanguageRow("mainform_TabSheetMonitoring_Caption", rows), nullptr);
  EXPECT_TRUE(isProgramFilledKey("MainForm_SpeedButtonLangx_Hint"));
  EXPECT_FALSE(isProgramFilledKey("MainForm_SpeedButtonReset_Hint"));
}

TEST(LanguageTable, MainFormRowsHaveBothTextsAndObeyTheXRule) {
  for (const LanguageRow& row : forms::mainFormRows()) {
    SCOPED_TRACE(row.key);
    EXPECT_TRUE(row.key.starts_with("MainForm_"));
    EXPECT_FALSE(isProgramFilledKey(row.key));
    EXPECT_FALSE(row.text.ru.empty());
    EXPECT_FALSE(row.text.en.empty());
    EXPECT_EQ(findLanguageRow(row.key, forms::mainFormRows()), &row);
  }
  EXPECT_EQ(
      findLanguageRow("MainForm_SpeedButtonUpdateDevice_Hint", forms::mainFormRows())->text.en,
      "Firmware update");
}

TEST(LanguageTable, MainFormDesignTextsAreTheRussianColumn) {
  const LanguageRow expected[] = {
      {"MainForm_SpeedButtonUpdateDevice_Hint", {"Обновление ПО устройства", "Firmware update"}},
      {"MainForm_SpeedButtonReadConfig_Hint", {"Открыть файл конфигурации устройства", ""}},
      {"MainForm_SpeedButtonWriteConfig_Hint", {"Сохранить файл конфигурации устройства", ""}},
      {"MainForm_SpeedButtonReadDevice_Hint", {"Прочитать конфигурацию из устройства", ""}},
      {"MainForm_SpeedButtonWriteDevice_Hint", {"Записать конфигурацию в устройство", ""}},
      {"MainForm_SpeedButtonToDefault_Hint",
       {"Сбросить конфигурацию устройства в состояние по умолчанию", ""}},
      {"MainForm_SpeedButtonReset_Hint", {"Сброс устройства", ""}},
      {"MainForm_PanelMenu_Hint",
       {"Выберите параметры в меню, после нажатия правой кнопки мыши",
        "Select Options from the menu after clicking the right mouse button"}},
      {"MainForm_TabSheetMonitoring_Caption", {"Терминал", "Terminal"}},
      {"MainForm_TabSheetParameters_Caption", {"Параметры", ""}},
      {"MainForm_MenuItemDebug_Caption", {"Отладка", ""}},
      {"MainForm_MenuItemLog_Caption", {"Лог обмена", ""}},
      {"MainForm_MenuItemOnlyUsed_Caption",
       {"Отображать только используемые события и реакции", ""}},
      {"MainForm_MenuItemWriteNow_Caption", {"Применить параметры сразу", ""}},
  };
  for (const LanguageRow& want : expected) {
    SCOPED_TRACE(want.key);
    const LanguageRow* row = findLanguageRow(want.key, forms::mainFormRows());
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->text.ru, want.text.ru);
    if (!want.text.en.empty()) {
      EXPECT_EQ(row->text.en, want.text.en);
    }
  }
}

// Rows whose texts the pages naming the controls quote in both languages (or in Russian only).
TEST(LanguageTable, RowsCarryTheTextsThePagesQuote) {
  const LanguageRow expected[] = {
      {"MainForm_MenuItemOnlyUsed_Caption",
       {"Отображать только используемые события и реакции",
        "Display only used events and reactions"}},
      {"MainForm_SpeedButtonTouchSetup_Hint",
       {"Настройка ориентации тачпанели и координат углов изображения", ""}},
      {"MainForm_ComboBoxCarDspType_Caption",
       {"Расширенный\r\nУкороченный\r\n", "Extended\r\nShortened\r\n"}},
      {"MainForm_CheckBoxTouchDXY_Caption", {"Отступ 10% при настройке", ""}},
      {"MainForm_TabSheetCANLOG_Caption", {"CAN лог", "CAN log"}},
      {"MainForm_CANLOG_SAVE_TAB_Caption",
       {"Пуск и сохранить в файл с табуляцией", "Start and save to file with a TAB"}},
      {"MainForm_CheckBox_GPS_COURSE_Caption", {"Рассчет курса", "Course calculation"}},
  };
  for (const LanguageRow& want : expected) {
    SCOPED_TRACE(want.key);
    const LanguageRow* row = findLanguageRow(want.key, forms::mainFormRows());
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->text.ru, want.text.ru);
    if (!want.text.en.empty()) {
      EXPECT_EQ(row->text.en, want.text.en);
    }
  }
}

// A list row's items are positions: both languages must have the same number, each closed by CR LF,
// or a switch would shift what the stored position shows.
TEST(LanguageTable, ListRowsHaveTheSameItemsInBothLanguages) {
  const auto items = [](std::string_view list) {
    std::size_t count = 0;
    for (std::size_t at = list.find("\r\n"); at != std::string_view::npos;
         at = list.find("\r\n", at + 2)) {
      ++count;
    }
    return count;
  };
  std::size_t lists = 0;
  for (const LanguageRow& row : forms::mainFormRows()) {
    if (!row.key.starts_with("MainForm_ComboBox")) {
      continue;
    }
    SCOPED_TRACE(row.key);
    if (row.key.ends_with("_Caption")) {
      ++lists;
      EXPECT_TRUE(row.text.ru.ends_with("\r\n"));
      EXPECT_TRUE(row.text.en.ends_with("\r\n"));
      EXPECT_GT(items(row.text.ru), 0U);
      EXPECT_EQ(items(row.text.ru), items(row.text.en));
    }
  }
  EXPECT_GE(lists, 59U);
  const LanguageRow* pulse =
      findLanguageRow("MainForm_ComboBoxPULSENUM_Caption", forms::mainFormRows());
  ASSERT_NE(pulse, nullptr);
  EXPECT_TRUE(pulse->text.ru.starts_with("Отключен\r\nX2/2\r\n"));
  EXPECT_TRUE(pulse->text.en.starts_with("Disabled\r\nX2/2\r\n"));
  EXPECT_TRUE(pulse->text.en.ends_with("IO5\r\nIO6\r\n"));
}

TEST(LanguageTable, DialogSubTablesAreCompleteAndKeyedByTheirForms) {
  const struct {
    std::string_view form;
    std::span<const LanguageRow> rows;
    std::size_t count;
  } tables[] = {{kKeyboardFormName, keyboardDialogRows(), 5},
                {kIrCodeFormName, irCodeFormRows(), 3}};
  for (const auto& table : tables) {
    EXPECT_EQ(table.rows.size(), table.count);
    for (const LanguageRow& row : table.rows) {
      SCOPED_TRACE(row.key);
      EXPECT_TRUE(row.key.starts_with(std::string(table.form) + "_"));
      EXPECT_FALSE(row.text.ru.empty());
      EXPECT_FALSE(row.text.en.empty());
      EXPECT_NE(row.text.ru, row.text.en);
      EXPECT_EQ(findLanguageRow(row.key, table.rows), &row);
    }
  }
}

}  // namespace
}  // namespace kivprism::lang
