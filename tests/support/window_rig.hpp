// The main window on the simulated controller, for window tests: the controller, its update disk,
// a settings file of the test's own, boxes and file choosers answered by the test, and one virtual
// clock for the window and the controller, so waits cost no wall time.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "sim/update_disk.hpp"
#include "support/virtual_window_clock.hpp"
#include "ui/app/main_window.hpp"
#include "ui/common/message_box.hpp"

// QTRY_VERIFY and QTRY_COMPARE on the rig's virtual time: the condition is tried while the rig's
// time advances, up to the time-out (10 s unless given).
#define VTRY_VERIFY_WITH_TIMEOUT(rig, condition, timeoutMs) \
  QVERIFY((rig).waitFor([&] { return static_cast<bool>(condition); }, timeoutMs))
#define VTRY_VERIFY(rig, condition) VTRY_VERIFY_WITH_TIMEOUT(rig, condition, 10000)
#define VTRY_COMPARE_WITH_TIMEOUT(rig, actual, expected, timeoutMs)                      \
  do {                                                                                   \
    (rig).waitFor([&] { return static_cast<bool>((actual) == (expected)); }, timeoutMs); \
    QCOMPARE(actual, expected);                                                          \
  } while (false)
#define VTRY_COMPARE(rig, actual, expected) VTRY_COMPARE_WITH_TIMEOUT(rig, actual, expected, 10000)

namespace kivprism::testing {

struct ShownBox {
  unsigned flags;
  QString caption;
  QString text;
};

struct WindowRigSetup {
  // What the settings file holds when the window starts; empty: no file.
  QByteArray settings = "[MainSettings]\r\nLang=1\r\n";
  QString systemLanguage;
  // Whether the window is started up and shown at once.
  bool start = true;
  // Whether it is shown too. Unshown, the window is never painted, which is most of what a window
  // test costs; a test of what the link, the image and the boxes do needs no more.
  bool show = true;
  // Options beyond the rig's own (the url opener, another answerer).
  std::function<void(ui::MainWindowOptions&)> adjust = {};
};

class WindowRig {
 public:
  // One USB report call takes a millisecond of the controller's time, as on the real bus; a
  // controller that never answers thus runs the link into its time-out.
  static constexpr std::uint32_t kReportCallMs = 1;

  explicit WindowRig(WindowRigSetup setup = {})
      : controller(clock.function()), port(controller), disk(controller) {
    controller.setReportCallHook([this] { clock.pass(kReportCallMs); });
    settingsPath = dir.filePath("kivprism.ini");
    if (!setup.settings.isEmpty()) {
      QFile file(settingsPath);
      file.open(QIODevice::WriteOnly);
      file.write(setup.settings);
      file.close();
    }
    ui::MainWindowOptions options;
    options.settingsPath = settingsPath;
    options.systemLanguage = setup.systemLanguage;
    options.volumes = &disk;
    options.clock = &clock;
    options.boxAnswerer = [this](unsigned flags, const QString& caption, const QString& text) {
      boxes.push_back({flags, caption, text});
      return answerBox ? answerBox(flags, caption, text) : boxAnswer;
    };
    options.fileAnswerer = [this](ui::FileChooser kind, const QString& name) {
      return answerFile ? answerFile(kind, name) : chosenFile;
    };
    if (setup.adjust) {
      setup.adjust(options);
    }
    window = std::make_unique<ui::TMainForm>(port, options);
    if (setup.start) {
      window->startUp();
      if (setup.show) {
        window->show();
      }
    }
  }
  ~WindowRig() { window.reset(); }
  WindowRig(const WindowRig&) = delete;
  WindowRig& operator=(const WindowRig&) = delete;

  device::DeviceLink& link() { return window->link(); }
  config::ConfigModel& model() { return window->model(); }

  // --- time ---
  void advance(std::uint32_t ms) { clock.advance(ms); }
  bool waitFor(const std::function<bool()>& condition, std::uint32_t timeoutMs = 10000) {
    return clock.waitFor(condition, timeoutMs);
  }
  // Does this once the given time has passed, inside a blocking click that runs meanwhile.
  void during(std::uint32_t ms, std::function<void()> what) { clock.after(ms, std::move(what)); }
  bool waitConnected(std::uint32_t timeoutMs = 10000) {
    return waitFor([this] { return link().isConnected(); }, timeoutMs);
  }
  bool waitDisconnected(std::uint32_t timeoutMs = 10000) {
    return waitFor([this] { return !link().isConnected(); }, timeoutMs);
  }

  VirtualWindowClock clock;
  QTemporaryDir dir;
  QString settingsPath;
  sim::SimulatedController controller;
  sim::SimulatedHidPort port;
  sim::SimulatedUpdateDisk disk;
  std::vector<ShownBox> boxes;
  // How boxes are answered: answerBox when set, otherwise boxAnswer.
  int boxAnswer = ui::box::kYes;
  std::function<int(unsigned, const QString&, const QString&)> answerBox;
  // What file choosers return: answerFile when set, otherwise chosenFile.
  QString chosenFile;
  std::function<QString(ui::FileChooser, const QString&)> answerFile;
  std::unique_ptr<ui::TMainForm> window;
};

}  // namespace kivprism::testing
