#include "core/keys/procedure_host.hpp"

#include "core/device/device_link.hpp"
#include "core/keys/keys_texts.hpp"

namespace kivprism::keys {

bool beginProcedureClick(bool& running, device::DeviceLink& link, shell::ShellServices& shell) {
  if (running) {
    running = false;
    return false;
  }
  if (!link.isConnected()) {
    shell::PollPause pause(link);
    shell.showError(lang::translateText(texts::kControllerDisconnected));
    return false;
  }
  running = true;
  return true;
}

}  // namespace kivprism::keys
