#include "sim/car_can_traffic.hpp"

#include <algorithm>

#include "sim/ticks.hpp"

namespace kivprism::sim {

namespace {

struct Template {
  std::uint32_t identifierWord;
  std::uint8_t length;
  std::uint32_t periodMs;
  CarCanTraffic::Kind kind;
};

using K = CarCanTraffic::Kind;
constexpr std::uint32_t s(std::uint32_t id) { return CanRecord::standardId(id); }

// Engine, gearbox, brakes and wheels fast; body, climate and keys slower; diagnostics rare.
constexpr Template kTemplates[] = {
    {s(0x0C1), 8, 10, K::Counter},        {s(0x0F3), 8, 10, K::Ramp},
    {s(0x120), 6, 20, K::Counter},        {s(0x1A0), 8, 20, K::Ramp},
    {s(0x1D0), 4, 20, K::Constant},       {s(0x208), 8, 50, K::Ramp},
    {s(0x280), 8, 10, K::Ramp},           {s(0x288), 8, 20, K::Occasional},
    {s(0x2A0), 5, 50, K::Counter},        {s(0x320), 8, 100, K::Occasional},
    {s(0x35B), 3, 100, K::Constant},      {s(0x3D0), 8, 100, K::Counter},
    {s(0x3E5), 2, 200, K::Occasional},    {s(0x440), 8, 200, K::Constant},
    {s(0x470), 4, 200, K::Occasional},    {s(0x4A8), 8, 500, K::Constant},
    {s(0x520), 6, 500, K::Ramp},          {s(0x5C1), 1, 100, K::Occasional},
    {s(0x5E0), 8, 1000, K::Constant},     {s(0x621), 7, 1000, K::Occasional},
    {s(0x65F), 8, 1000, K::Constant},     {s(0x6B0), 8, 500, K::Counter},
    {s(0x7DF), 8, 1000, K::Constant},     {s(0x7E8), 0, 1000, K::Constant},
    {0x0CF00400, 8, 10, K::Ramp},         {0x18FEF100, 8, 100, K::Ramp},
    {0x18FEEE00, 8, 1000, K::Occasional}, {0x18FEF200, 8, 100, K::Counter},
    {0x18FF1017, 4, 200, K::Occasional},  {0x10FF8000, 8, 50, K::Constant},
    {0x1CFFAA55, 3, 500, K::Counter},     {0x00000001, 2, 1000, K::Constant},
};

constexpr std::uint32_t kCatchUpMs = 1000;

}  // namespace

CarCanTraffic::CarCanTraffic(std::uint32_t seed) : random_(seed) {
  for (const Template& t : kTemplates) {
    Source source{t.identifierWord, t.length, t.periodMs, t.kind, {}, 0};
    for (std::uint8_t& b : source.data) {
      b = random_.byte();
    }
    sources_.push_back(source);
  }
}

void CarCanTraffic::restart(std::uint32_t now) {
  for (Source& source : sources_) {
    source.nextDue = now + random_.below(source.periodMs) + 1;
  }
}

std::vector<CanRecord> CarCanTraffic::due(std::uint32_t now) {
  std::vector<CanRecord> due;
  for (Source& source : sources_) {
    if (static_cast<std::uint32_t>(now - source.nextDue) > kCatchUpMs &&
        reached(now, source.nextDue)) {
      source.nextDue = now - (now - source.nextDue) % source.periodMs;
    }
    while (reached(now, source.nextDue)) {
      CanRecord r = frame(source);
      r.timeStamp = source.nextDue;
      due.push_back(r);
      source.nextDue += source.periodMs;
    }
  }
  std::stable_sort(due.begin(), due.end(), [](const CanRecord& a, const CanRecord& b) {
    return static_cast<std::int32_t>(a.timeStamp - b.timeStamp) < 0;
  });
  return due;
}

void CarCanTraffic::update(std::uint32_t now, CanLogEngine& recorder) {
  for (const CanRecord& r : due(now)) {
    recorder.queue(r);
  }
}

CanRecord CarCanTraffic::frame(Source& source) {
  const std::size_t length = source.length;
  switch (source.kind) {
    case Kind::Constant:
      break;
    case Kind::Counter:
      if (length > 0) {
        ++source.data[0];
      }
      break;
    case Kind::Ramp:
      // A 16-bit value in bytes 1..2 (rpm, speed) that drifts up and down.
      if (length > 2) {
        const auto value = static_cast<std::uint16_t>(source.data[1] | (source.data[2] << 8));
        const auto next = static_cast<std::uint16_t>(value + random_.below(41) - 20);
        source.data[1] = static_cast<std::uint8_t>(next);
        source.data[2] = static_cast<std::uint8_t>(next >> 8);
      }
      break;
    case Kind::Occasional:
      if (length > 0 && random_.chance(5)) {
        source.data[random_.below(static_cast<std::uint32_t>(length))] = random_.byte();
      }
      break;
  }
  CanRecord r;
  r.identifierWord = source.identifierWord;
  r.length = source.length;
  std::copy_n(source.data.begin(), length, r.data.begin());
  return r;
}

}  // namespace kivprism::sim
