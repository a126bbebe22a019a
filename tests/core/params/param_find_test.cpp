#include "core/params/param_find.hpp"

#include <gtest/gtest.h>

#include <set>

#include "core/config/image.hpp"
#include "core/config/image_layout.hpp"
#include "core/params/bindings.hpp"
#include "core/params/derive.hpp"

namespace kivprism::params {
namespace {

namespace layout = config::layout;
using lang::Language;

// A few controls as the page places them: captions from a label, from the check box itself, from
// a program-filled control's binding, and a control on a differential-bus page.
std::vector<FindPlace> samplePlaces() {
  return {
      {"ComboBoxGPSNUM", "TabSheetGPS", {}, "PanelGPSConnect"},
      {"ComboBoxGPSSPEED", "TabSheetGPS", {}, "PanelGPSSpeed"},
      {"CheckBox_GPS_COURSE", "TabSheetGPS", {}, "Panel_GPS_COURSE"},
      {"ComboBoxDIFFBUSx", "TabSheetInterfaces", {}, "PanelDIFFBUS"},
      {"CheckBox_CAN_W203_WO_HEAD_USEx", "TabSheet_DIFFBUSx", "TabSheet_CAN_CANx", ""},
      {"ComboBoxCANSPEEDx", "TabSheet_DIFFBUSx", "TabSheet_CAN_CANx", "PanelCANSPEED"},
      {"ComboBoxHEADTYPE", "TabSheetHEAD", {}, "PanelHEADTYPEText"},
  };
}

std::vector<std::string_view> controls(const std::vector<FindMatch>& matches) {
  std::vector<std::string_view> out;
  for (const FindMatch& m : matches) {
    out.push_back(m.entry->control);
  }
  return out;
}

using Names = std::vector<std::string_view>;

TEST(ParamCategories, HoldEveryTabOnceAndTheCarControlsExist) {
  std::multiset<std::string_view> listed;
  std::set<std::string_view> names;
  for (const ParamCategory& c : paramCategories()) {
    EXPECT_TRUE(names.insert(c.name).second) << c.name;
    EXPECT_FALSE(c.caption.ru.empty());
    EXPECT_FALSE(c.caption.en.empty());
    EXPECT_FALSE(c.tabs.empty()) << c.name;
    for (std::string_view tab : c.tabs) {
      listed.insert(tab);
      EXPECT_EQ(categoryOfTab(tab), &c) << tab;
    }
  }
  EXPECT_FALSE(names.contains(kCarCategoryName));
  const auto tabs = paramTabNames();
  EXPECT_EQ(listed.size(), tabs.size());
  for (std::string_view tab : tabs) {
    EXPECT_EQ(listed.count(tab), 1u) << tab;
  }
  EXPECT_EQ(categoryOfTab("TabSheetNoSuch"), nullptr);
  EXPECT_EQ(categoryOfTab("TabSheet_DIFFBUSx")->name, "buses");
  EXPECT_EQ(categoryOfTab("TabSheetPINS")->name, "pins");
  std::set<std::string_view> car;
  for (std::string_view control : carControls()) {
    EXPECT_TRUE(car.insert(control).second) << control;
    EXPECT_NE(findBinding(control), nullptr) << control;
  }
  EXPECT_TRUE(car.contains("ComboBoxDIFFBUSx"));
  EXPECT_TRUE(car.contains("CheckBox_CAN_W203_WO_HEAD_USEx"));
}

TEST(FoldForFind, LowersBothAlphabetsAndKeepsTheRest) {
  EXPECT_EQ(foldForFind("GPS Порт"), "gps порт");
  EXPECT_EQ(foldForFind("АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"), "абвгдежзийклмнопрстуфхцчшщъыьэюя");
  EXPECT_EQ(foldForFind("ЁЛКА ёлка"), "елка елка");
  EXPECT_EQ(foldForFind("ЄІЇЎ"), "єіїў");
  EXPECT_EQ(foldForFind("ЀЏПРЯ"), "ѐџпря");  // the edges of the capital rows
  EXPECT_EQ(foldForFind("абв xyz 0-9 X4/5 °C"), "абв xyz 0-9 x4/5 °c");
  // Letters past the two alphabets and malformed bytes pass unchanged.
  EXPECT_EQ(foldForFind("Ωω"), "Ωω");
  EXPECT_EQ(foldForFind(std::string_view("A\xD0", 2)), std::string_view("a\xD0", 2));
  EXPECT_EQ(foldForFind(std::string_view("\xFF"
                                         "B\x80",
                                         3)),
            std::string_view("\xFF"
                             "b\x80",
                             3));
  EXPECT_EQ(foldForFind(std::string_view("\xE2\x82", 2)), std::string_view("\xE2\x82", 2));
  EXPECT_EQ(foldForFind(std::string_view("\xD0Z", 2)), std::string_view("\xD0z", 2));
  EXPECT_EQ(foldForFind("€Я"), "€я");
}

TEST(FindEntries, TakeCaptionsAndHintsFromTheirOwnersInBothLanguages) {
  const auto places = samplePlaces();
  const std::vector<FindEntry> entries = findEntries(places);
  ASSERT_EQ(entries.size(), places.size());
  const FindEntry& gps = entries[0];
  EXPECT_EQ(gps.control, "ComboBoxGPSNUM");
  EXPECT_EQ(gps.tab, "TabSheetGPS");
  EXPECT_EQ(gps.caption(Language::Russian), "Подключение");
  EXPECT_EQ(gps.caption(Language::English), "Connection");
  EXPECT_EQ(gps.hint(Language::Russian), "Выводы, к которым подключен GPS приёмник");
  EXPECT_EQ(gps.hint(Language::English), "Pins the GPS receiver is connected to");
  EXPECT_EQ(entries[2].caption(Language::Russian), "Рассчет курса");
  EXPECT_EQ(entries[2].caption(Language::English), "Course calculation");
  EXPECT_EQ(entries[3].hint(Language::English), "Setting for differential bus X4/5 & X4/6");
  EXPECT_EQ(entries[3].caption(Language::Russian), "Дифф. шина X4/5, X4/6");
  EXPECT_EQ(entries[4].caption(Language::Russian), "W203_WO_HEAD");
  EXPECT_EQ(entries[4].page, "TabSheet_CAN_CANx");
  // A place with nothing to find by is left out; a caption over two lines reads as one.
  const std::vector<FindPlace> bare = {{"ComboBoxGPSNBITSx", "TabSheetGPS", {}, ""}};
  EXPECT_TRUE(findEntries(bare).empty());
  const std::vector<FindPlace> acura = {
      {"ComboBoxGaNetJOYUSETYPE", "TabSheetAcuraJoyParamx", {}, "PanelGaNetJoy"}};
  const auto acuraEntries = findEntries(acura);
  ASSERT_EQ(acuraEntries.size(), 1u);
  EXPECT_EQ(acuraEntries[0].caption(Language::Russian).find('\n'), std::string::npos);
  EXPECT_FALSE(acuraEntries[0].caption(Language::Russian).empty());
}

TEST(FindParameters, MatchesEveryWordInEitherLanguageAndCase) {
  const auto places = samplePlaces();
  const auto entries = findEntries(places);
  EXPECT_EQ(controls(findParameters(entries, "шин", nullptr)),
            (Names{"ComboBoxDIFFBUSx", "ComboBoxCANSPEEDx"}));
  EXPECT_EQ(controls(findParameters(entries, "ПОДКЛЮЧЕН GPS", nullptr)), (Names{"ComboBoxGPSNUM"}));
  EXPECT_EQ(controls(findParameters(entries, "  course  ", nullptr)),
            (Names{"CheckBox_GPS_COURSE"}));
  EXPECT_EQ(controls(findParameters(entries, "COURSE расчет", nullptr)), Names{});
  EXPECT_EQ(controls(findParameters(entries, "COURSE рассчет", nullptr)),
            (Names{"CheckBox_GPS_COURSE"}));
  EXPECT_EQ(controls(findParameters(entries, "приемник", nullptr)),
            (Names{"ComboBoxGPSNUM", "ComboBoxGPSSPEED"}));  // ё typed as е
  EXPECT_EQ(controls(findParameters(entries, "w203", nullptr)),
            (Names{"CheckBox_CAN_W203_WO_HEAD_USEx"}));
  EXPECT_EQ(controls(findParameters(entries, "baud rate", nullptr)), (Names{"ComboBoxGPSSPEED"}));
  EXPECT_EQ(controls(findParameters(entries, "differential X4/5", nullptr)),
            (Names{"ComboBoxDIFFBUSx"}));
  // Words of different texts of one control match together; nothing for an empty query.
  EXPECT_EQ(controls(findParameters(entries, "connection приёмник", nullptr)),
            (Names{"ComboBoxGPSNUM"}));
  EXPECT_EQ(controls(findParameters(entries, "w", nullptr)),
            (Names{"CheckBox_CAN_W203_WO_HEAD_USEx"}));  // one letter is a word too
  EXPECT_TRUE(findParameters(entries, "", nullptr).empty());
  EXPECT_TRUE(findParameters(entries, "   ", nullptr).empty());
  EXPECT_TRUE(findParameters(entries, "нет такого", nullptr).empty());
  for (const FindMatch& m : findParameters(entries, "o", nullptr)) {
    EXPECT_TRUE(m.shown);
  }
}

TEST(FindParameters, MarksWhatTheConfigurationHidesAndListsItLast) {
  const auto places = samplePlaces();
  const auto entries = findEntries(places);
  config::ConfigImage image;
  // Bus mode 0: the differential-bus tab is hidden, and with it the W203 switch and CAN speed.
  PageView view = derivePage(image, Language::Russian);
  auto matches = findParameters(entries, "w203", &view);
  ASSERT_EQ(matches.size(), 1u);
  EXPECT_FALSE(matches[0].shown);
  matches = findParameters(entries, "скорость", &view);
  ASSERT_EQ(controls(matches), (Names{"ComboBoxGPSSPEED", "ComboBoxCANSPEEDx"}));
  EXPECT_TRUE(matches[0].shown);
  EXPECT_FALSE(matches[1].shown);
  // Bus mode 2 shows the CAN page; the iDrive page of the same tab stays hidden.
  image.set(layout::kDiffBusMode, 2);
  view = derivePage(image, Language::Russian);
  EXPECT_TRUE(findParameters(entries, "w203", &view)[0].shown);
  image.set(layout::kDiffBusMode, 3);
  view = derivePage(image, Language::Russian);
  EXPECT_FALSE(findParameters(entries, "w203", &view)[0].shown);
  // A control on a tab the settings hide: iBus BMW without the LIN1 mode that shows it.
  const std::vector<FindPlace> ibusPlace = {
      {"ComboBoxIBUSNUM", "TabSheetIBUSx", {}, "PanelIBUSNUM"}};
  const auto ibus = findEntries(ibusPlace);
  ASSERT_EQ(ibus.size(), 1u);
  EXPECT_FALSE(entryShown(ibus[0], view));
  // A control the view hides on a shown tab, and its tab shown again.
  FindEntry entry = entries[0];
  EXPECT_TRUE(entryShown(entry, view));
  for (ControlView& c : view.controls) {
    if (c.name == "ComboBoxGPSNUM") {
      c.visible = false;
    }
  }
  EXPECT_FALSE(entryShown(entry, view));
  // The hidden ones come after the shown ones, each group in page order.
  image.set(layout::kDiffBusMode, 0);
  view = derivePage(image, Language::Russian);
  matches = findParameters(entries, "с", &view);
  std::size_t firstHidden = matches.size();
  for (std::size_t i = 0; i < matches.size(); ++i) {
    if (!matches[i].shown) {
      firstHidden = std::min(firstHidden, i);
    } else {
      EXPECT_LT(i, firstHidden) << matches[i].entry->control;
    }
  }
  EXPECT_LT(firstHidden, matches.size());
  EXPECT_GT(firstHidden, 0u);
  EXPECT_LT(matches[0].entry, matches[firstHidden - 1].entry);
}

TEST(BusModeOfPage, NamesTheModeThatShowsThePage) {
  EXPECT_EQ(busModeOfPage("TabSheet_CAN_CANx")->ru, "Шина CAN");
  EXPECT_EQ(busModeOfPage("TabSheet_CAN_IDRIVEx")->en, "iDrive CAN Bus");
  EXPECT_EQ(busModeOfPage("TabSheet_AINETx")->en, "AiNet Bus");
  EXPECT_EQ(busModeOfPage("TabSheet_CAN_NOx"), std::nullopt);  // its tab is never shown
  EXPECT_EQ(busModeOfPage(""), std::nullopt);
  EXPECT_EQ(busModeOfPage("TabSheetGPS"), std::nullopt);
}

TEST(ControlForKey, TakesAControlNameOrTheFileKeyOfItsField) {
  EXPECT_EQ(controlForKey("ComboBoxGPSNUM"), std::optional<std::string_view>("ComboBoxGPSNUM"));
  EXPECT_EQ(controlForKey("GPS_NUM"), std::optional<std::string_view>("ComboBoxGPSNUM"));
  EXPECT_EQ(controlForKey("W203_CAN_WO_HEAD_USE"),
            std::optional<std::string_view>("CheckBox_CAN_W203_WO_HEAD_USEx"));
  EXPECT_EQ(controlForKey("LINPARAM_SWAP_VOLDN_OK"),
            std::optional<std::string_view>("CheckBoxLINSWAP_VOLDN_OK"));
  EXPECT_EQ(controlForKey("LINPARAM_TEMP_RELAY_PIN"),
            std::optional<std::string_view>("ComboBoxLIN_TEMP_RELAY_PINx"));
  EXPECT_EQ(controlForKey("NO_SUCH_KEY"), std::nullopt);
  EXPECT_EQ(controlForKey(""), std::nullopt);
}

}  // namespace
}  // namespace kivprism::params
