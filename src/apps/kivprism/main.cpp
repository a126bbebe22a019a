// kivprism: the configuration program of the KIVSOLANPRISM-F401 on the controller plugged in over
// USB.
#include "platform/hid_port.hpp"
#include "ui/app/program.hpp"

int main(int argc, char** argv) {
  kivprism::ui::Application application(argc, argv);
  QApplication::setApplicationName("kivprism");
  const auto port = kivprism::platform::makeSystemHidPort();
  return kivprism::ui::runProgram(*port);
}
