#include "installer/install_thread.h"

#include "net/release_fetch.h"

namespace {

// The install steps themselves are not part of this build yet: say so rather than pretend.
constexpr const wchar_t* kInstallNotAvailable = L"此版本尚不能安装文件：安装步骤还未加入本程序";

}  // namespace

void InstallThread(const std::shared_ptr<WindowModel>& model,
                   const std::shared_ptr<std::atomic<bool>>& cancel_requested,
                   const std::wstring& install_dir) {
  (void)cancel_requested;
  (void)install_dir;
  const std::optional<ReleaseInfo> release =
      fetch_latest_release(kReleaseBaseUrl, kSoftwareId, kReleaseChannel);
  if (!release) {
    model->ShowError(kReleaseUnavailable);
    return;
  }
  model->ShowError(kInstallNotAvailable);
}
