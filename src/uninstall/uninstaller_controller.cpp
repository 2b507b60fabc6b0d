#include "uninstall/uninstaller_controller.h"

#include <chrono>

#include "base/file_system.h"
#include "base/instance_lock.h"
#include "system/installation_lock.h"
#include "state/install_layout.h"
#include "state/version_manifest.h"
#include "uninstall/final_removal.h"
#include "uninstall/uninstall_pipeline.h"

namespace {

constexpr const wchar_t* kQuestion = L"确定要从此电脑中卸载 Orvane 吗？\n\n安装目录: ";
constexpr const wchar_t* kNotAnInstallation = L"此文件夹中没有 Orvane 的安装: ";
constexpr const wchar_t* kUpdateRunning = L"Orvane 正在更新，请在更新结束后再卸载。";
constexpr const wchar_t* kCannotStartWorker = L"无法启动卸载线程，请重试";
constexpr int kFailed = 1;
// Once deleting has begun the worker finishes it, even when the window has gone.
constexpr std::chrono::milliseconds kFinishGrace{60000};
// Owner-less like the update question, and in front for the same reason.
constexpr UINT kBoxFlags = MB_SETFOREGROUND | MB_TOPMOST;

}  // namespace

UninstallerController::UninstallerController(HINSTANCE instance, const std::wstring& exe_path)
    : instance_(instance),
      install_dir_(parent_directory(exe_path)),
      own_updater_(folded_directory(exe_path) == folded_directory(updater_path(install_dir_))) {}

int UninstallerController::Run(bool quiet) {
  // Run from anywhere else (a download folder), the program has no installation to remove.
  if (!own_updater_ && !ReadVersionManifest(install_dir_)) {
    if (!quiet) {
      MessageBoxW(nullptr, (kNotAnInstallation + install_dir_).c_str(), kUninstallCaption,
                  MB_OK | MB_ICONERROR | kBoxFlags);
    }
    return kFailed;
  }
  const InstallationLock lock(install_dir_);
  if (!lock.held_by_us()) {
    if (!quiet) MessageBoxW(nullptr, kUpdateRunning, kUninstallCaption, MB_OK | MB_ICONWARNING | kBoxFlags);
    return kFailed;
  }
  bool removed = false;
  if (quiet) {
    WindowModel unseen;
    const std::atomic<bool> never{false};
    removed = RunUninstall(unseen, never, install_dir_, own_updater_);
  } else {
    if (MessageBoxW(nullptr, (kQuestion + install_dir_).c_str(), kUninstallCaption,
                    MB_YESNO | MB_ICONQUESTION | kBoxFlags) != IDYES) {
      return 0;
    }
    removed = RunWindow();
    if (!removed) return 0;  // the person saw why and closed the window
  }
  // The running updater's own file goes after this process; if nobody can be handed that, it
  // stays, and a quiet run says so.
  if (removed && own_updater_ && !HandOverFinalRemoval(updater_path(install_dir_), install_dir_)) {
    return kFailed;
  }
  return removed ? 0 : kFailed;
}

void UninstallerController::StartRemoval() {
  if (!worker_->start([window = window_.model(), worker = worker_, removed = removed_,
                       dir = install_dir_, keep = own_updater_] {
        removed->store(RunUninstall(*window, worker->cancel_flag(), dir, keep));
      })) {
    window_.ShowError(kCannotStartWorker);
  }
}

bool UninstallerController::RunWindow() {
  window_.SetPurpose(WindowPurpose::Uninstall);
  window_.SetInstanceTag(InstallationWindowTag(install_dir_));
  window_.onCancel = [this] {
    worker_->cancel();
    window_.Close();
  };
  window_.onLaunch = [this] { window_.Close(); };  // "完成"
  window_.onClose = [this] { window_.Close(); };
  window_.onRetry = [this] {
    if (!worker_->busy()) StartRemoval();
  };
  window_.SetState(WindowState::Working);
  StartRemoval();
  window_.Run(instance_);
  worker_->wait_idle(kFinishGrace);
  return removed_->load();
}
