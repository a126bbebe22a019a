// kivprism-demo: the configuration program on the built-in simulated controller, which connects
// at once and keeps the terminal busy with monitoring text, for trying the program without
// hardware.
#include "ui/app/program.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"

int main(int argc, char** argv) {
  kivprism::ui::Application application(argc, argv);
  QApplication::setApplicationName("kivprism-demo");
  kivprism::sim::SimulatedController controller;
  controller.startDemo();
  kivprism::sim::SimulatedHidPort port(controller);
  return kivprism::ui::runProgram(port);
}
