#include "installer/install_thread.h"

#include "base/file_system.h"
#include "installer/install_pipeline.h"
#include "net/release_fetch.h"

namespace {

constexpr const wchar_t* kInstallFailed = L"安装失败，请重试";

}  // namespace

void InstallThread(const std::shared_ptr<WindowModel>& model,
                   const std::atomic<bool>& cancel_requested, WriteGate& gate,
                   const std::wstring& install_dir, const InstallOptions& options,
                   std::string_view base_url) {
  // Whatever the library raises (memory, above all) ends the run told, not the program.
  try {
    // The folder first, off the window's thread: a drive that does not answer stalls this
    // worker, not the window.
    if (!create_directories(install_dir)) {
      model->ShowError(kCannotCreateInstallDir + install_dir, ExitCode::FolderNotWritable);
      return;
    }
    std::string why;
    const std::optional<ReleaseInfo> release =
        fetch_latest_release(base_url, kSoftwareId, kReleaseChannel, &why);
    if (cancel_requested.load()) return;
    if (!release) {
      model->ShowError(
          secure_channel_refused(why) ? kReleaseCertificateRefused : kReleaseUnavailable,
          ExitCode::ServiceUnavailable);
      return;
    }
    RunInstall(*model, cancel_requested, gate, install_dir, *release, options);
  } catch (...) {
    model->ShowError(kInstallFailed);
  }
}
