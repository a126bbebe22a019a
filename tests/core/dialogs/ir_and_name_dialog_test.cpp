#include <gtest/gtest.h>

#include <array>

#include "core/dialogs/entry_name_dialog.hpp"
#include "core/dialogs/ir_code_dialog.hpp"
#include "core/events/entry.hpp"
#include "core/lang/dialog_rows.hpp"

namespace kivprism::dialogs {
namespace {

using events::IrCode;
using events::IrContext;

std::vector<std::uint8_t> offeredCodes(IrContext context) {
  std::vector<std::uint8_t> codes;
  for (auto name : irCodeForm({}, context).protocols) {
    codes.push_back(events::irProtocolByName(name).value());
  }
  return codes;
}

TEST(IrCodeDialog, EachContextOffersItsProtocolsInCodeOrder) {
  EXPECT_EQ(offeredCodes(IrContext::Event),
            (std::vector<std::uint8_t>{0, 1, 2, 3, 5, 6, 7, 10, 11, 12, 13, 14}));
  EXPECT_EQ(offeredCodes(IrContext::Reaction),
            (std::vector<std::uint8_t>{0, 1, 2, 3, 5, 6, 7, 9, 10, 12, 13, 14, 15}));
}

TEST(IrCodeDialog, OpensOnTheRecordsProtocolAndNumbers) {
  const auto form = irCodeForm({10, 255, 65535}, IrContext::Event);
  EXPECT_EQ(form.protocols[static_cast<std::size_t>(form.selected)], "IR_SAMSUNG");
  EXPECT_EQ(form.address, "65535");
  EXPECT_EQ(form.command, "255");
  const auto last = irCodeForm({15, 0, 0}, IrContext::Reaction);
  EXPECT_EQ(last.selected, 12);
  EXPECT_EQ(irCodeForm({1, 0, 0}, IrContext::Reaction).selected, 1);
}

TEST(IrCodeDialog, AnEventCodeInAProtocolNotOfferedKeepsItAtOk) {
  const IrCode user{9, 17, 1234};
  auto form = irCodeForm(user, IrContext::Event);
  ASSERT_EQ(form.protocols.size(), 13u);
  EXPECT_EQ(form.protocols[static_cast<std::size_t>(form.selected)], "USER");
  EXPECT_EQ(form.protocols[7], "USER");  // in code order, between IR_SONY_20BITS and IR_SAMSUNG
  EXPECT_EQ(confirmIrCode(form, user), user);
  form.command = "18";
  EXPECT_EQ(confirmIrCode(form, user), (IrCode{9, 18, 1234}));
  // Another record of the same dialog gets the usual list back.
  EXPECT_EQ(irCodeForm({1, 0, 0}, IrContext::Event).protocols.size(), 12u);
}

TEST(IrCodeDialog, AProtocolThatIsNoCodeInTheContextSelectsNone) {
  EXPECT_EQ(irCodeForm({4, 0, 0}, IrContext::Event).selected, 0);
  EXPECT_EQ(irCodeForm({4, 0, 0}, IrContext::Event).protocols.size(), 12u);
  EXPECT_EQ(irCodeForm({11, 0, 0}, IrContext::Reaction).selected, 0);
  EXPECT_EQ(irCodeForm({16, 0, 0}, IrContext::Reaction).selected, 0);
  EXPECT_EQ(irCodeForm({255, 0, 0}, IrContext::Event).selected, 0);
}

TEST(IrCodeDialog, OkStoresSelectedProtocol) {
  auto form = irCodeForm({}, IrContext::Event);
  form.selected = 7;
  EXPECT_EQ(confirmIrCode(form, {}).protocol, 10);  // IR_SAMSUNG
  form.selected = 8;
  EXPECT_EQ(confirmIrCode(form, {}).protocol, 11);  // CAN AUTO
  form.selected = 11;
  EXPECT_EQ(confirmIrCode(form, {}).protocol, 14);
  form.selected = -1;
  EXPECT_EQ(confirmIrCode(form, {5, 0, 0}).protocol, 0);
  form.selected = 12;
  EXPECT_EQ(confirmIrCode(form, {5, 0, 0}).protocol, 0);
}

TEST(IrCodeDialog, OkTakesEachNumberOnlyWhenDecimalAndInRange) {
  const IrCode old{1, 10, 1000};
  auto form = irCodeForm(old, IrContext::Event);
  form.address = "70000";
  form.command = "255";
  EXPECT_EQ(confirmIrCode(form, old), (IrCode{1, 255, 1000}));
  form.address = "65535";
  form.command = "256";
  EXPECT_EQ(confirmIrCode(form, old), (IrCode{1, 10, 65535}));
  form.address = "0";
  form.command = "0";
  EXPECT_EQ(confirmIrCode(form, old), (IrCode{1, 0, 0}));
  for (const char* bad : {"", "1 2", "-1", "+5", "99999999999999999999", "12a", "x10000"}) {
    form.address = bad;
    form.command = bad;
    EXPECT_EQ(confirmIrCode(form, old), old) << bad;
  }
}

TEST(IrCodeDialog, OkTakesWhatTheTypingCheckTakes) {
  const IrCode old{1, 10, 1000};
  auto form = irCodeForm(old, IrContext::Event);
  form.address = "xFFFF";
  form.command = "x7f";
  EXPECT_EQ(confirmIrCode(form, old), (IrCode{1, 0x7F, 0xFFFF}));
  form.command = "x100";
  EXPECT_EQ(confirmIrCode(form, old).command, 10);
  EXPECT_EQ(enteredValue("007", 255), 7u);
  EXPECT_EQ(enteredValue("x", 255), 0u);
  EXPECT_FALSE(enteredValue("256", 255));
  EXPECT_FALSE(enteredValue("", 255));
}

TEST(IrCodeDialog, TypingChecksReportWithoutStoring) {
  EXPECT_FALSE(checkIrAddressText("65535"));
  EXPECT_FALSE(checkIrAddressText("xFFFF"));
  EXPECT_FALSE(checkIrCommandText("0"));
  const auto range = checkIrCommandText("256");
  ASSERT_TRUE(range);
  EXPECT_EQ(range->en, "The value must be in the range from 0 to 255");
  EXPECT_EQ(range->kind, view::NoticeKind::Error);
  ASSERT_TRUE(checkIrAddressText("65536"));
  EXPECT_EQ(checkIrAddressText("65536")->ru,
            "Значение должно находиться в интервале от 0 до 65535");
  const auto empty = checkIrAddressText("");
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->en, "Enter a value in the specified position");
  EXPECT_TRUE(checkIrCommandText("12a"));
}

TEST(EntryNameDialog, CaptionCarriesTheEntryNumber) {
  lang::setCurrentLanguage(lang::Language::English);
  EXPECT_EQ(entryNameCaption(7), "Set name for 7 tab");
  lang::setCurrentLanguage(lang::Language::Russian);
  EXPECT_EQ(entryNameCaption(100), "Задайте имя для 100 вкладки");
}

TEST(EntryNameDialog, KeepsSixteenCharactersCountingCyrillicAsOne) {
  EXPECT_EQ(entryNameFromText(""), "");
  EXPECT_EQ(entryNameFromText("AB"), "AB");
  EXPECT_EQ(entryNameFromText("0123456789ABCDEF"), "0123456789ABCDEF");
  EXPECT_EQ(entryNameFromText("0123456789ABCDEFG"), "0123456789ABCDEF");
  EXPECT_EQ(entryNameFromText("Громкость+Громко"), "Громкость+Громко");
  EXPECT_EQ(entryNameFromText("ГромкостьГромкость"), "ГромкостьГромкос");
}

TEST(EntryNameDialog, StoredNameIsZeroPadded) {
  std::array<std::uint8_t, 144> entry{};
  events::setEntryName(entry, "LongerName");
  events::setEntryName(entry, entryNameFromText("AB"));
  EXPECT_EQ(entry[0], 'A');
  EXPECT_EQ(entry[1], 'B');
  for (std::size_t i = 2; i < 16; ++i) {
    EXPECT_EQ(entry[i], 0) << i;
  }
  events::setEntryName(entry, entryNameFromText("ИмяИзШестнадцати!"));
  EXPECT_EQ(events::entryName(entry), "ИмяИзШестнадцати");
  EXPECT_NE(entry[15], 0);  // a full name has no terminator
  events::setEntryName(entry, entryNameFromText(""));
  EXPECT_TRUE(std::all_of(entry.begin(), entry.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST(DialogRows, IrCodeSubTableHasTheThreeLabelPanels) {
  const auto rows = lang::irCodeFormRows();
  ASSERT_EQ(rows.size(), 3u);
  const auto* type = lang::findLanguageRow("FormIRCode_PanelIRCodeType_Caption", rows);
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(type->text.en, "Encoding");
  EXPECT_EQ(lang::findLanguageRow("FormIRCode_PanelIRCodeAddress_Caption", rows)->text.ru, "Адрес");
  EXPECT_EQ(lang::findLanguageRow("FormIRCode_PanelIRCodeCommand_Caption", rows)->text.en,
            "Command");
}

}  // namespace
}  // namespace kivprism::dialogs
