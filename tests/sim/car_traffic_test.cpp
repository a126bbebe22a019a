// The demo controller's car traffic on the CAN log.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/config/image_layout.hpp"
#include "sim/car_can_traffic.hpp"
#include "sim/sim_fixture.hpp"

namespace kivprism::sim::test {
namespace {

namespace area = device::area;
using Bytes = std::vector<std::uint8_t>;

std::vector<CanRecord> takeAll(CanLogEngine& recorder) {
  std::vector<CanRecord> out;
  std::array<std::uint8_t, CanRecord::kSize> one{};
  while (recorder.take(one) == CanRecord::kSize) {
    out.push_back(CanRecord::decode(one));
  }
  return out;
}

TEST(CarCanTraffic, DozensOfIdentifiersAtTheirPeriodsInTimeOrder) {
  CarCanTraffic traffic(5);
  CanLogEngine recorder(1);
  traffic.restart(1000);
  std::vector<CanRecord> records;
  for (std::uint32_t t = 1000; t <= 11000; t += 7) {
    traffic.update(t, recorder);
    const auto taken = takeAll(recorder);
    records.insert(records.end(), taken.begin(), taken.end());
  }
  EXPECT_EQ(recorder.dropped(), 0u);
  std::map<std::uint32_t, std::vector<const CanRecord*>> byId;
  for (std::size_t i = 0; i < records.size(); ++i) {
    byId[records[i].identifierWord].push_back(&records[i]);
    if (i > 0) {
      ASSERT_LE(records[i - 1].timeStamp, records[i].timeStamp);
    }
  }
  EXPECT_GE(byId.size(), 30u);
  std::size_t extended = 0;
  std::size_t changing = 0;
  std::size_t constant = 0;
  for (const auto& source : traffic.sources()) {
    const auto& seen = byId[source.identifierWord];
    // Ten seconds of traffic: about 10000 / period frames, each exactly one period apart.
    EXPECT_NEAR(static_cast<double>(seen.size()), 10000.0 / source.periodMs, 1.0);
    for (std::size_t i = 1; i < seen.size(); ++i) {
      ASSERT_EQ(seen[i]->timeStamp - seen[i - 1]->timeStamp, source.periodMs);
    }
    extended += (source.identifierWord & 0x3FFFF) != 0 ? 1 : 0;
    bool changed = false;
    for (std::size_t i = 1; i < seen.size(); ++i) {
      changed = changed || seen[i]->data != seen[0]->data;
    }
    (changed ? changing : constant) += 1;
  }
  EXPECT_GE(extended, 5u);
  EXPECT_GE(changing, 10u);
  EXPECT_GE(constant, 5u);
}

TEST(CarCanTraffic, ALongPauseGivesNoBurst) {
  CarCanTraffic traffic(5);
  CanLogEngine recorder(1);
  traffic.restart(0);
  traffic.update(60000, recorder);
  // At most one frame per source.
  EXPECT_LE(recorder.pending(), traffic.sources().size());
}

class DemoTraffic : public SimFixture {
 protected:
  std::set<std::uint32_t> identifiersAfter(std::uint32_t ms) {
    std::set<std::uint32_t> ids;
    for (std::uint32_t t = 0; t < ms; t += 10) {
      clock.advance(10);
      for (;;) {
        const Bytes data = dataOf(read(area::kCanLog, 0));
        if (data.empty()) {
          break;
        }
        for (std::size_t i = 0; i < data.size(); i += CanRecord::kSize) {
          ids.insert(CanRecord::decode(std::span(data).subspan(i).first<CanRecord::kSize>())
                         .identifierWord);
        }
      }
    }
    return ids;
  }
};

TEST_F(DemoTraffic, StreamsTheCarTrafficOnlyWithTheBusSetToCan) {
  controller.startDemo();
  controller.canLog().setRate(0);
  write(area::kCanLog, 0, Bytes{1});
  EXPECT_GE(identifiersAfter(1500).size(), 30u);
  write(area::kCanLog, 0, Bytes{0});
  controller.configuration().set(config::layout::kDiffBusMode, 0);
  write(area::kCanLog, 0, Bytes{1});
  EXPECT_TRUE(identifiersAfter(500).empty());
}

}  // namespace
}  // namespace kivprism::sim::test
