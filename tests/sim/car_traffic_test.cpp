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
  // Every record the controller hands out within ms, read every stepMs, in the order it hands
  // them out.
  std::vector<CanRecord> recordsOver(std::uint32_t ms, std::uint32_t stepMs = 10) {
    std::vector<CanRecord> records;
    for (std::uint32_t t = 0; t < ms; t += stepMs) {
      clock.advance(stepMs);
      for (;;) {
        const device::Report answer = read(area::kCanLog, 0);
        const auto data = device::packetData(answer);
        if (data.empty()) {
          break;
        }
        for (std::size_t i = 0; i + CanRecord::kSize <= data.size(); i += CanRecord::kSize) {
          records.push_back(CanRecord::decode(data.subspan(i).first<CanRecord::kSize>()));
        }
      }
    }
    return records;
  }
  std::set<std::uint32_t> identifiersAfter(std::uint32_t ms) {
    std::set<std::uint32_t> ids;
    for (const CanRecord& r : recordsOver(ms)) {
      ids.insert(r.identifierWord);
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

TEST_F(DemoTraffic, OneTimeLineAndOneSourcePerIdentifierWithTheRecorderTrafficToo) {
  controller.startDemo();
  write(area::kCanLog, 0, Bytes{1});
  // Read as often as the program's poll does while records wait.
  const std::vector<CanRecord> records = recordsOver(3000, 1);
  ASSERT_GT(records.size(), 2000u);
  std::size_t backwards = 0;
  std::map<std::uint32_t, std::vector<const CanRecord*>> byId;
  for (std::size_t i = 0; i < records.size(); ++i) {
    byId[records[i].identifierWord].push_back(&records[i]);
    if (i > 0 && records[i].timeStamp < records[i - 1].timeStamp) {
      ++backwards;
    }
  }
  EXPECT_EQ(backwards, 0u) << "of " << records.size() << " records";
  // The recorder's own traffic comes on identifiers of its own, beside the car's.
  const CarCanTraffic car(0);
  for (const std::uint32_t own : controller.canLog().identifiers()) {
    for (const auto& source : car.sources()) {
      EXPECT_NE(own, source.identifierWord);
    }
  }
  EXPECT_GT(byId.size(), car.sources().size());
  for (const auto& [id, seen] : byId) {
    for (const CanRecord* r : seen) {
      ASSERT_EQ(r->length, seen.front()->length) << std::hex << "identifier " << id;
    }
  }
  // The periods the page shows are those of the car's sources.
  for (const auto& source : car.sources()) {
    const auto& seen = byId[source.identifierWord];
    ASSERT_FALSE(seen.empty()) << std::hex << source.identifierWord;
    for (std::size_t i = 1; i < seen.size(); ++i) {
      ASSERT_EQ(seen[i]->timeStamp - seen[i - 1]->timeStamp, source.periodMs)
          << std::hex << "identifier " << source.identifierWord;
    }
  }
}

TEST(CanLogRecorder, MergesFramesHandedInWithItsOwnTrafficByTimeStamp) {
  CanLogEngine recorder(3);
  recorder.setRate(100);  // one record every 10 ms, stamped 0, 10, 20, ...
  recorder.setMode(1, 0);
  recorder.update(5);
  CanRecord early;
  early.identifierWord = 0x1;
  early.timeStamp = 5;
  CanRecord late = early;
  late.timeStamp = 25;
  const std::vector<CanRecord> frames{early, late};
  recorder.update(25, frames);
  std::vector<std::uint32_t> stamps;
  for (const CanRecord& r : takeAll(recorder)) {
    stamps.push_back(r.timeStamp);
  }
  EXPECT_EQ(stamps, (std::vector<std::uint32_t>{0, 5, 10, 20, 25}));
  // Stopped, the recorder takes nothing.
  recorder.setMode(0, 30);
  recorder.update(40, frames);
  EXPECT_FALSE(recorder.hasRecords());
}

}  // namespace
}  // namespace kivprism::sim::test
