#include "updater/updater_controller.h"

#include <optional>

#include "base/instance_lock.h"
#include "base/wide.h"
#include "system/browser_launch.h"
#include "system/browser_processes.h"
#include "system/declined_update.h"
#include "system/scheduled_check.h"
#include "system/uninstall_entry.h"
#include "system/installation_lock.h"
#include "journal/journal_repair.h"
#include "net/release_fetch.h"
#include "base/file_system.h"
#include "state/config_file.h"
#include "state/version_manifest.h"
#include "state/zip_members.h"
#include "state/install_layout.h"
#include "ui/shared_texts.h"
#include "updater/update_query.h"

namespace {

constexpr const wchar_t* kAlreadyCurrent = L"已是最新版本！";
constexpr const wchar_t* kCannotStartWorker = L"无法启动更新线程，请重试";
constexpr const wchar_t* kUpdateFailed = L"更新失败，请重试";
constexpr const wchar_t* kQuestionStart = L"发现新版本 ";
constexpr const wchar_t* kQuestionEnd = L"，是否立即更新？";
constexpr const wchar_t* kNoInstallation = L"此文件夹中没有 Orvane 安装: ";

// Whether the folder holds an installation to update: its records, or the journal (also the mark
// an install over it leaves until it has finished). An updater copied anywhere else (Downloads)
// would otherwise install the whole release there.
bool HoldsInstallation(const std::wstring& install_dir) {
  return path_exists(VersionManifestPath(install_dir).native()) ||
         path_exists(ZipMembersPath(install_dir).native()) || JournalExists(install_dir);
}

}  // namespace

namespace {

void CheckAndUpdateOnce(const std::shared_ptr<WindowModel>& window,
                        const std::atomic<bool>& cancel_requested,
                        const std::shared_ptr<WriteGate>& gate, const std::wstring& install_dir,
                        bool may_close_browser) {
  if (!HoldsInstallation(install_dir)) {
    window->ShowError(kNoInstallation + install_dir, ExitCode::NoInstallation);
    return;
  }
  const std::wstring browser = browser_path(install_dir);
  // An update interrupted half-way is put back as it was first, before and whatever the
  // service answers; if that cannot be done exactly, nothing installed is trusted.
  RepairResult repair;
  {
    std::lock_guard replacing(gate->mutex);
    if (gate->closed) return;
    repair = RepairInterruptedUpdate(install_dir);
    // The browser may hold a file the undo must put back: it is closed and the undo finished
    // before anything else, so no new journal is ever written over the unfinished one.
    if (repair.outcome == RepairOutcome::Blocked && may_close_browser) {
      window->SetStatus(kClosingBrowser);
      CloseRunningBrowser(browser);
      repair = RepairInterruptedUpdate(install_dir);
    }
  }
  if (repair.outcome == RepairOutcome::Blocked) {
    if (!may_close_browser && BrowserRunning(browser)) {
      window->ShowError(kBrowserInUse, ExitCode::BrowserRunning);
    } else {
      window->ShowError(kRestoreIncomplete + repair.unrestored, ExitCode::FolderNotWritable);
    }
    return;
  }
  const bool untrusted = repair.outcome == RepairOutcome::Untrusted;
  std::string why;
  const std::optional<ReleaseInfo> release = FetchUpdateRelease(install_dir, kReleaseBaseUrl, &why);
  if (cancel_requested.load()) return;
  if (!release) {
    window->ShowError(
        secure_channel_refused(why) ? kReleaseCertificateRefused : kReleaseUnavailable,
        ExitCode::ServiceUnavailable);
    return;
  }
  const std::string installed = untrusted ? std::string() : ReadInstalledVersion(install_dir);
  if (!installed.empty() && installed == release->version) {
    if (RefreshScheduledChecks(install_dir) == CheckSchedule::Task) NoteScheduledTask(install_dir);
    window->SetState(WindowState::Finished);
    window->SetStatus(kAlreadyCurrent);
    return;
  }
  // Nothing is downloaded for an update that could not replace anything.
  if (!may_close_browser && BrowserRunning(browser)) {
    window->ShowError(kBrowserInUse, ExitCode::BrowserRunning);
    return;
  }
  window->SetReleaseSummary(release->version, static_cast<int32_t>(release->files.size()),
                            total_file_size(*release));
  RunUpdate(*window, cancel_requested, *gate, install_dir, *release, browser, untrusted,
            may_close_browser);
}

}  // namespace

void CheckAndUpdate(const std::shared_ptr<WindowModel>& window,
                    const std::atomic<bool>& cancel_requested,
                    const std::shared_ptr<WriteGate>& gate, const std::wstring& install_dir,
                    bool may_close_browser) {
  // Whatever the library raises ends the run told (a replacement under way has been undone by
  // its journal on the way out), not the program.
  try {
    CheckAndUpdateOnce(window, cancel_requested, gate, install_dir, may_close_browser);
  } catch (...) {
    window->ShowError(kUpdateFailed);
  }
}

UpdaterController::UpdaterController(HINSTANCE instance, std::wstring install_dir)
    : instance_(instance), install_dir_(std::move(install_dir)) {}

void UpdaterController::StartCheck() {
  window_.SetState(WindowState::Working);
  window_.SetProgress(0);
  window_.SetStatus(kChecking);
  if (!worker_->start([window = window_.model(), worker = worker_, gate = gate_,
                       dir = install_dir_] {
        CheckAndUpdate(window, worker->cancel_flag(), gate, dir);
      })) {
    window_.ShowError(kCannotStartWorker);
  }
}

void UpdaterController::RunUpdateMode() {
  const InstallationLock lock(install_dir_);
  if (!lock.held_by_us()) {
    BringTaggedWindowToFront(InstallationWindowTag(install_dir_));
    return;
  }
  RunWindow();
}

void UpdaterController::RunWindow() {
  window_.SetInstanceTag(InstallationWindowTag(install_dir_));
  StartCheck();
  window_.onCancel = [this] {
    worker_->cancel();
    window_.Close();
  };
  window_.onLaunch = [this] {
    LaunchBrowser(browser_path(install_dir_));
    window_.Close();
  };
  window_.onClose = [this] { window_.Close(); };
  // "重试": the query and the update once more, once the failed run has ended.
  window_.onRetry = [this] {
    if (!worker_->busy()) StartCheck();
  };
  window_.Run(instance_);

  // Wait for a replacement under way to finish or roll back; a worker that has not begun
  // replacing will not begin.
  std::lock_guard replacing(gate_->mutex);
  gate_->closed = true;
}

void UpdaterController::RunCheckMode(bool scheduled) {
  const InstallationLock lock(install_dir_);
  if (!lock.held_by_us()) return;  // the other run asks, or is already updating
  if (!HoldsInstallation(install_dir_)) return;  // nothing here to ask about
  // Repaired first: without the network, and whatever the answer to the question.
  // An undo the browser blocks is finished by the update window, which closes the browser.
  const RepairOutcome repair = RepairInterruptedUpdate(install_dir_).outcome;
  const bool untrusted = repair == RepairOutcome::Untrusted || repair == RepairOutcome::Blocked;
  const std::string installed = ReadInstalledVersion(install_dir_);
  if (installed.empty() && !untrusted) return;
  std::optional<ReleaseInfo> release;
  try {
    release = FetchUpdateRelease(install_dir_);
  } catch (...) {
    return;  // as a failed query: nothing to offer
  }
  if (!release) return;
  if (!untrusted && release->version == installed) return;
  const std::wstring offered = display_wide(release->version);
  // The schedule asks about a version once; the person, or the browser, may ask again.
  if (scheduled && !untrusted && DeclinedVersion(install_dir_) == offered) return;
  const std::wstring question = kQuestionStart + offered + kQuestionEnd;
  // Owner-less and often started at logon: without these flags the box opens behind whatever
  // window is in front and nobody sees the question.
  constexpr UINT kQuestionFlags = MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND | MB_TOPMOST;
  if (MessageBoxW(nullptr, question.c_str(), kUpdateQuestionCaption, kQuestionFlags) == IDYES) {
    RunWindow();
  } else {
    RecordDeclinedVersion(install_dir_, offered);
  }
}
