// IR code learning and touch-point capture against the simulated controller, on the test's clock:
// the device link polls inside every wait, as the window's timer would.
#include "core/editor/capture.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/device/device_link.hpp"
#include "core/events/entry.hpp"
#include "core/events/entry_types.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "support/fake_link_host.hpp"
#include "support/sim_link_rig.hpp"

namespace kivprism::editor {
namespace {

namespace area = device::area;
namespace layout = config::layout;
namespace entry = events::entry;
namespace reaction = events::reaction;
using Bytes = std::vector<std::uint8_t>;
using Language = lang::Language;

constexpr std::uint8_t kWrite = 0x80;
constexpr std::size_t kEntry = 7;

struct Flash {
  std::uint32_t durationMs;
  std::uint32_t blinkMs;
  std::string text;
  friend bool operator==(const Flash&, const Flash&) = default;
};

// The window as the captures see it: its shell services and the editor pane.
class CaptureWindow : public shell::ShellServices, public CaptureHost {
 public:
  explicit CaptureWindow(testing::FakeLinkHost& linkHost) : linkHost_(linkHost) {}

  std::function<void()> pollTick;
  std::function<void()> onWait;
  bool shutdown = false;

  std::vector<std::string> errors;
  std::vector<std::string> informations;
  std::vector<Flash> flashes;
  int flashesEnded = 0;
  std::vector<std::size_t> passes;
  int progressHides = 0;
  std::vector<bool> running;
  int refreshes = 0;

  std::vector<std::string> questions;
  std::vector<bool> toolbarUpdates;

  std::uint32_t tickMs() override { return linkHost_.now; }
  void processEvents() override {}
  bool askYesNo(std::string_view text) override { return ask(text); }
  bool askQuestion(std::string_view text) override { return ask(text); }
  bool askContinue(std::string_view text) override { return ask(text); }
  void updateToolbar(bool busy) override { toolbarUpdates.push_back(busy); }
  void suspendPoll() override {}
  void resumePoll() override {}
  void suspendRedraw() override {}
  void resumeRedraw() override {}
  void showError(std::string_view text) override { errors.emplace_back(text); }
  void showInformation(std::string_view text) override { informations.emplace_back(text); }
  void flashMessage(std::uint32_t durationMs, std::uint32_t blinkMs,
                    std::string_view text) override {
    flashes.push_back({durationMs, blinkMs, std::string(text)});
  }
  void endFlash() override { ++flashesEnded; }
  void waitMs(std::uint32_t ms) override {
    for (std::uint32_t left = ms; left > 0;) {
      const std::uint32_t step = std::min<std::uint32_t>(left, 50);
      linkHost_.now += step;
      left -= step;
      if (pollTick) {
        pollTick();
      }
    }
    if (onWait) {
      onWait();
    }
  }
  bool shuttingDown() const override { return shutdown; }
  void showTouchProgress(std::size_t pass) override { passes.push_back(pass); }
  void hideTouchProgress() override { ++progressHides; }
  void setCaptureRunning(bool on) override { running.push_back(on); }
  void refreshEntry() override { ++refreshes; }

 private:
  bool ask(std::string_view text) {
    questions.emplace_back(text);
    return true;
  }

  testing::FakeLinkHost& linkHost_;
};

class CaptureTest : public ::testing::Test, public testing::SimLinkRig {
 protected:
  CaptureTest() { lang::setCurrentLanguage(Language::English); }

  void connect() {
    for (int i = 0; i < 8 && !link.isConnected(); ++i) {
      tick();
    }
    ASSERT_TRUE(link.isConnected());
    controller.clearRequests();
    window.pollTick = [this] { link.pollTick(); };
  }
  std::vector<sim::ReceivedRequest> requestsFor(std::uint8_t cmd) const {
    std::vector<sim::ReceivedRequest> out;
    for (const auto& r : controller.requests()) {
      if (r.cmd == cmd) {
        out.push_back(r);
      }
    }
    return out;
  }
  static Bytes bytes(std::span<const std::uint8_t> s) { return {s.begin(), s.end()}; }
  events::EntryBytes working() { return events::entryAt(model.working, kEntry); }
  Bytes entryBytes() { return bytes(working()); }
  // Whatever the working image holds for the entry reaches the controller with the next poll.
  void expectEntryOnController() {
    tick();
    EXPECT_EQ(bytes(events::entryAt(controller.configuration(), kEntry)), entryBytes());
  }
  IrLearning learn(events::IrContext context, std::initializer_list<std::uint8_t> code) {
    controller.receiveIrCode({code.begin()[0], code.begin()[1], code.begin()[2], code.begin()[3]});
    return learnIrCode(link, window, window, kEntry, context);
  }

  testing::FakeLinkHost& linkHost = host;
  CaptureWindow window{linkHost};
  TouchPointCapture touch{link, window, window};
};

// --- IR code learning ---

TEST_F(CaptureTest, WithoutControllerNothingIsAskedInBothContextsAndForTouch) {
  for (const auto context : {events::IrContext::Event, events::IrContext::Reaction}) {
    EXPECT_EQ(learnIrCode(link, window, window, kEntry, context), IrLearning::Disconnected);
  }
  EXPECT_EQ(touch.click(kEntry), TouchPointCapture::Outcome::Disconnected);
  EXPECT_EQ(window.errors, std::vector<std::string>(3, "Controller is disconnected"));
  EXPECT_TRUE(controller.requests().empty());
  EXPECT_TRUE(window.running.empty());
  EXPECT_EQ(window.refreshes, 0);
  lang::setCurrentLanguage(Language::Russian);
  learnIrCode(link, window, window, kEntry, events::IrContext::Event);
  EXPECT_EQ(window.errors.back(), "Контроллер отключен");
}

// A whole read or write (or another command) holds the controller: a capture clicked from its
// event handling neither talks to the controller nor touches the image.
TEST_F(CaptureTest, ClickDuringACommandIsIgnored) {
  connect();
  const Bytes before = entryBytes();
  link.setUserCommand(true);
  controller.receiveIrCode({1, 17, 0x34, 0x12});
  EXPECT_EQ(learnIrCode(link, window, window, kEntry, events::IrContext::Event), IrLearning::Busy);
  EXPECT_EQ(touch.click(kEntry), TouchPointCapture::Outcome::Busy);
  EXPECT_TRUE(controller.requests().empty());
  EXPECT_TRUE(window.errors.empty());
  EXPECT_TRUE(window.running.empty());
  EXPECT_EQ(entryBytes(), before);
  link.setUserCommand(false);
  EXPECT_EQ(learnIrCode(link, window, window, kEntry, events::IrContext::Event),
            IrLearning::Stored);
}

TEST_F(CaptureTest, EventCodeReplacesAnotherEventAndReachesTheController) {
  connect();
  auto e = working();
  events::set(e, entry::kEventType, static_cast<std::uint8_t>(events::EventType::Timeout));
  events::set(e, events::event::timeout::kDelayMs, 0xAABBCCDDu);
  events::set(e, entry::kReactionType, static_cast<std::uint8_t>(events::ReactionType::Pin));
  events::set(e, reaction::pin::kPin, 4);

  ASSERT_EQ(learn(events::IrContext::Event, {5, 0x12, 0x34, 0x56}), IrLearning::Stored);
  EXPECT_EQ(events::get(e, entry::kEventType), 2);
  EXPECT_EQ(bytes(events::bytesOf(e, {18, 5})), (Bytes{5, 0x12, 0x34, 0x56, 0}));
  EXPECT_TRUE(events::isZero(e, {23, 54}));  // the timeout's delay is gone
  EXPECT_EQ(events::get(e, entry::kPressKind), 3);
  // The reaction is not the learning's business.
  EXPECT_EQ(events::get(e, reaction::pin::kPin), 4);
  EXPECT_EQ(window.refreshes, 1);
  EXPECT_TRUE(window.errors.empty());
  ASSERT_EQ(requestsFor(area::kIrCode).size(), 1u);
  EXPECT_EQ(requestsFor(area::kIrCode)[0].offset, 0);
  expectEntryOnController();
}

TEST_F(CaptureTest, EventCodeKeepsAChosenPressKindAndTheSameTypesSettings) {
  connect();
  auto e = working();
  events::set(e, entry::kEventType, 2);
  events::set(e, entry::kSourceMask, 0x05);
  events::set(e, entry::kPressKind, 1);
  ASSERT_EQ(learn(events::IrContext::Event, {1, 0x45, 0, 0}), IrLearning::Stored);
  EXPECT_EQ(events::get(e, entry::kPressKind), 1);
  EXPECT_EQ(events::get(e, entry::kSourceMask), 0x05);
  // An event may hold any protocol the controller decodes, RC5 too.
  ASSERT_EQ(learn(events::IrContext::Event, {3, 0x0C, 0, 0}), IrLearning::Stored);
  EXPECT_EQ(events::get(e, events::U8Field{18}), 3);
}

TEST_F(CaptureTest, ReactionTakesOnlyTheProtocolsItCanSend) {
  connect();
  std::vector<unsigned> taken;
  for (std::uint8_t protocol = 1; protocol < 16; ++protocol) {
    events::clear(working(), entry::kReactionPart);
    window.informations.clear();
    const int refreshesBefore = window.refreshes;
    const IrLearning result = learn(events::IrContext::Reaction, {protocol, 0x21, 0x03, 0x00});
    if (result == IrLearning::Stored) {
      taken.push_back(protocol);
      EXPECT_EQ(events::get(working(), entry::kReactionType), 2);
      EXPECT_EQ(bytes(events::bytesOf(working(), {81, 4})), (Bytes{protocol, 0x21, 0x03, 0}));
      EXPECT_EQ(window.refreshes, refreshesBefore + 1);
    } else {
      EXPECT_EQ(result, IrLearning::Refused);
      EXPECT_TRUE(events::isZero(working(), entry::kReactionPart)) << int(protocol);
      EXPECT_EQ(window.informations,
                std::vector<std::string>{"This protocol is not supported for reaction"});
      EXPECT_EQ(window.refreshes, refreshesBefore);
    }
  }
  EXPECT_EQ(taken, (std::vector<unsigned>{1, 2, 5, 6, 7, 10, 12, 13, 14}));
  lang::setCurrentLanguage(Language::Russian);
  learn(events::IrContext::Reaction, {3, 1, 0, 0});
  EXPECT_EQ(window.informations.back(), "Этот протокол не поддерживается для реакции");
  EXPECT_TRUE(window.errors.empty());
}

TEST_F(CaptureTest, ReactionKeepsItsOutputButNotAnotherTypesBytes) {
  connect();
  auto e = working();
  events::set(e, entry::kReactionType, 2);
  events::set(e, reaction::ir_code::kReserved, 0x33);
  events::set(e, reaction::ir_code::kOutput, 9);
  ASSERT_EQ(learn(events::IrContext::Reaction, {10, 0x02, 0x07, 0x07}), IrLearning::Stored);
  EXPECT_EQ(bytes(events::bytesOf(e, {81, 6})), (Bytes{10, 0x02, 0x07, 0x07, 0x33, 9}));
  // The event half stays as it was.
  EXPECT_TRUE(events::isZero(e, entry::kEventPart));
  expectEntryOnController();

  // A USB key's hold time would otherwise become the IR output.
  events::clear(e, entry::kReactionPart);
  events::set(e, entry::kReactionType, 1);
  events::set(e, reaction::usb_key::kHoldMs, 0x03E8u);
  ASSERT_EQ(learn(events::IrContext::Reaction, {1, 0x45, 0, 0}), IrLearning::Stored);
  EXPECT_EQ(events::get(e, entry::kReactionType), 2);
  EXPECT_TRUE(events::isZero(e, {85, 59}));
}

TEST_F(CaptureTest, NothingReceivedIsAShortMessageAndARefresh) {
  connect();
  working()[entry::kEventType.offset] = 4;
  const Bytes before = entryBytes();
  for (const auto context : {events::IrContext::Event, events::IrContext::Reaction}) {
    EXPECT_EQ(learn(context, {0, 0, 0, 0}), IrLearning::NoCode);
  }
  EXPECT_EQ(entryBytes(), before);
  EXPECT_EQ(window.flashes, (std::vector<Flash>(2, {2500, 250, "No Infrared code"})));
  EXPECT_EQ(window.refreshes, 2);
  // An acknowledgement without data is nothing received as well.
  controller.receiveIrCode({1, 2, 3, 4});
  controller.endReadsAt(area::kIrCode, 0);
  EXPECT_EQ(learnIrCode(link, window, window, kEntry, events::IrContext::Event),
            IrLearning::NoCode);
  lang::setCurrentLanguage(Language::Russian);
  learnIrCode(link, window, window, kEntry, events::IrContext::Event);
  EXPECT_EQ(window.flashes.back().text, "ИК код отсутствует");
  EXPECT_EQ(entryBytes(), before);
}

TEST_F(CaptureTest, FailedReadShowsTheStatusAndChangesNothing) {
  connect();
  controller.receiveIrCode({1, 2, 3, 4});
  controller.setAreaAnswer(area::kIrCode, 0xFD);
  const Bytes before = entryBytes();
  EXPECT_EQ(learnIrCode(link, window, window, kEntry, events::IrContext::Event),
            IrLearning::ReadFailed);
  ASSERT_EQ(window.errors.size(), 1u);
  EXPECT_EQ(window.errors[0],
            "Failed to get IR code\n" + device::statusText(device::status::kFailedResult));
  lang::setCurrentLanguage(Language::Russian);
  EXPECT_EQ(learnIrCode(link, window, window, kEntry, events::IrContext::Reaction),
            IrLearning::ReadFailed);
  EXPECT_EQ(window.errors[1],
            "Ошибка получения ИК кода\n" + device::statusText(device::status::kFailedResult));
  EXPECT_EQ(entryBytes(), before);
  EXPECT_EQ(window.refreshes, 0);
  EXPECT_TRUE(window.flashes.empty());
}

TEST_F(CaptureTest, CodeCutShortIsAFailureNotAnotherCode) {
  connect();
  controller.receiveIrCode({1, 0x45, 0x34, 0x12});
  controller.endReadsAt(area::kIrCode, 2);
  const Bytes before = entryBytes();
  EXPECT_EQ(learnIrCode(link, window, window, kEntry, events::IrContext::Event),
            IrLearning::ReadFailed);
  EXPECT_EQ(window.errors,
            std::vector<std::string>{"Failed to get IR code\n" +
                                     device::statusText(device::status::kRangeEndedEarly)});
  EXPECT_EQ(entryBytes(), before);
}

// --- touch-point capture ---

TEST_F(CaptureTest, TouchedPointBecomesTheTouchReactionAndReachesTheController) {
  controller.touchCapture().setScript({true, 0x0123, 0x0456, 1500});
  connect();
  auto e = working();
  events::set(e, entry::kReactionType, 6);
  events::set(e, reaction::usb_touch::kDurationMs, 999);

  EXPECT_EQ(touch.click(kEntry), TouchPointCapture::Outcome::Stored);
  EXPECT_FALSE(touch.running());
  EXPECT_EQ(window.running, (std::vector<bool>{true, false}));
  const auto writes = requestsFor(area::kTouchPoint | kWrite);
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[0].offset, 0);
  EXPECT_EQ(bytes(writes[0].payload()), (Bytes{0x10, 0x27}));
  EXPECT_EQ(bytes(writes[1].payload()), (Bytes{0, 0}));
  EXPECT_FALSE(controller.touchCapture().waiting());
  EXPECT_EQ(window.flashes,
            (std::vector<Flash>{{10000, 250, "Click in the right place on the screen"}}));
  EXPECT_EQ(window.flashesEnded, 1);
  EXPECT_EQ(window.progressHides, 1);
  // Passes every 100 ms until the touch 1.5 s in.
  ASSERT_GE(window.passes.size(), 15u);
  ASSERT_LE(window.passes.size(), 17u);
  for (std::size_t i = 0; i < window.passes.size(); ++i) {
    EXPECT_EQ(window.passes[i], i + 1);
  }
  EXPECT_EQ(requestsFor(area::kTouchPoint).size(), window.passes.size());
  EXPECT_EQ(bytes(events::bytesOf(e, {80, 7})), (Bytes{6, 0x23, 0x01, 0x56, 0x04, 200, 0}));
  EXPECT_EQ(window.refreshes, 1);
  expectEntryOnController();
}

TEST_F(CaptureTest, TouchOnAnotherReactionMakesItATouchReaction) {
  controller.touchCapture().setScript({true, 4095, 1, 200});
  connect();
  auto e = working();
  events::set(e, entry::kReactionType, 3);
  events::set(e, reaction::pin::kPin, 5);
  events::set(e, reaction::pin::kMode, 2);
  events::set(e, events::U8Field{90}, 7);
  EXPECT_EQ(touch.click(kEntry), TouchPointCapture::Outcome::Stored);
  EXPECT_EQ(bytes(events::bytesOf(e, {80, 7})), (Bytes{6, 0xFF, 0x0F, 1, 0, 200, 0}));
  EXPECT_TRUE(events::isZero(e, {87, 57}));
}

TEST_F(CaptureTest, NoTouchWithinTenSecondsStoresNothing) {
  controller.touchCapture().setScript({false, 0, 0, 0});
  connect();
  const Bytes before = entryBytes();
  EXPECT_EQ(touch.click(kEntry), TouchPointCapture::Outcome::NoPoint);
  EXPECT_EQ(window.passes.size(), 100u);
  EXPECT_EQ(window.passes.back(), 100u);
  EXPECT_EQ(requestsFor(area::kTouchPoint).size(), 100u);
  EXPECT_EQ(window.flashes.back(), (Flash{3000, 250, "No touch point"}));
  EXPECT_EQ(window.flashesEnded, 1);
  EXPECT_EQ(window.progressHides, 1);
  EXPECT_EQ(entryBytes(), before);
  EXPECT_EQ(window.refreshes, 0);
  EXPECT_EQ(requestsFor(area::kTouchPoint | kWrite).size(), 2u);
  EXPECT_FALSE(controller.touchCapture().waiting());
  EXPECT_EQ(window.running, (std::vector<bool>{true, false}));
  lang::setCurrentLanguage(Language::Russian);
  touch.click(kEntry);
  EXPECT_EQ(window.flashes[2].text, "Нажмите в нужном месте экрана");
  EXPECT_EQ(window.flashes[3].text, "Точка нажатия не получена");
}

TEST_F(CaptureTest, ControllerThatDoesNotStartWaitingIsReportedAndNotPolled) {
  connect();
  controller.setAreaAnswer(area::kTouchPoint, 0xFE);
  EXPECT_EQ(touch.click(kEntry), TouchPointCapture::Outcome::StartFailed);
  EXPECT_EQ(requestsFor(area::kTouchPoint | kWrite).size(), 1u);
  EXPECT_TRUE(requestsFor(area::kTouchPoint).empty());
  EXPECT_EQ(linkHost.errors.size(), 1u);
  EXPECT_TRUE(window.flashes.empty());
  EXPECT_TRUE(window.passes.empty());
  EXPECT_EQ(window.running, (std::vector<bool>{true, false}));
  EXPECT_FALSE(touch.running());
}

TEST_F(CaptureTest, UnplugDuringTheWaitEndsItWithoutAPoint) {
  controller.touchCapture().setScript({true, 10, 20, 5000});
  connect();
  const Bytes before = entryBytes();
  window.onWait = [this] {
    if (window.passes.size() == 5) {
      controller.unplug();
    }
  };
  EXPECT_EQ(touch.click(kEntry), TouchPointCapture::Outcome::NoPoint);
  EXPECT_LE(window.passes.size(), 6u);
  EXPECT_EQ(window.flashes.back().text, "No touch point");
  EXPECT_EQ(entryBytes(), before);
  EXPECT_EQ(window.running, (std::vector<bool>{true, false}));
}

TEST_F(CaptureTest, ClosingWindowOrSecondClickEndsTheWait) {
  controller.touchCapture().setScript({false, 0, 0, 0});
  connect();
  window.onWait = [this] { window.shutdown = window.passes.size() == 3; };
  EXPECT_EQ(touch.click(kEntry), TouchPointCapture::Outcome::NoPoint);
  EXPECT_EQ(window.passes.size(), 3u);
  // The wait is ended on the controller too.
  EXPECT_FALSE(controller.touchCapture().waiting());

  window.shutdown = false;
  window.passes.clear();
  std::vector<TouchPointCapture::Outcome> inner;
  window.onWait = [&] {
    if (window.passes.size() == 4) {
      inner.push_back(touch.click(kEntry + 1));
    }
  };
  EXPECT_EQ(touch.click(kEntry), TouchPointCapture::Outcome::NoPoint);
  EXPECT_EQ(inner, std::vector<TouchPointCapture::Outcome>{TouchPointCapture::Outcome::Ended});
  EXPECT_EQ(window.passes.size(), 4u);
  EXPECT_FALSE(touch.running());
  // The second click started nothing of its own.
  EXPECT_EQ(requestsFor(area::kTouchPoint | kWrite).size(), 4u);
}

TEST_F(CaptureTest, ShortTouchAnswerIsNoPoint) {
  controller.touchCapture().setScript({true, 0x0123, 0x0456, 100});
  controller.endReadsAt(area::kTouchPoint, 3);
  connect();
  window.onWait = [this] { window.shutdown = window.passes.size() == 10; };
  const Bytes before = entryBytes();
  EXPECT_EQ(touch.click(kEntry), TouchPointCapture::Outcome::NoPoint);
  EXPECT_EQ(window.passes.size(), 10u);
  EXPECT_EQ(entryBytes(), before);
}

}  // namespace
}  // namespace kivprism::editor
