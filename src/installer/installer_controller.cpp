#include "installer/installer_controller.h"

#include "base/detached_thread.h"
#include "base/file_system.h"
#include "installer/install_thread.h"
#include "net/release_fetch.h"
#include "ui/folder_picker.h"
#include "updater/browser_launch.h"

namespace {

constexpr const wchar_t* kNoDirectory = L"请选择安装目录";
constexpr const wchar_t* kFetchingRelease = L"正在获取版本信息...";
constexpr const wchar_t* kCannotCreateDirectory = L"无法创建安装目录: ";
constexpr const wchar_t* kCannotStartInstall = L"无法启动安装线程，请重试";
constexpr const char* kUnknownVersion = "最新版本";

// The start-up lookup: fills the release card, or says "最新版本" with nothing else.
void LoadReleaseSummary(const std::shared_ptr<WindowModel>& model) {
  const std::optional<ReleaseInfo> release =
      fetch_latest_release(kReleaseBaseUrl, kSoftwareId, kReleaseChannel);
  if (!release) {
    model->SetReleaseSummary(kUnknownVersion, 0, 0);
    return;
  }
  int64_t total = 0;
  for (const ReleaseFile& file : release->files) total += file.file_size;
  model->SetReleaseSummary(release->version, static_cast<int32_t>(release->files.size()), total);
}

}  // namespace

InstallerController::InstallerController(HINSTANCE instance) : instance_(instance) {}

void InstallerController::Run() {
  window_.SetInstallMode(true);
  window_.onBrowse = [this] {
    const std::wstring chosen = PickFolder(window_.handle(), window_.GetInstallDir());
    if (!chosen.empty()) window_.SetInstallDir(chosen);
  };
  window_.onStart = [this] { StartInstall(); };
  window_.onClose = [this] { window_.Close(); };
  window_.onLaunch = [this] {
    LaunchBrowser(window_.GetInstallDir() + kBrowserExeSuffix);
    window_.Close();
  };
  window_.onCancel = [this] {
    cancel_requested_->exchange(true);
    window_.Close();
  };
  // A failed start only leaves the card without a summary; the install fetches again anyway.
  start_detached([model = window_.model()] { LoadReleaseSummary(model); });
  window_.Run(instance_);
}

void InstallerController::StartInstall() {
  const std::wstring dir = window_.GetInstallDir();
  if (dir.empty()) {
    window_.ShowError(kNoDirectory);
    return;
  }
  if (!create_directories(dir)) {
    window_.ShowError(kCannotCreateDirectory + dir);
    return;
  }
  window_.SetState(WindowState::Working);
  window_.SetProgress(0);
  window_.SetStatus(kFetchingRelease);
  if (!start_detached([model = window_.model(), cancel = cancel_requested_, dir] {
        InstallThread(model, cancel, dir);
      })) {
    window_.ShowError(kCannotStartInstall);
  }
}
