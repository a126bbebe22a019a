// Comparing two configurations: nothing for equal images, a parameter by its key and caption with
// both values in words, a rule by the summary fields that differ, and bytes no name covers as
// bytes.
#include "core/summary/config_diff.hpp"

#include <gtest/gtest.h>

#include "core/params/lists.hpp"
#include "core/summary/rule_summary.hpp"
#include "sim/factory_defaults.hpp"
#include "summary_fixture.hpp"

namespace kivprism::summary {
namespace {

using lang::Language;
using testing::at;
namespace layout = config::layout;

TEST(ConfigDiffTest, EqualImagesHaveNoDifferences) {
  const config::ConfigImage image = sim::factoryConfiguration();
  EXPECT_TRUE(compareImages(image, image, Language::English).empty());
  EXPECT_TRUE(
      compareImages(config::ConfigImage{}, config::ConfigImage{}, Language::Russian).empty());
}

TEST(ConfigDiffTest, AParameterByItsKeyCaptionAndValuesInWords) {
  const config::ConfigImage before = sim::factoryConfiguration();
  config::ConfigImage after = before;
  after.set(layout::kCanParamBaud500k, 2);
  const auto differences = compareImages(before, after, Language::English);
  ASSERT_EQ(differences.size(), 1u);
  const Difference& d = differences[0];
  EXPECT_EQ(d.kind, DifferenceKind::Parameter);
  EXPECT_EQ(d.key, "CANPARAM_BAUD500K");
  EXPECT_EQ(d.label, "Bus speed");
  EXPECT_EQ(d.control, "ComboBoxCANSPEEDx");  // where the window's comparison leads
  EXPECT_EQ(d.offset, layout::kCanParamBaud500k.offset);
  EXPECT_EQ(d.line(), "CANPARAM_BAUD500K (Bus speed): Not set -> " +
                          std::string(params::lists::canSpeed()[2].en));
  const auto russian = compareImages(before, after, Language::Russian);
  ASSERT_EQ(russian.size(), 1u);
  EXPECT_EQ(russian[0].line(), "CANPARAM_BAUD500K (Скорость шины): Не задана -> " +
                                   std::string(params::lists::canSpeed()[2].ru));
}

std::string lineOf(const std::vector<Difference>& differences, std::string_view key) {
  for (const Difference& d : differences) {
    if (d.key == key) {
      EXPECT_EQ(d.kind, DifferenceKind::Parameter) << key;
      return d.line();
    }
  }
  return "<no difference " + std::string(key) + ">";
}

TEST(ConfigDiffTest, EveryKindOfControlInWords) {
  config::ConfigImage before;
  config::ConfigImage after;
  after.set(layout::kCanParamAcked, 1);
  after.set(layout::kKeyReassignTo, 350);
  after.set(layout::kPidSupport, (1u << 1) | (1u << 2));
  after.set(layout::kEnc0Div, 4);
  const auto en = compareImages(before, after, Language::English);
  EXPECT_EQ(en.size(), 4u);
  EXPECT_EQ(lineOf(en, "CANPARAM_ACKED"), "CANPARAM_ACKED (Acknowledge frames): off -> on");
  EXPECT_EQ(lineOf(en, "PID_SUPPORT"),
            "PID_SUPPORT (USB functions): none -> Keyboard 101 Keys, Keyboard Multimedia");
  EXPECT_NE(lineOf(en, "KEY_REASSIGN_TO").find(": 0 -> 350"), std::string::npos)
      << lineOf(en, "KEY_REASSIGN_TO");
  EXPECT_NE(lineOf(en, "ENC0DIV").find(" -> "), std::string::npos) << lineOf(en, "ENC0DIV");
  const auto ru = compareImages(before, after, Language::Russian);
  EXPECT_EQ(lineOf(ru, "CANPARAM_ACKED"), "CANPARAM_ACKED (Подтверждать пакеты): выкл -> вкл");
  EXPECT_EQ(lineOf(ru, "PID_SUPPORT"),
            "PID_SUPPORT (Функции USB): нет -> Keyboard 101 Keys, Keyboard Multimedia");
  // The first item, and bits the list has no item for, by their numbers.
  config::ConfigImage more = after;
  more.set(layout::kPidSupport, 1u | (1u << 7) | (1u << 15));
  EXPECT_EQ(lineOf(compareImages(after, more, Language::English), "PID_SUPPORT"),
            "PID_SUPPORT (USB functions): Keyboard 101 Keys, Keyboard Multimedia -> " +
                std::string(params::lists::usbFunctions()[0].en) + ", bit 7, bit 15");
  EXPECT_EQ(lineOf(compareImages(more, after, Language::Russian), "PID_SUPPORT"),
            "PID_SUPPORT (Функции USB): " + std::string(params::lists::usbFunctions()[0].ru) +
                ", бит 7, бит 15 -> Keyboard 101 Keys, Keyboard Multimedia");
}

// A control whose caption the page places in a panel of another name gets its key alone; a list
// position beyond the list is shown as its number.
TEST(ConfigDiffTest, ParametersWithoutACaptionAndUnknownPositions) {
  config::ConfigImage before;
  config::ConfigImage after;
  after.set(layout::kEnc0Mode, 1);
  after.set(layout::kCanParamBaud500k, 200);
  const auto differences = compareImages(before, after, Language::English);
  ASSERT_EQ(differences.size(), 2u);
  EXPECT_EQ(lineOf(differences, "ENC0MODE").rfind("ENC0MODE: ", 0), 0u)
      << lineOf(differences, "ENC0MODE");
  EXPECT_EQ(lineOf(differences, "CANPARAM_BAUD500K"),
            "CANPARAM_BAUD500K (Bus speed): Not set -> 200");
}

// One byte packs three settings: each bit group by its own key, a bit no control names as bytes.
TEST(ConfigDiffTest, BitGroupsOfOneByteByTheirOwnKeys) {
  config::ConfigImage before;
  config::ConfigImage after;
  after.set(layout::kLinFlags, 0x01 | (3u << 1));
  auto differences = compareImages(before, after, Language::English);
  ASSERT_EQ(differences.size(), 2u);
  EXPECT_EQ(differences[0].key, "LINPARAM_SWAP_VOLDN_OK");
  EXPECT_EQ(differences[0].changes.at(0).after, "on");
  EXPECT_EQ(differences[1].key, "LINPARAM_TEMP_RELAY_PIN");
  // A setting the file does not keep goes by its control's name.
  after.set(layout::kLinFlags, 1u << 6);
  differences = compareImages(before, after, Language::English);
  ASSERT_EQ(differences.size(), 1u);
  EXPECT_EQ(differences[0].line(), "ComboBoxLINVERSIONx (LIN version): LIN 1.0 -> LIN 2.0");
  after.set(layout::kLinFlags, 1u << 7);
  differences = compareImages(before, after, Language::English);
  ASSERT_EQ(differences.size(), 1u);
  EXPECT_EQ(differences[0].kind, DifferenceKind::Bytes);
  EXPECT_EQ(differences[0].line(), "Image bytes " + std::to_string(layout::kLinFlags.offset) +
                                       ".." + std::to_string(layout::kLinFlags.offset) +
                                       ": 00 -> 80");
}

TEST(ConfigDiffTest, ARuleByNumberNameAndTheFieldsThatDiffer) {
  const config::ConfigImage before = sim::factoryConfiguration();
  config::ConfigImage after = before;
  events::set(at(after, 2), events::entry::kPressKind, 2);
  auto differences = compareImages(before, after, Language::English);
  ASSERT_EQ(differences.size(), 1u);
  EXPECT_EQ(differences[0].kind, DifferenceKind::Rule);
  EXPECT_EQ(differences[0].entry, 2u);
  ASSERT_EQ(differences[0].changes.size(), 1u);
  EXPECT_EQ(differences[0].changes[0].field, "press");
  EXPECT_EQ(differences[0].changes[0].id, RuleField::Press);
  EXPECT_EQ(differences[0].line(),
            "Rule 2 \"Volume down\": press: " + pressWords(before, 2, Language::English) + " -> " +
                pressWords(after, 2, Language::English));

  events::setEntryName(at(after, 2), "Quieter");
  differences = compareImages(before, after, Language::Russian);
  ASSERT_EQ(differences.size(), 1u);
  EXPECT_EQ(differences[0].label, "Правило 2 \"Quieter\"");
  ASSERT_EQ(differences[0].changes.size(), 2u);
  EXPECT_EQ(differences[0].changes[0].field, "имя");
  EXPECT_EQ(differences[0].changes[0].before, "\"Volume down\"");
  EXPECT_EQ(differences[0].changes[0].id, RuleField::Name);
  EXPECT_EQ(differences[0].changes[1].field, "нажатие");
  EXPECT_EQ(differences[0].changes[1].id, RuleField::Press);
}

TEST(ConfigDiffTest, ANewAndARemovedRuleReadAsEmptyOnOneSide) {
  const config::ConfigImage before = sim::factoryConfiguration();
  config::ConfigImage after = before;
  std::fill(at(after, 3).begin(), at(after, 3).end(), std::uint8_t{0});
  const auto differences = compareImages(before, after, Language::English);
  ASSERT_EQ(differences.size(), 1u);
  EXPECT_EQ(differences[0].label, "Rule 3 \"IR mute\"");
  for (const FieldChange& c : differences[0].changes) {
    if (c.field != "name") {
      EXPECT_EQ(c.after, "(empty)") << c.field;
    }
  }
  const auto back = compareImages(after, before, Language::English);
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].changes.back().before, "(empty)");
  EXPECT_EQ(back[0].changes.back().after, reactionWords(before, 3, Language::English));
}

TEST(ConfigDiffTest, BytesNoNameCoversAreShownAsBytes) {
  const config::ConfigImage before = sim::factoryConfiguration();
  config::ConfigImage after = before;
  after.data()[layout::kTouchBlock.offset + 2] = 0x7F;
  // A byte an IR reaction carries unchanged: the words stay the same.
  config::ConfigImage ir = before;
  events::set(at(ir, 3), events::entry::kReactionType, 2);
  config::ConfigImage irAfter = ir;
  events::set(at(irAfter, 3), events::reaction::ir_code::kReserved, 9);
  auto differences = compareImages(before, after, Language::English);
  ASSERT_EQ(differences.size(), 1u);
  EXPECT_EQ(differences[0].kind, DifferenceKind::Bytes);
  EXPECT_EQ(differences[0].line(), "Image bytes 2..2: 00 -> 7F");
  // Neighbouring bytes make one run; a byte apart makes its own.
  after.data()[layout::kTouchBlock.offset + 3] = 0x01;
  after.data()[layout::kTouchBlock.offset + 5] = 0x02;
  differences = compareImages(before, after, Language::Russian);
  ASSERT_EQ(differences.size(), 2u);
  EXPECT_EQ(differences[0].line(), "Байты образа 2..3: 00 00 -> 7F 01");
  EXPECT_EQ(differences[1].line(), "Байты образа 5..5: 00 -> 02");
  EXPECT_EQ(differences[1].offset, layout::kTouchBlock.offset + 5);
  // A run ends with its area: the touch block's last byte and the first rule's name apart.
  config::ConfigImage edge = before;
  edge.data()[layout::kTouchBlock.end() - 1] = 0x11;
  events::setEntryName(at(edge, 1), "Louder");
  differences = compareImages(before, edge, Language::English);
  ASSERT_EQ(differences.size(), 2u);
  EXPECT_EQ(differences[0].line(), "Image bytes 8..8: 00 -> 11");
  EXPECT_EQ(differences[1].kind, DifferenceKind::Rule);

  differences = compareImages(ir, irAfter, Language::English);
  ASSERT_EQ(differences.size(), 1u);
  EXPECT_EQ(differences[0].kind, DifferenceKind::Rule);
  ASSERT_EQ(differences[0].changes.size(), 1u);
  EXPECT_EQ(differences[0].changes[0].field, "bytes 85..85");
  EXPECT_EQ(differences[0].changes[0].id, RuleField::Bytes);
  EXPECT_EQ(differences[0].changes[0].before, "00");
  EXPECT_EQ(differences[0].changes[0].after, "09");

  // A pin reaction without a pin hides its mode and time: the first and last differing bytes.
  config::ConfigImage pin = before;
  events::set(at(pin, 5), events::entry::kReactionType, 3);
  config::ConfigImage pinAfter = pin;
  events::set(at(pinAfter, 5), events::reaction::pin::kMode, 1);
  events::set(at(pinAfter, 5), events::reaction::pin::kMinTimeMs, 0x0500);
  differences = compareImages(pin, pinAfter, Language::English);
  ASSERT_EQ(differences.size(), 1u);
  EXPECT_EQ(differences[0].line(), "Rule 5: bytes 82..84: 00 00 00 -> 01 00 05");

  // The entry's very last byte, with the next entry changed too: each rule keeps to its bytes.
  config::ConfigImage tail = pin;
  at(tail, 5)[events::entry::kSize - 1] = 0x33;
  events::setEntryName(at(tail, 6), "Next");
  differences = compareImages(pin, tail, Language::English);
  ASSERT_EQ(differences.size(), 2u);
  EXPECT_EQ(differences[0].line(), "Rule 5: bytes 143..143: 00 -> 33");
  EXPECT_EQ(differences[1].entry, 6u);

  // Behind an empty slot of the keys table a byte is only a byte.
  config::ConfigImage keys = before;
  keys.data()[layout::keyLabel(2, 4).offset] = 'Q';
  differences = compareImages(before, keys, Language::English);
  ASSERT_EQ(differences.size(), 1u);
  EXPECT_EQ(differences[0].kind, DifferenceKind::Bytes);
  EXPECT_EQ(differences[0].offset, layout::keyLabel(2, 4).offset);
}

TEST(ConfigDiffTest, ALearntKeyByItsSectionKeyAndLabel) {
  const config::ConfigImage before = sim::factoryConfiguration();
  config::ConfigImage after = before;
  after.set(layout::keyLevel(0, 1), 1900);
  after.set(layout::keyLevel(3, 14), 700);
  after.set(layout::keyTolerance(3, 14), 50);
  const auto differences = compareImages(before, after, Language::English);
  ASSERT_EQ(differences.size(), 2u);
  EXPECT_EQ(differences[0].line(),
            "KEYSCH1 KEY02: VOL-, level 1840 ± 380 -> VOL-, level 1900 ± 380");
  EXPECT_EQ(differences[1].line(), "KEYSCH4 KEY15: (empty) -> 4.700, level 700 ± 50");
  EXPECT_EQ(differences[1].offset, layout::keyEntry(3, 14).offset);
  const auto russian = compareImages(after, before, Language::Russian);
  ASSERT_EQ(russian.size(), 2u);
  EXPECT_EQ(russian[1].line(), "KEYSCH4 KEY15: 4.700, уровень 700 ± 50 -> (пусто)");
}

}  // namespace
}  // namespace kivprism::summary
