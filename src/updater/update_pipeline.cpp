#include "updater/update_pipeline.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "base/file_system.h"
#include "base/wide.h"
#include "state/install_layout.h"
#include "net/http_client.h"
#include "package/extract_archive.h"
#include "package/package_path.h"
#include "package/sha256_file.h"
#include "state/config_file.h"
#include "state/version_manifest.h"
#include "updater/browser_processes.h"
#include "updater/update_marker.h"

namespace {

constexpr const wchar_t* kStagingFolderName = L"orvane-update";
constexpr const char* kConfigFilePath = "orvane-config.json";
constexpr const wchar_t* kDownloading = L"下载: ";
constexpr const wchar_t* kClosingBrowser = L"正在关闭浏览器...";
constexpr const wchar_t* kReplacing = L"替换文件: ";
constexpr const wchar_t* kWritingRecords = L"更新版本信息...";
constexpr const wchar_t* kUpdated = L"更新完成！点击「启动浏览器」继续。";
constexpr const wchar_t* kAlreadyCurrent = L"已是最新版本！";
constexpr const wchar_t* kDownloadFailed = L"下载失败: ";
constexpr const wchar_t* kDigestFailed = L"校验失败: ";
constexpr const wchar_t* kExtractFailed = L"解压失败: ";
constexpr const wchar_t* kFileDigestFailed = L"文件校验失败: ";
constexpr const wchar_t* kReplaceFailed = L"替换文件失败: ";
constexpr const wchar_t* kCannotCreateStaging = L"无法创建临时目录: ";
constexpr int32_t kDownloadShare = 80;
constexpr int32_t kClosingPercent = 82;
constexpr int32_t kReplaceShare = 16;
constexpr int32_t kRecordsPercent = 98;
constexpr int32_t kDonePercent = 100;

struct UpdateItem {
  std::wstring source_path;
  std::wstring target_path;
  std::string file_path;
};

struct BackupEntry {
  std::wstring backup_path;
  std::wstring target_path;
};

// Only backups this run made are put back, newest state first replaced by the old one.
bool RestoreBackups(const std::vector<BackupEntry>& backups) {
  bool all = true;
  for (const BackupEntry& entry : backups) {
    if (!path_exists(entry.backup_path)) continue;
    all &= MoveFileExW(entry.backup_path.c_str(), entry.target_path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }
  return all;
}

VersionManifest records_of(const ReleaseInfo& release) {
  VersionManifest manifest{release.version, release.channel, {}};
  for (const ReleaseFile& file : release.files) {
    manifest.files.push_back({file.file_path, file.checksum_sha256});
  }
  return manifest;
}

std::vector<ReleaseFile> changed_files(const std::wstring& install_dir, const ReleaseInfo& release,
                                       bool repairing) {
  const std::optional<VersionManifest> recorded =
      repairing ? std::nullopt : ReadVersionManifest(install_dir);
  std::vector<ReleaseFile> changed;
  for (const ReleaseFile& file : release.files) {
    const std::optional<std::string> checksum =
        recorded ? FindRecordedChecksum(*recorded, file.file_path) : std::nullopt;
    if (!checksum || *checksum != file.checksum_sha256) changed.push_back(file);
  }
  if (changed.empty()) {
    const std::string installed = repairing ? std::string() : ReadInstalledVersion(install_dir);
    if (installed != release.version) changed = release.files;
  }
  return changed;
}

// Downloads, verifies and stages one package; the item on success, else the error shown.
std::optional<UpdateItem> StagePackage(const ReleaseFile& file, size_t index,
                                       const std::wstring& staging, const std::wstring& install_dir,
                                       HttpClient& http, const std::atomic<bool>& cancel,
                                       WindowModel& window) {
  const std::wstring path_text = display_wide(file.file_path);
  const std::optional<std::u16string> relative = safe_relative_path(file.file_path);
  if (!relative) {
    window.ShowError(kDownloadFailed + path_text);
    return std::nullopt;
  }
  const std::wstring zip_path = staging + L"\\" + std::to_wstring(index) + L".zip";
  const std::wstring unpack = staging + L"\\" + std::to_wstring(index);
  if (!http.download(file.download_url, zip_path, DownloadProgress{})) {
    window.ShowError(kDownloadFailed + path_text);
    return std::nullopt;
  }
  if (!DigestMatches(file.zip_checksum, zip_path)) {
    window.ShowError(kDigestFailed + path_text);
    return std::nullopt;
  }
  // What an earlier run left in the unpack folder must never pass for this package.
  remove_tree(unpack);
  const std::wstring source = join_path(unpack, to_wide(*relative));
  if (!create_directories(unpack) || !create_parent_directories(source)) {
    window.ShowError(kExtractFailed + path_text);
    return std::nullopt;
  }
  if (file.compressed) {
    if (!ExtractArchive(zip_path, unpack, &cancel)) {
      window.ShowError(kExtractFailed + path_text);
      return std::nullopt;
    }
  } else {
    MoveFileW(zip_path.c_str(), source.c_str());
  }
  if (!DigestMatches(file.checksum_sha256, source)) {
    window.ShowError(kFileDigestFailed + path_text);
    return std::nullopt;
  }
  DeleteFileW(zip_path.c_str());
  return UpdateItem{source, join_path(install_dir, to_wide(*relative)), file.file_path};
}

enum class ReplaceOutcome { Done, Cancelled, Failed };

ReplaceOutcome ReplaceFiles(const std::vector<UpdateItem>& items, const ReleaseInfo& release,
                            const std::wstring& install_dir, const std::atomic<bool>& cancel,
                            WindowModel& window) {
  std::vector<BackupEntry> backups;
  const auto n = static_cast<int32_t>(items.size());
  auto undo = [&] {
    if (RestoreBackups(backups)) RemoveUpdateMarker(install_dir);
  };
  for (int32_t j = 0; j < n; ++j) {
    const UpdateItem& item = items[static_cast<size_t>(j)];
    if (cancel.load()) {
      undo();
      return ReplaceOutcome::Cancelled;
    }
    window.SetProgress(static_cast<int32_t>(int64_t{j} * kReplaceShare / n) + kClosingPercent);
    window.SetStatus(kReplacing + display_wide(item.file_path));
    if (!create_parent_directories(item.target_path)) {
      undo();
      window.ShowError(kReplaceFailed + display_wide(item.file_path));
      return ReplaceOutcome::Failed;
    }
    if (item.file_path == kConfigFilePath && path_exists(item.target_path)) {
      MergeConfigFile(item.target_path, item.source_path, release.version, item.source_path);
    }
    if (path_exists(item.target_path)) {
      const std::wstring backup = item.target_path + kBackupSuffix;
      // A backup left by an earlier run is stale: it must neither block this one nor ever be
      // restored over a current file.
      if (path_exists(backup)) DeleteFileW(backup.c_str());
      if (MoveFileW(item.target_path.c_str(), backup.c_str())) {
        backups.push_back({backup, item.target_path});
      }
    }
    if (!MoveFileW(item.source_path.c_str(), item.target_path.c_str())) {
      undo();
      window.ShowError(kReplaceFailed + display_wide(item.file_path));
      return ReplaceOutcome::Failed;
    }
  }
  window.SetProgress(kRecordsPercent);
  window.SetStatus(kWritingRecords);
  WriteVersionManifest(records_of(release), install_dir);
  bool config_delivered = false;
  for (const UpdateItem& item : items) config_delivered |= item.file_path == kConfigFilePath;
  if (!config_delivered) SetConfigProductVersion(config_path(install_dir), release.version);
  RemoveUpdateMarker(install_dir);
  for (const BackupEntry& entry : backups) {
    if (path_exists(entry.backup_path)) DeleteFileW(entry.backup_path.c_str());
  }
  return ReplaceOutcome::Done;
}

}  // namespace

void RunUpdate(WindowModel& window, const std::atomic<bool>& cancel_requested,
               ReplacementGate& gate, const std::wstring& install_dir, const ReleaseInfo& release,
               const std::wstring& browser_path, bool repairing) {
  const std::vector<ReleaseFile> changed = changed_files(install_dir, release, repairing);
  if (changed.empty()) {
    WriteVersionManifest(records_of(release), install_dir);
    SetConfigProductVersion(config_path(install_dir), release.version);
    if (repairing) RemoveUpdateMarker(install_dir);
    window.SetState(WindowState::Finished);
    window.SetStatus(kAlreadyCurrent);
    return;
  }

  HttpClient http;
  http.set_cancel_flag(&cancel_requested);
  const std::wstring root = temp_root();
  const std::wstring staging = root.empty() ? std::wstring() : root + kStagingFolderName;
  if (staging.empty() || !create_directories(staging)) {
    window.ShowError(kCannotCreateStaging + staging);
    return;
  }
  const auto n = static_cast<int32_t>(changed.size());
  std::vector<UpdateItem> items;
  for (int32_t i = 0; i < n; ++i) {
    if (cancel_requested.load()) return;
    const ReleaseFile& file = changed[static_cast<size_t>(i)];
    window.SetProgress(static_cast<int32_t>(int64_t{i} * kDownloadShare / n));
    window.SetStatus(kDownloading + std::to_wstring(i + 1) + L"/" + std::to_wstring(n) + L"  " +
                     display_wide(file.file_path));
    std::optional<UpdateItem> item =
        StagePackage(file, static_cast<size_t>(i), staging, install_dir, http, cancel_requested,
                     window);
    if (!item) return;
    items.push_back(std::move(*item));
  }

  window.SetProgress(kClosingPercent);
  window.SetStatus(kClosingBrowser);
  CloseRunningBrowser(browser_path);

  std::lock_guard replacing(gate.mutex);
  if (gate.closed) return;  // the program is ending: touch nothing
  std::vector<std::string> paths;
  for (const UpdateItem& item : items) paths.push_back(item.file_path);
  if (!WriteUpdateMarker(install_dir, paths)) {
    window.ShowError(kReplaceFailed + display_wide(items.front().file_path));
    return;
  }
  if (ReplaceFiles(items, release, install_dir, cancel_requested, window) != ReplaceOutcome::Done) {
    return;
  }
  remove_tree(staging);
  window.SetProgress(kDonePercent);
  window.SetState(WindowState::Finished);
  window.SetStatus(kUpdated);
}
