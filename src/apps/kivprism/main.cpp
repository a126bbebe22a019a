// kivprism: the configuration program of the KIVSOLANPRISM-F401 on the controller plugged in over
// USB.
#include "ui/app/program.hpp"
#include "platform/hid_port_hidapi.hpp"

int main(int argc, char** argv) {
  kivprism::ui::Application application(argc, argv);
  QApplication::setApplicationName("kivprism");
  kivprism::platform::HidapiPort port;
  return kivprism::ui::runProgram(port);
}
