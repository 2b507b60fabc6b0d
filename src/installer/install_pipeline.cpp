#include "installer/install_pipeline.h"

#include "base/file_system.h"
#include "base/wide.h"
#include "installer/shortcuts.h"
#include "net/http_client.h"
#include "package/fetch_package.h"
#include "state/config_file.h"
#include "state/version_manifest.h"

namespace {

constexpr const wchar_t* kDownloadStatus = L"下载: ";
constexpr const wchar_t* kDownloadFailed = L"下载失败: ";
constexpr const wchar_t* kFinishing = L"正在完成安装...";
constexpr const wchar_t* kFinished = L"安装完成！点击「启动浏览器」开始使用。";
constexpr const wchar_t* kCannotCreateTemp = L"无法创建临时目录: ";
constexpr int32_t kFullPercent = 100;

}  // namespace

void RunInstall(WindowModel& window, const std::atomic<bool>& cancel_requested,
                const std::wstring& install_dir, const ReleaseInfo& release) {
  HttpClient http;
  const std::wstring temp_dir = install_temp_dir();
  if (temp_dir.empty() || !create_directories(temp_dir)) {
    window.ShowError(kCannotCreateTemp + temp_dir);
    return;
  }
  const auto count = static_cast<int32_t>(release.files.size());
  VersionManifest manifest{release.version, release.channel, {}};

  for (int32_t i = 0; i < count; ++i) {
    if (cancel_requested.load()) return;
    const ReleaseFile& file = release.files[static_cast<size_t>(i)];
    window.SetProgress(static_cast<int32_t>(int64_t{i} * kFullPercent / count));
    window.SetStatus(kDownloadStatus + std::to_wstring(i + 1) + L"/" + std::to_wstring(count) +
                     L"  " + display_wide(file.file_path));
    if (!FetchPackage(file, install_dir, http)) {
      window.ShowError(kDownloadFailed + display_wide(file.file_path) + L"\n" +
                       display_wide(http.last_error()));
      return;
    }
    manifest.files.push_back({file.file_path, file.checksum_sha256});
  }

  WriteVersionManifest(manifest, install_dir);
  SetConfigProductVersion(install_dir + kConfigSuffix, release.version);
  window.SetProgress(kFullPercent);
  window.SetStatus(kFinishing);
  CopySelfAsUpdater(install_dir + kUpdaterSuffix);
  const std::wstring browser = install_dir + kBrowserExeSuffix;
  CreateDesktopShortcut(browser, kShortcutName);
  CreateStartMenuShortcut(browser, kShortcutName);
  window.SetState(WindowState::Finished);
  window.SetStatus(kFinished);
  remove_tree(temp_dir);
}
