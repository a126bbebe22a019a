// Dragging a learnt key from the keys grid onto the key panels of a key event: what is accepted,
// what is refused, and that a refused drop stores nothing.
#include <gtest/gtest.h>

#include "core/editor/event_handlers.hpp"
#include "editor_fixture.hpp"

namespace kivprism::editor {
namespace {

using config::ConfigImage;
using testing::entryHex;
using testing::entryOf;
using testing::place;

constexpr int kEncoder = 4;

TEST(KeyDrop, OnlyAKeyEventTakesADrop) {
  ConfigImage image;
  place(image, 3, entryHex({{16, "07"}}));
  EXPECT_FALSE(keyDropAccepted(image, 3, 0, false));
  EXPECT_FALSE(keyDropAccepted(image, 3, 0, true));
  EXPECT_FALSE(dropGridKey(image, 3, 0, 1, false));
  EXPECT_EQ(entryOf(image, 3), entryHex({{16, "07"}}));
  place(image, 3, entryHex({{16, "01"}}));
  EXPECT_TRUE(keyDropAccepted(image, 3, 0, false));
  EXPECT_TRUE(keyDropAccepted(image, 3, 0, true));
}

TEST(KeyDrop, KeyAndModifierMustComeFromDifferentChannels) {
  ConfigImage image;
  // Key 5 of channel 2 (column 1) is set: no modifier from column 1, any other column is fine.
  place(image, 1, entryHex({{16, "01"}, {18, "05 01"}}));
  EXPECT_FALSE(keyDropAccepted(image, 1, 1, true));
  EXPECT_TRUE(keyDropAccepted(image, 1, 2, true));
  EXPECT_TRUE(keyDropAccepted(image, 1, 1, false));  // replacing the key itself
  // Modifier 3 of channel 1 (column 0) is set: no key from column 0.
  place(image, 2, entryHex({{16, "01"}, {20, "03 00"}}));
  EXPECT_FALSE(keyDropAccepted(image, 2, 0, false));
  EXPECT_TRUE(keyDropAccepted(image, 2, 3, false));
  EXPECT_TRUE(keyDropAccepted(image, 2, 0, true));
  EXPECT_FALSE(dropGridKey(image, 2, 0, 9, false));
  EXPECT_EQ(entryOf(image, 2), entryHex({{16, "01"}, {20, "03 00"}}));
}

TEST(KeyDrop, EncoderKeysAreKeysButNeverModifiers) {
  ConfigImage image;
  place(image, 1, entryHex({{16, "01"}}));
  EXPECT_FALSE(keyDropAccepted(image, 1, kEncoder, true));
  EXPECT_TRUE(keyDropAccepted(image, 1, kEncoder, false));
  EXPECT_TRUE(dropGridKey(image, 1, kEncoder, 2, false));
  EXPECT_EQ(entryOf(image, 1), entryHex({{16, "01"}, {18, "02 04"}}));
}

TEST(KeyDrop, StoresNumberThenChannelAndRefusesCellsOutsideTheGrid) {
  ConfigImage image;
  place(image, 100, entryHex({{16, "01"}}));
  EXPECT_TRUE(dropGridKey(image, 100, 3, 15, true));
  EXPECT_TRUE(dropGridKey(image, 100, 0, 1, false));
  EXPECT_EQ(entryOf(image, 100), entryHex({{16, "01"}, {18, "01 00 0F 03"}}));
  const auto before = entryOf(image, 100);
  EXPECT_FALSE(dropGridKey(image, 100, 1, 0, false));   // the header row
  EXPECT_FALSE(dropGridKey(image, 100, 1, 16, false));  // below the last key
  EXPECT_FALSE(dropGridKey(image, 100, 5, 1, false));   // beyond the encoder column
  EXPECT_FALSE(dropGridKey(image, 100, -1, 1, false));
  EXPECT_EQ(entryOf(image, 100), before);
}

}  // namespace
}  // namespace kivprism::editor
