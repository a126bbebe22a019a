// The general form pattern on a small editor-like table: controls bound to fields of the selected
// entry, a rule with hooks, and the view builder's loud failure on a slip in a rule.
#include <gtest/gtest.h>

#include <stdexcept>

#include "core/events/entry.hpp"
#include "core/view/binding.hpp"

namespace kivprism::view {
namespace {

namespace entry = events::entry;
using config::ConfigImage;

constexpr lang::TextPair kPressKinds[] = {{"Кратко", "Short"}, {"Долго", "Long"}, {"Оба", "Both"}};
ItemList pressKinds() { return kPressKinds; }
constexpr lang::TextPair kTwo[] = {{"a", "a"}, {"b", "b"}};
ItemList twoItems() { return kTwo; }

// A threshold stored in tens of millivolts, shown in volts: a rule with store and show hooks.
ChangeOutcome storeTens(ConfigImage& image, const Binding& b, const Change& c,
                        const FormContext& context) {
  const std::uint32_t volts = static_cast<std::uint32_t>(std::stoul(std::string(c.text)));
  if (volts > b.maximum) {
    return {Notice{NoticeKind::Error, "много", "too much"}, After::None, std::nullopt};
  }
  storeField(image, b.field, context.entry, volts * 100);
  return {std::nullopt, b.after, std::nullopt};
}
void showTens(ControlView& v, const Binding& b, const ConfigImage& image,
              const FormContext& context) {
  v.text = std::to_string(readField(image, b.field, context.entry) / 100);
}
constexpr Rule kTens{"Tens", storeTens, showTens};

const Binding kEditorPage[] = {
    {"ComboBoxPressKind", ControlKind::Combo, nullptr, EntryField{entry::kPressKind}, pressKinds},
    {"CheckBoxOnce", ControlKind::Check, nullptr, EntryField{entry::kOnceFlag}},
    {"EditThreshold", ControlKind::Edit, &kTens, EntryField{events::event::voltage::kThreshold},
     nullptr, 0, 20},
    {"SpinSourceMask", ControlKind::Spin, nullptr, EntryField{entry::kSourceMask}, nullptr, 1, 8},
};

TEST(EntryForm, ReadsAndStoresTheSelectedEntryOnly) {
  const BindingTable table(kEditorPage);
  ConfigImage image;
  FormContext seven;
  seven.entry = 7;
  EXPECT_EQ(
      change(image, table, "ComboBoxPressKind", ControlKind::Combo, {.index = 2}, seven).after,
      After::Refresh);
  change(image, table, "CheckBoxOnce", ControlKind::Check, {.checked = true}, seven);
  change(image, table, "EditThreshold", ControlKind::Edit, {.text = "12"}, seven);
  change(image, table, "SpinSourceMask", ControlKind::Spin, {.index = 30}, seven);

  const events::ConstEntryBytes e7 = events::entryAt(std::as_const(image), 7);
  EXPECT_EQ(events::get(e7, entry::kPressKind), 2);
  EXPECT_EQ(events::get(e7, entry::kOnceFlag), 1);
  EXPECT_EQ(events::get(e7, events::event::voltage::kThreshold), 1200);
  EXPECT_EQ(events::get(e7, entry::kSourceMask), 8);  // spins keep to their range
  const events::ConstEntryBytes e6 = events::entryAt(std::as_const(image), 6);
  const events::ConstEntryBytes e8 = events::entryAt(std::as_const(image), 8);
  EXPECT_TRUE(std::all_of(e6.begin(), e6.end(), [](auto b) { return b == 0; }));
  EXPECT_TRUE(std::all_of(e8.begin(), e8.end(), [](auto b) { return b == 0; }));

  FormView view;
  deriveControls(view, table, image, seven);
  EXPECT_EQ(view.find("ComboBoxPressKind")->value, 2);
  EXPECT_EQ(itemTexts(*view.find("ComboBoxPressKind"), lang::Language::English)[2], "Both");
  EXPECT_TRUE(view.find("CheckBoxOnce")->checked);
  EXPECT_EQ(view.find("EditThreshold")->text, "12");
  EXPECT_EQ(view.find("EditThreshold")->hint, "Диапазон: 0 … 20");
  FormView other;
  FormContext eight;
  eight.entry = 8;
  deriveControls(other, table, image, eight);
  EXPECT_EQ(other.find("EditThreshold")->text, "0");
}

TEST(EntryForm, RefusalsAndMismatchedKindsStoreNothing) {
  const BindingTable table(kEditorPage);
  ConfigImage image;
  const ConfigImage before = image;
  const ChangeOutcome refused =
      change(image, table, "EditThreshold", ControlKind::Edit, {.text = "21"}, {});
  ASSERT_TRUE(refused.notice);
  EXPECT_EQ(refused.after, After::None);
  EXPECT_EQ(change(image, table, "CheckBoxOnce", ControlKind::Combo, {.index = 1}, {}).after,
            After::None);
  EXPECT_EQ(change(image, table, "NoSuchControl", ControlKind::Combo, {.index = 1}, {}).after,
            After::None);
  EXPECT_EQ(change(image, table, "ComboBoxPressKind", ControlKind::Combo, {.index = -1}, {}).after,
            After::None);
  EXPECT_EQ(image, before);
}

TEST(FieldRef, BitFieldsAndCheckListsKeepTheOtherBits) {
  ConfigImage image;
  const config::Field byte = config::layout::u8(700);
  const config::BitField middle{byte, 2, 3};
  image.set(byte, 0x83);
  storeField(image, middle, 1, 0x0F);  // only three bits fit
  EXPECT_EQ(image.getU8(byte), 0x83 | (0x07 << 2));
  EXPECT_EQ(readField(image, middle, 1), 7u);
  EXPECT_EQ(imageField(middle), byte);
  EXPECT_EQ(imageField(EntryField{entry::kOnceFlag}).width, 0u);

  const Binding list{"CheckListBoxTwo", ControlKind::CheckList, nullptr, byte, twoItems};
  storePlain(image, list, {.bits = 0xFE}, {});
  EXPECT_EQ(image.getU8(byte), ((0x83 | (0x07 << 2)) & ~0x03) | 0x02);
}

// Plain shows and stores of every kind, without rules.
TEST(PlainBindings, ShowAndStoreEachKind) {
  const config::Field word = config::layout::param(700, 4);
  const config::Field byte = config::layout::u8(704);
  const Binding plain[] = {
      {"EditPlain", ControlKind::Edit, nullptr, byte},
      {"EditRanged", ControlKind::Edit, nullptr, byte, nullptr, 0, 20},
      {"LabelShown", ControlKind::Widget},
      {"CheckBoxPlain", ControlKind::Check, nullptr, byte},
      {"CheckListBoxWide", ControlKind::CheckList, nullptr, word},
  };
  const BindingTable table(plain);
  EXPECT_EQ(table.indexOf("CheckBoxPlain"), 3);
  EXPECT_EQ(table.indexOf("CheckBoxNone"), -1);
  EXPECT_EQ(table.find("CheckBoxNone"), nullptr);

  ConfigImage image;
  image.set(byte, 7);
  FormView view;
  FormContext english;
  english.language = lang::Language::English;
  deriveControls(view, table, image, english);
  deriveControls(view, table, image, english);  // a second derive replaces the first
  ASSERT_EQ(view.controls.size(), 5u);
  EXPECT_EQ(view.table, &table);
  EXPECT_EQ(view.language, lang::Language::English);
  EXPECT_EQ(view.find("EditPlain")->text, "7");
  EXPECT_EQ(view.find("EditPlain")->hint, "");
  EXPECT_EQ(view.find("EditRanged")->hint, "Range: 0 to 20");
  EXPECT_FALSE(view.find("LabelShown")->hasValue);
  EXPECT_TRUE(view.find("CheckBoxPlain")->checked);

  // A view derived again for another form keeps nothing of the first.
  const Binding other[] = {
      {"EditPlain", ControlKind::Edit},
      {"EditRanged", ControlKind::Edit, nullptr, byte},
      {"LabelShown", ControlKind::Widget},
      {"CheckBoxPlain", ControlKind::Check},
      {"CheckListBoxWide", ControlKind::CheckList},
  };
  const BindingTable otherTable(other);
  FormView reused = view;
  deriveControls(reused, otherTable, image, english);
  EXPECT_EQ(reused.find("EditRanged")->hint, "");

  storePlain(image, plain[3], {.checked = false}, {});
  EXPECT_EQ(image.getU8(byte), 0);
  // A check list without an item list keeps all 32 bits.
  storePlain(image, plain[4], {.bits = 0x80000001u}, {});
  EXPECT_EQ(image.get(word), 0x80000001u);
}

TEST(ViewBuilder, AnUnknownNameInARuleFailsLoudly) {
  const BindingTable table(kEditorPage);
  ConfigImage image;
  FormView view;
  deriveControls(view, table, image, {});
  view.tabs.push_back({"TabSheetOne", true, std::nullopt});
  ViewBuilder b(view, image);
  b.enable("CheckBoxOnce", false);
  EXPECT_FALSE(view.find("CheckBoxOnce")->enabled);
  try {
    b.show("CheckBoxTwice", false);
    FAIL() << "no exception";
  } catch (const std::invalid_argument& e) {
    EXPECT_NE(std::string(e.what()).find("CheckBoxTwice"), std::string::npos);
  }
  EXPECT_THROW(b.tab("TabSheetTwo"), std::invalid_argument);
  EXPECT_NO_THROW(b.tab("TabSheetOne"));
}

TEST(Dialogs, TheAnswerIsStoredThroughTheRequestsCoreCall) {
  ConfigImage image;
  DialogRequest request;
  request.value = 3;
  request.store = [](ConfigImage& i, std::uint32_t answer) {
    i.set(config::layout::u8(10), answer);
  };
  answerDialog(image, request, 0x81);
  EXPECT_EQ(image.getU8(config::layout::u8(10)), 0x81);
}

}  // namespace
}  // namespace kivprism::view
