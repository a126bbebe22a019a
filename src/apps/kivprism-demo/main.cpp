// kivprism-demo: the configuration program on the built-in simulated controller, which connects
// at once and keeps the terminal busy with monitoring text, for trying the program without
// hardware.
#include "sim/learning_scenarios.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "sim/update_disk.hpp"
#include "ui/app/program.hpp"

int main(int argc, char** argv) {
  kivprism::ui::Application application(argc, argv);
  QApplication::setApplicationName("kivprism-demo");
  kivprism::sim::SimulatedController controller;
  controller.startDemo();
  kivprism::sim::useDemoScenarios(controller);
  kivprism::sim::SimulatedHidPort port(controller);
  // The firmware update finds the simulated boot loader's disk instead of the computer's drives.
  kivprism::sim::SimulatedUpdateDisk updateDisk(controller);
  kivprism::ui::ProgramOptions options;
  options.window.volumes = &updateDisk;
  return kivprism::ui::runProgram(port, options);
}
