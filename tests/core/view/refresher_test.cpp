// The refresh skip every form shares: unchanged part of the image, forced refresh, the hash taken
// after the derive's repair, and no refresh from inside a refresh.
#include "core/view/refresher.hpp"

#include <gtest/gtest.h>

namespace kivprism::view {
namespace {

struct Form {
  std::uint32_t state = 1;
  int derived = 0;
  Refresher refresher;

  std::optional<int> refresh() {
    return refresher.refresh([this] { return state; }, [this] { return ++derived; });
  }
};

TEST(Refresher, SkipsAnUnchangedImageUntilForced) {
  Form f;
  EXPECT_EQ(f.refresh(), 1);
  EXPECT_EQ(f.refresh(), std::nullopt);
  f.state = 2;
  EXPECT_EQ(f.refresh(), 2);
  f.refresher.force();
  EXPECT_EQ(f.refresh(), 3);
  EXPECT_EQ(f.refresher.refreshCount(), 3u);
  // A fresh refresher that starts forced redraws even an image whose hash is 0.
  Refresher forced(config::kForceRefreshHash);
  EXPECT_EQ(forced.refresh([] { return 0u; }, [] { return 7; }), 7);
  Refresher plain;
  EXPECT_EQ(plain.refresh([] { return 0u; }, [] { return 7; }), std::nullopt);
}

TEST(Refresher, TheHashIsTakenAfterTheDerivesRepair) {
  Refresher r;
  std::uint32_t state = 5;
  EXPECT_TRUE(r.refresh([&] { return state; }, [&] { return state = 6; }).has_value());
  EXPECT_FALSE(r.refresh([&] { return state; }, [&] { return state; }).has_value())
      << "the repaired image is what was shown";
}

TEST(Refresher, NoRefreshWhileTheWidgetsAreSetUnlessTheGuardsHolderAsks) {
  Form f;
  {
    Refresher::Guard outer(f.refresher);
    EXPECT_TRUE(f.refresher.running());
    { Refresher::Guard inner(f.refresher); }
    EXPECT_TRUE(f.refresher.running()) << "only the outermost guard ends the refresh";
    EXPECT_EQ(f.refresh(), std::nullopt);
    EXPECT_EQ(f.derived, 0);
    EXPECT_EQ(f.refresher.deriveIfChanged([&f] { return f.state; }, [&f] { return ++f.derived; }),
              1);
  }
  EXPECT_FALSE(f.refresher.running());
  EXPECT_EQ(f.refresh(), std::nullopt) << "already shown";
}

}  // namespace
}  // namespace kivprism::view
