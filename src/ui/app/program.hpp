// The program around the main window: one copy only, the window shown, the message loop, and the
// lock released at the end. Both programs (USB and simulated controller) run through here.
#pragma once

#include <QApplication>
#include <QString>
#include <functional>

#include "core/device/hid_port.hpp"
#include "ui/app/main_window.hpp"

namespace kivprism::ui {

// The application object of both programs: an error that escapes a handler is shown in an error
// box and the program goes on.
class Application : public QApplication {
 public:
  Application(int& argc, char** argv) : QApplication(argc, argv) {}
  bool notify(QObject* receiver, QEvent* event) override;
};

struct ProgramOptions {
  MainWindowOptions window;
  // Where the single-instance lock lives; empty: the user's runtime folder.
  QString instanceFolder;
  // Called once the window is up, before the message loop runs.
  std::function<void(TMainForm&)> started;
};

// Needs a QApplication. Returns the exit code: 1 when another copy is running.
int runProgram(device::HidPort& port, ProgramOptions options = {});

}  // namespace kivprism::ui
