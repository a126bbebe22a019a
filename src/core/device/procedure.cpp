#include "core/device/procedure.hpp"

#include "core/device/device_link.hpp"

#include <algorithm>

namespace kivprism::device {

namespace {

void showProgress(LinkHost& host, const ProcedureProgress& progress, std::string& shownCaption) {
  if (!progress.caption.empty() && progress.caption != shownCaption) {
    shownCaption = progress.caption;
    host.setStatusText(shownCaption);
  }
  if (progress.total > 0) {
    host.showProgress(std::min(progress.done, progress.total), progress.total);
  }
}

}  // namespace

DeviceStatus runProcedure(Procedure& procedure, DeviceLink& link, std::uint32_t pauseMs) {
  LinkHost& host = link.host();
  shell::PollPause pause(link);
  DeviceStatus result = procedure.start(link);
  std::string shownCaption;
  while (result == status::kOk) {
    showProgress(host, procedure.progress(), shownCaption);
    if (host.shuttingDown()) {
      procedure.stop(link);
      result = status::kDisconnected;
      break;
    }
    const Procedure::Step step = procedure.step(link);
    if (step == Procedure::Step::Finished) {
      showProgress(host, procedure.progress(), shownCaption);
      result = procedure.result();
      break;
    }
    if (step == Procedure::Step::Failed) {
      // A failure must never read as success, whatever the procedure reports.
      result = procedure.result() != status::kOk ? procedure.result() : status::kFailedResult;
      break;
    }
    host.waitMs(pauseMs);
  }
  link.progressHide();
  return result;
}

}  // namespace kivprism::device
