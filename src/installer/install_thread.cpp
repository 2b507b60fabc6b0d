#include "installer/install_thread.h"

#include "installer/install_pipeline.h"
#include "net/release_fetch.h"

void InstallThread(const std::shared_ptr<WindowModel>& model,
                   const std::atomic<bool>& cancel_requested, const std::wstring& install_dir) {
  const std::optional<ReleaseInfo> release =
      fetch_latest_release(kReleaseBaseUrl, kSoftwareId, kReleaseChannel);
  if (cancel_requested.load()) return;
  if (!release) {
    model->ShowError(kReleaseUnavailable);
    return;
  }
  RunInstall(*model, cancel_requested, install_dir, *release);
}
