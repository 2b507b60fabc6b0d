#include "installer/installer_controller.h"

#include <chrono>
#include <optional>

#include "base/detached_thread.h"
#include "base/file_system.h"
#include "base/instance_lock.h"
#include "system/browser_launch.h"
#include "installer/install_thread.h"
#include "net/release_fetch.h"
#include "package/fetch_package.h"
#include "ui/folder_picker.h"
#include "ui/shared_texts.h"

namespace {

constexpr const wchar_t* kNoDirectory = L"请选择安装目录";
constexpr const wchar_t* kCannotStartInstall = L"无法启动安装线程，请重试";
constexpr const char* kUnknownVersion = "最新版本";
constexpr const wchar_t* kInstallerWindowTag = L"OrvaneSetupInstaller";
// How long a closing installer waits for its worker to notice the cancel: a download stops at
// its next read, an extraction at once; a request stuck on a silent server is not waited for.
constexpr std::chrono::milliseconds kStopGrace{3000};

// The start-up lookup: fills the release card, or says "最新版本" with nothing else.
void LoadReleaseSummary(const std::shared_ptr<WindowModel>& model) {
  std::optional<ReleaseInfo> release;
  try {
    release = fetch_latest_release(kReleaseBaseUrl, kSoftwareId, kReleaseChannel);
  } catch (...) {
    release.reset();  // as a failed lookup
  }
  if (!release) {
    model->SetReleaseSummary(kUnknownVersion, 0, 0);
    return;
  }
  model->SetReleaseSummary(release->version, static_cast<int32_t>(release->files.size()),
                           total_file_size(*release));
}

}  // namespace

InstallerController::InstallerController(HINSTANCE instance) : instance_(instance) {}

void InstallerController::Run() {
  const InstanceLock lock(kInstallerLockName);
  if (!lock.first()) {
    BringTaggedWindowToFront(kInstallerWindowTag);
    return;
  }
  window_.SetPurpose(WindowPurpose::Install);
  window_.SetInstanceTag(kInstallerWindowTag);
  window_.onBrowse = [this] {
    const std::wstring chosen = PickFolder(window_.handle(), window_.GetInstallDir());
    if (!chosen.empty()) window_.SetInstallDir(chosen);
  };
  window_.onStart = [this] { StartInstall(); };
  window_.onClose = [this] { window_.Close(); };
  window_.onLaunch = [this] {
    LaunchBrowser(browser_path(install_dir_));
    window_.Close();
  };
  window_.onCancel = [this] {
    worker_->cancel();
    window_.Close();
  };
  window_.onRetry = [this] { Retry(); };
  // A failed start only leaves the card without a summary; the install fetches again anyway.
  start_detached([model = window_.model()] { LoadReleaseSummary(model); });
  window_.Run(instance_);
  StopWork();
}

void InstallerController::StopWork() {
  // However the window went (cancel, close box, launch), nothing goes on writing after it, and
  // the downloads of an install this run started go with it.
  if (install_dir_.empty()) return;
  worker_->cancel();
  worker_->wait_idle(kStopGrace);
  {
    // A file half moved into the folder, or records half written, would be worse than a wait.
    const std::lock_guard writing(gate_->mutex);
    gate_->closed = true;
  }
  if (const std::wstring temp_dir = install_temp_dir(); !temp_dir.empty()) remove_tree(temp_dir);
}

void InstallerController::Retry() {
  if (worker_->busy()) return;  // the failed run is still cleaning up; a moment later it is not
  window_.SetState(WindowState::Ready);
}

void InstallerController::StartInstall() {
  const std::wstring typed = window_.GetInstallDir();
  if (typed.empty()) {
    window_.ShowError(kNoDirectory);
    return;
  }
  const std::optional<std::wstring> dir = full_directory(typed);
  if (!dir) {
    window_.ShowError(kNotFullPath);
    return;
  }
  // The release's files and their backups sit below it; past this they would outgrow the paths
  // Windows programs can open. (The folder itself is made by the install, off this thread: a
  // drive that does not answer must not freeze the window.)
  if (dir->size() > kMaxInstallDirChars) {
    window_.ShowError(kDirTooLong);
    return;
  }
  install_dir_ = *dir;
  window_.SetState(WindowState::Working);
  window_.SetProgress(0);
  window_.SetStatus(kFetchingRelease);
  if (!worker_->start([model = window_.model(), worker = worker_, gate = gate_, dir = *dir] {
        InstallThread(model, worker->cancel_flag(), *gate, dir);
      })) {
    window_.ShowError(kCannotStartInstall);
  }
}
