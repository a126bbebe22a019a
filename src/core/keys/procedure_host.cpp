#include "core/keys/procedure_host.hpp"

#include "core/device/device_link.hpp"
#include "core/keys/keys_texts.hpp"

namespace kivprism::keys {

bool beginProcedureClick(bool& running, device::DeviceLink& link, ProcedureHost& host) {
  if (running) {
    running = false;
    return false;
  }
  if (!link.isConnected()) {
    link.suspendPoll();
    host.showError(lang::translateText(texts::kControllerDisconnected));
    link.resumePoll();
    return false;
  }
  running = true;
  return true;
}

}  // namespace kivprism::keys
