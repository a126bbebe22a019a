// The lists of the reaction pages whose positions and codes the controller reads: the amplifier
// actions with their neutral positions, the CarDSP parameters, the steering-wheel CAN commands by
// type and the LIN command table behind the LIN modes' command lists.
#include <gtest/gtest.h>

#include <set>

#include "core/editor/reaction_lists.hpp"
#include "core/editor/reaction_rules.hpp"
#include "core/params/availability.hpp"

namespace kivprism::editor {
namespace {

using lang::Language;

TEST(ReactionLists, AmplifierActionsByParameter) {
  const auto vol = lists::amplifierActions(0, Language::Russian);
  ASSERT_EQ(vol.size(), 68u);
  EXPECT_EQ(vol[0], "Установить 0");
  EXPECT_EQ(vol[63], "Установить 63");
  EXPECT_EQ(vol[64], "Увеличить на 1");
  EXPECT_EQ(vol[65], "Увеличить на 5");
  EXPECT_EQ(vol[66], "Уменьшить на 1");
  EXPECT_EQ(vol[67], "Уменьшить на 5");

  const auto bal = lists::amplifierActions(1, Language::English);
  ASSERT_EQ(bal.size(), 17u);
  EXPECT_EQ(bal[0], "Set LEFT7");
  EXPECT_EQ(bal[6], "Set LEFT1");
  EXPECT_EQ(bal[7], "Set 0");
  EXPECT_EQ(bal[8], "Set RIGHT1");
  EXPECT_EQ(bal[14], "Set RIGHT7");
  EXPECT_EQ(bal[15], "Increase on 1");
  EXPECT_EQ(bal[16], "Decrease on 1");

  const auto fad = lists::amplifierActions(2, Language::Russian);
  ASSERT_EQ(fad.size(), 17u);
  EXPECT_EQ(fad[0], "Установить FRONT7");
  EXPECT_EQ(fad[14], "Установить REAR7");

  for (unsigned tone : {3u, 4u, 5u}) {
    const auto t = lists::amplifierActions(tone, Language::English);
    ASSERT_EQ(t.size(), 13u) << tone;
    EXPECT_EQ(t[0], "Set -5");
    EXPECT_EQ(t[5], "Set 0");
    EXPECT_EQ(t[10], "Set 5");
    EXPECT_EQ(t[12], "Decrease on 1");
  }
  const auto asl = lists::amplifierActions(6, Language::English);
  EXPECT_EQ(asl, (std::vector<std::string>{"Off", "On", "Toggle"}));
  EXPECT_TRUE(lists::amplifierActions(7, Language::English).empty());
}

TEST(ReactionLists, AmplifierNeutralPositionsAndCountsAgreeWithTheRepairRule) {
  const unsigned neutral[] = {31, 7, 7, 5, 5, 5, 0};
  for (unsigned p = 0; p < events::kAmplifierParameterCount; ++p) {
    EXPECT_EQ(lists::amplifierNeutral(p), neutral[p]) << p;
    EXPECT_EQ(lists::amplifierActions(p, Language::Russian).size(), events::amplifierActionCount(p))
        << p;
  }
  EXPECT_EQ(lists::amplifierNeutral(7), 0);
  // The neutral item of each tone list is "set 0".
  EXPECT_EQ(lists::amplifierActions(1, Language::Russian)[7], "Установить 0");
  EXPECT_EQ(lists::amplifierActions(3, Language::Russian)[5], "Установить 0");
}

TEST(ReactionLists, CarDspParametersByMode) {
  const auto first = [](unsigned mode, bool shortened) {
    return lists::carDspParameters(mode, shortened);
  };
  EXPECT_EQ(first(1, false).size(), 7u);
  EXPECT_EQ(first(1, false).front(), "1");
  for (unsigned mode : {2u, 3u, 5u, 6u}) {
    EXPECT_EQ(first(mode, false).size(), 32u);
    EXPECT_EQ(first(mode, false).back(), "32");
    EXPECT_TRUE(lists::carDspHasRepeat(mode));
  }
  EXPECT_EQ(first(4, false).front(), "0");
  EXPECT_EQ(first(4, false).back(), "20");
  EXPECT_EQ(first(7, true).back(), "85");
  EXPECT_EQ(first(7, false).back(), "114");
  EXPECT_EQ(first(7, false).size(), 115u);
  EXPECT_EQ(first(12, false), (std::vector<std::string>{"1", "2", "3"}));
  for (unsigned mode : {0u, 8u, 9u, 10u, 11u, 13u, 14u, 15u}) {
    EXPECT_TRUE(first(mode, false).empty()) << mode;
  }
  for (unsigned mode : {0u, 1u, 4u, 7u, 8u, 12u}) {
    EXPECT_FALSE(lists::carDspHasRepeat(mode)) << mode;
  }
}

TEST(ReactionLists, SteeringWheelCommandsByType) {
  const auto codes = [](unsigned type) {
    const auto s = lists::swCanCommands(type);
    return std::vector<unsigned>(s.begin(), s.end());
  };
  EXPECT_EQ(codes(0), (std::vector<unsigned>{0}));
  EXPECT_EQ(codes(1), (std::vector<unsigned>{1,  2,  3,  4,  9,  10, 11, 12, 13, 14, 15, 52,
                                             53, 16, 54, 17, 18, 40, 41, 42, 43, 44, 45}));
  EXPECT_EQ(codes(1), codes(8));
  EXPECT_EQ(codes(2), (std::vector<unsigned>{3, 4, 10, 11, 1, 2, 9, 13, 38, 39}));
  EXPECT_EQ(codes(3), (std::vector<unsigned>{3, 4, 1, 2, 17, 16, 12, 9}));
  EXPECT_EQ(codes(4), (std::vector<unsigned>{1, 2, 19, 20, 3, 4, 21, 22, 8}));
  EXPECT_EQ(codes(5), (std::vector<unsigned>{14, 15, 16}));
  EXPECT_EQ(codes(6), codes(5));
  EXPECT_EQ(codes(7).size(), 15u);
  EXPECT_EQ(codes(7).front(), 23u);
  EXPECT_EQ(codes(7).back(), 37u);
  EXPECT_EQ(codes(9), (std::vector<unsigned>{46, 47, 48, 49, 50, 51}));
  EXPECT_EQ(codes(10), (std::vector<unsigned>{42, 43, 1, 2, 17, 13, 11, 10}));
  EXPECT_EQ(codes(11), (std::vector<unsigned>{42, 43}));
  EXPECT_EQ(codes(12), (std::vector<unsigned>{44, 45}));
  EXPECT_TRUE(codes(13).empty());
  EXPECT_TRUE(codes(14).empty());
}

TEST(ReactionLists, SteeringWheelCommandNames) {
  EXPECT_EQ(lists::swCanCommandName(0)->en, "Custom code");
  EXPECT_EQ(lists::swCanCommandName(21)->en, "EXIT");
  EXPECT_EQ(lists::swCanCommandName(5)->ru, "Круиз RES");
  EXPECT_EQ(lists::swCanCommandName(52)->en, "ArrowLEFT");
  EXPECT_EQ(lists::swCanCommandName(54)->en, "BACK");
  EXPECT_EQ(lists::swCanCommandName(55), nullptr);
  // Every code a type offers has a name; the cruise codes belong to no type.
  std::set<unsigned> used;
  for (unsigned type = 0; type < 14; ++type) {
    for (unsigned code : lists::swCanCommands(type)) {
      EXPECT_NE(lists::swCanCommandName(code), nullptr) << code;
      used.insert(code);
    }
  }
  EXPECT_FALSE(used.count(5) || used.count(6) || used.count(7));
}

TEST(ReactionLists, LinTableHoldsEveryCommandOfEveryMode) {
  const auto table = lists::linCommandTable();
  ASSERT_EQ(table.size(), 53u);
  EXPECT_EQ(table[0], "Backlight OFF");
  EXPECT_EQ(table[52], "KEY HEAT");
  EXPECT_EQ(lists::linCommandCode("KEY OK"), 29);
  EXPECT_EQ(lists::linCommandCode("Heat SW 40°C"), 7);
  EXPECT_EQ(lists::linCommandCode("no such command"), 0);
  for (unsigned lin1 = 0; lin1 <= 10; ++lin1) {
    for (unsigned lin2 = 0; lin2 <= 16; ++lin2) {
      for (std::string_view name : params::linReactionCommands(lin1, lin2)) {
        EXPECT_NE(std::find(table.begin(), table.end(), name), table.end()) << name;
      }
    }
  }
}

TEST(ReactionLists, LinModesOfferTheirCommandsInOrder) {
  const auto codes = [](unsigned lin1, unsigned lin2) {
    std::vector<unsigned> out;
    for (std::string_view name : params::linReactionCommands(lin1, lin2)) {
      out.push_back(lists::linCommandCode(name));
    }
    return out;
  };
  EXPECT_EQ(codes(2, 0), (std::vector<unsigned>{11, 12, 13, 8, 9, 10, 14, 15, 16, 17, 23}));
  EXPECT_EQ(codes(6, 0), (std::vector<unsigned>{12, 11, 8, 9, 10, 24, 15, 14, 33, 32, 37, 34, 36}));
  EXPECT_EQ(codes(9, 0), (std::vector<unsigned>{22, 14, 25, 26, 39, 40, 11, 12, 31, 41, 42}));
  EXPECT_EQ(codes(0, 3), (std::vector<unsigned>{0, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(codes(0, 6), (std::vector<unsigned>{0, 1}));
  // LIN2's commands come first.
  EXPECT_EQ(codes(10, 8), (std::vector<unsigned>{0, 1, 11, 12, 21, 20, 30, 29, 25, 26, 27, 28, 33,
                                                 36, 34, 32, 37}));
  EXPECT_TRUE(codes(7, 14).empty());
}

TEST(ReactionLists, FixedListSizes) {
  EXPECT_EQ(lists::iebusCommands().size(), 42u);
  EXPECT_EQ(lists::iDriveCommands().size(), 15u);
  EXPECT_EQ(lists::ibusCommands().size(), 62u);
  EXPECT_EQ(lists::ibusCommands().back().en, "MFSW R/T");
  EXPECT_EQ(lists::audiMmiModes().size(), 18u);
  EXPECT_EQ(lists::carDspModes().size(), 15u);
  EXPECT_EQ(lists::mercedesCtrlCommands().size(), 15u);
  EXPECT_EQ(lists::hwrCommands().size(), 4u);
  EXPECT_EQ(lists::renaultJoyCommands().size(), 3u);
  EXPECT_EQ(lists::swCanTypes().size(), 14u);
  EXPECT_EQ(lists::cursorDirections().size(), 14u);
  EXPECT_EQ(lists::mouseActions().size(), 9u);
  EXPECT_EQ(lists::reactionPins().size(), 20u);
  EXPECT_EQ(lists::irOutputs().size(), 16u);
  EXPECT_EQ(lists::encoderConnections().size(), 8u);
  EXPECT_EQ(lists::analogActions().size(), 8u);
  EXPECT_EQ(lists::sourceChoices().size(), 11u);
  EXPECT_EQ(lists::ganetModes().size(), 24u);
  const auto targets = lists::eventTargets();
  ASSERT_EQ(targets.size(), 101u);
  EXPECT_EQ(targets[0].en, "Power On");
  EXPECT_EQ(targets[1].ru, "1");
  EXPECT_EQ(targets[1].en, "1");
  EXPECT_EQ(targets[100].ru, "100");
}

}  // namespace
}  // namespace kivprism::editor
