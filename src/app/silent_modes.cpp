#include "app/silent_modes.h"

#include <optional>

#include "app/silent_run.h"
#include "base/file_system.h"
#include "base/instance_lock.h"
#include "system/installation_lock.h"
#include "installer/install_thread.h"
#include "installer/installer_controller.h"
#include "package/fetch_package.h"
#include "updater/updater_controller.h"

namespace {

constexpr const wchar_t* kAnotherInstaller = L"另一个 Orvane 安装程序正在运行。";
constexpr const wchar_t* kUpdateBusy = L"此安装目录的更新或卸载正在进行。";

}  // namespace

int RunSilentInstall(HINSTANCE instance, const RunMode& mode) {
  const std::wstring typed = mode.dir.value_or(kDefaultInstallDir);
  const std::optional<std::wstring> dir = full_directory(typed);
  const InstanceLock lock(kInstallerLockName);
  const bool ours = lock.first();
  InstallOptions options;
  options.shortcuts = !mode.no_shortcuts;
  const ExitCode code = RunSilently(
      instance,
      [ours, dir, options](const std::shared_ptr<WindowModel>& model,
                           const std::atomic<bool>& cancel,
                           const std::shared_ptr<WriteGate>& gate) {
        if (!ours) return model->ShowError(kAnotherInstaller, ExitCode::Busy);
        if (!dir) return model->ShowError(kNotFullPath, ExitCode::NotFullPath);
        if (dir->size() > kMaxInstallDirChars)
          return model->ShowError(kDirTooLong, ExitCode::NotFullPath);
        model->SetStatus(kFetchingRelease);
        InstallThread(model, cancel, *gate, *dir, options);
      },
      // The downloads of a cancelled install go, as when its window closes; another
      // installer's are not ours to remove.
      [ours] {
        if (const std::wstring temp_dir = install_temp_dir(); ours && !temp_dir.empty())
          remove_tree(temp_dir);
      });
  return static_cast<int>(code);
}

int RunSilentUpdate(HINSTANCE instance, const std::wstring& install_dir) {
  const InstallationLock lock(install_dir);
  const bool ours = lock.held_by_us();
  const ExitCode code =
      RunSilently(instance, [ours, install_dir](const std::shared_ptr<WindowModel>& model,
                                                const std::atomic<bool>& cancel,
                                                const std::shared_ptr<WriteGate>& gate) {
        if (!ours) return model->ShowError(kUpdateBusy, ExitCode::Busy);
        model->SetStatus(kChecking);
        CheckAndUpdate(model, cancel, gate, install_dir, false);
      });
  return static_cast<int>(code);
}
