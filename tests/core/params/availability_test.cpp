#include "core/params/availability.hpp"

#include <gtest/gtest.h>

#include <set>

#include "core/events/entry.hpp"

namespace kivprism::params {
namespace {

namespace layout = config::layout;
using config::ConfigImage;
using E = events::EventType;
using R = events::ReactionType;

struct MarkedPages {
  std::set<E> events;
  std::set<R> reactions;
  friend bool operator==(const MarkedPages&, const MarkedPages&) = default;
};

MarkedPages marked(const AvailabilityMarks& m) {
  MarkedPages out;
  for (std::size_t i = 0; i < m.event.size(); ++i) {
    if (m.event[i]) {
      out.events.insert(static_cast<E>(i));
    }
  }
  for (std::size_t i = 0; i < m.reaction.size(); ++i) {
    if (m.reaction[i]) {
      out.reactions.insert(static_cast<R>(i));
    }
  }
  return out;
}

// With nothing switched on, every page that needs a bus, a module or a USB function is marked.
const MarkedPages kMarkedByDefault{
    {E::Iebus, E::Gestures, E::IDrive, E::GaNet, E::MercedesJoy, E::AcuraJoy, E::Lin, E::Bluetooth,
     E::Uart, E::AudiMmi, E::RenaultCanJoy, E::SwCan, E::MercedesCtrl, E::PanelHonda},
    {R::UsbKey, R::UsbTouch, R::Iebus, R::IDrive, R::AcuraJoy, R::Uart, R::Lin, R::AudiMmi,
     R::CarDsp, R::Panacea, R::ResEmul, R::RenaultCanJoy, R::SwCan, R::GaNet, R::MercedesCtrl}};

TEST(Availability, AnEmptyConfigurationMarksEveryPageThatNeedsSomething) {
  EXPECT_EQ(marked(computeAvailability(ConfigImage{})), kMarkedByDefault);
}

// One setting at a time: the pages it makes available, and no other page changes.
struct Opens {
  config::Field field;
  unsigned value;
  std::set<E> events;
  std::set<R> reactions;
};

TEST(Availability, EachSettingOpensExactlyItsOwnPages) {
  const Opens cases[] = {
      {layout::kDiffBusMode, 1, {}, {}},  // the speed probe has no pages
      {layout::kDiffBusMode, 2, {E::SwCan}, {R::SwCan}},
      {layout::kDiffBusMode, 3, {E::IDrive}, {R::IDrive}},
      {layout::kDiffBusMode, 4, {E::RenaultCanJoy}, {R::RenaultCanJoy}},
      {layout::kDiffBusMode, 5, {E::MercedesJoy}, {}},  // the joystick only sends
      {layout::kDiffBusMode, 6, {E::MercedesCtrl}, {R::MercedesCtrl}},
      {layout::kDiffBusMode, 7, {E::Iebus}, {R::Iebus}},
      {layout::kDiffBusMode, 8, {E::GaNet}, {R::GaNet}},
      {layout::kDiffBusMode, 9, {}, {}},
      {layout::kDiffBusMode, 10, {}, {}},
      {layout::kLin1Mode, 7, {E::Lin}, {}},
      {layout::kLin1Mode, 3, {}, {R::Lin}},
      {layout::kLin2Mode, 3, {E::Lin}, {R::Lin}},
      {layout::kTouchGestures, 1, {E::Gestures}, {}},
      {layout::kBtNum, 2, {E::Bluetooth}, {}},
      {layout::kUartNum, 2, {E::Uart}, {R::Uart}},
      {layout::kCarDspNum, 1, {}, {R::CarDsp}},
      {layout::kHondaPanel, 1, {E::PanelHonda}, {}},
      {layout::kGanetAcuraJoyUseType, 3, {E::AcuraJoy}, {R::AcuraJoy}},
      {layout::kAudiMmiUseType, 1, {E::AudiMmi}, {R::AudiMmi}},
      {layout::kPidSupport, 0x02, {}, {R::UsbKey}},  // keyboard
      {layout::kPidSupport, 0x04, {}, {R::UsbKey}},  // consumer keys
      {layout::kPidSupport, 0x08, {}, {R::UsbKey}},  // system control
      {layout::kPidSupport, 0x20, {}, {R::UsbTouch}},
      {layout::kPidSupport, 0x40, {}, {R::UsbTouch}},
      {layout::kPidSupport, 0x91, {}, {}},  // CDC, mouse and an unknown bit
      {layout::kResEmulNum, 1, {}, {}},     // the emulator and PANACEA pages never open
  };
  for (const Opens& c : cases) {
    ConfigImage image;
    image.set(c.field, c.value);
    MarkedPages expected = kMarkedByDefault;
    for (E e : c.events) {
      expected.events.erase(e);
    }
    for (R r : c.reactions) {
      expected.reactions.erase(r);
    }
    EXPECT_EQ(marked(computeAvailability(image)), expected)
        << "offset " << c.field.offset << " = " << c.value;
  }
}

TEST(PageVisibility, OnlyUsedShowsUsedTypesAndMarkedPagesAreAlwaysHidden) {
  namespace entry = events::entry;
  auto setTypes = [](events::EntryBytes e, unsigned event, unsigned reaction) {
    events::set(e, entry::kEventType, static_cast<std::uint8_t>(event));
    events::set(e, entry::kReactionType, static_cast<std::uint8_t>(reaction));
  };
  ConfigImage image;
  for (std::size_t i = 0; i < layout::kEntryCount; ++i) {
    setTypes(image.entry(i), static_cast<unsigned>(E::Voltage), static_cast<unsigned>(R::IrCode));
  }
  events::set(image.entry(0), entry::kEventType, static_cast<std::uint8_t>(E::Uart));
  events::set(image.entry(99), entry::kReactionType, static_cast<std::uint8_t>(R::Pwm));
  setTypes(image.entry(8), events::kEventTypeCount, 200);  // unknown types show nothing
  // The parameter block right after the last entry is no entry.
  setTypes(image.span(layout::kParamBlock).first<layout::kEntrySize>(),
           static_cast<unsigned>(E::Key), static_cast<unsigned>(R::Hwr));
  const std::set<E> usedEvents{E::Voltage, E::Uart};
  const std::set<R> usedReactions{R::IrCode, R::Pwm};

  AvailabilityMarks first;
  for (E e : {E::None, E::Uart, E::Key}) {
    first.event[static_cast<std::size_t>(e)] = true;
  }
  first.reaction[static_cast<std::size_t>(R::Pwm)] = true;
  AvailabilityMarks second;
  second.event[static_cast<std::size_t>(E::Voltage)] = true;
  second.reaction[static_cast<std::size_t>(R::None)] = true;
  second.reaction[static_cast<std::size_t>(R::IrCode)] = true;

  for (const AvailabilityMarks& marks : {first, second}) {
    for (bool onlyUsed : {false, true}) {
      const PageVisibility v = visiblePages(image, marks, onlyUsed);
      for (std::size_t i = 0; i < v.event.size(); ++i) {
        const bool used = usedEvents.contains(static_cast<E>(i));
        EXPECT_EQ(v.event[i], (used || !onlyUsed) && !marks.event[i]) << onlyUsed << " event " << i;
      }
      for (std::size_t i = 0; i < v.reaction.size(); ++i) {
        const bool used = usedReactions.contains(static_cast<R>(i));
        EXPECT_EQ(v.reaction[i], (used || !onlyUsed) && !marks.reaction[i])
            << onlyUsed << " reaction " << i;
      }
    }
  }
  EXPECT_EQ(onlyUsedHint(true).en, "Display all events and reactions");
  EXPECT_EQ(onlyUsedHint(false).ru, "Отображать только используемые события и реакции");
}

TEST(LinCommands, Lin2DeviceFirstThenLin1AndSingleCommandsContributeNothing) {
  // The LIN2 part by mode: the VW panel's eight commands, the two backlight commands, or none.
  const std::size_t lin2Counts[] = {0, 0, 0, 8, 8, 8, 2, 0, 2, 2, 2, 2, 2, 2, 0, 2, 2, 0};
  for (unsigned mode = 0; mode < std::size(lin2Counts); ++mode) {
    EXPECT_EQ(linReactionCommands(0, mode).size(), lin2Counts[mode]) << "LIN2 " << mode;
  }
  const std::size_t lin1Counts[] = {0, 0, 11, 30, 15, 23, 13, 0, 14, 11, 15, 0};
  for (unsigned mode = 0; mode < std::size(lin1Counts); ++mode) {
    EXPECT_EQ(linReactionCommands(mode, 0).size(), lin1Counts[mode]) << "LIN1 " << mode;
  }
  const auto both = linReactionCommands(6, 6);
  ASSERT_EQ(both.size(), 2u + 13u);
  EXPECT_EQ(both[1], "Backlight ON");
  EXPECT_EQ(both[2], "KEY VOL DN");  // BMW F10 starts with volume down
  EXPECT_EQ(both.back(), "KEY PLUS");
  EXPECT_EQ(linReactionCommands(4, 3)[8], "KEY VOL UP");
  EXPECT_EQ(linReactionCommands(10, 0).back(), "KEY SET");
}

TEST(KeysAndKeyboard, KeyboardGroupsFollowTheirUsbBitsAndEncoderCaptionsTheirEncoder) {
  struct Row {
    unsigned usb;
    bool page07, page0C, system;
  };
  for (const Row& r :
       {Row{0x02, true, false, false}, Row{0x04, false, true, false}, Row{0x08, false, false, true},
        Row{0x71, false, false, false}, Row{0x0E, true, true, true}}) {
    ConfigImage image;
    image.set(layout::kPidSupport, r.usb);
    const KeyboardGroups g = keyboardGroups(image);
    EXPECT_EQ(g.page07, r.page07) << r.usb;
    EXPECT_EQ(g.page0C, r.page0C) << r.usb;
    EXPECT_EQ(g.systemControl, r.system) << r.usb;
  }

  ConfigImage image;
  using Captions = std::array<std::string_view, 4>;
  EXPECT_EQ(encoderKeyCaptions(image), (Captions{"", "", "", ""}));
  image.set(layout::kEnc0Mode, 3);
  EXPECT_EQ(encoderKeyCaptions(image), (Captions{"Enc1+", "Enc1-", "", ""}));
  image.set(layout::kEnc0Mode, 0);
  image.set(layout::kEnc1Mode, 1);
  EXPECT_EQ(encoderKeyCaptions(image), (Captions{"", "", "Enc2+", "Enc2-"}));
}

TEST(CanLog, ShownOnlyForThePlainCanBus) {
  for (unsigned mode = 0; mode <= 10; ++mode) {
    ConfigImage image;
    image.set(layout::kDiffBusMode, mode);
    EXPECT_EQ(canLogVisible(image), mode == 2) << mode;
  }
}

}  // namespace
}  // namespace kivprism::params
