#include "updater/update_pipeline.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "base/file_system.h"
#include "base/pause_point.h"
#include "base/wide.h"
#include "net/http_client.h"
#include "package/extract_archive.h"
#include "package/package_path.h"
#include "package/path_conflicts.h"
#include "package/sha256_file.h"
#include "state/config_file.h"
#include "state/file_text.h"
#include "state/install_layout.h"
#include "state/version_manifest.h"
#include "ui/shared_texts.h"
#include "installation/browser_processes.h"
#include "installation/uninstall_entry.h"
#include "installation/replacement_journal.h"
#include "installation/update_marker.h"

namespace {

constexpr const wchar_t* kStagingFolderName = L"orvane-update";
constexpr const wchar_t* kRecordsFolderName = L"records";
constexpr const char* kConfigFilePath = "orvane-config.json";
constexpr const wchar_t* kDownloading = L"下载: ";
constexpr const wchar_t* kReplacing = L"替换文件: ";
constexpr const wchar_t* kWritingRecords = L"更新版本信息...";
constexpr const wchar_t* kUpdated = L"更新完成！点击「启动浏览器」继续。";
constexpr const wchar_t* kAlreadyCurrent = L"已是最新版本！";
constexpr const wchar_t* kDownloadFailed = L"下载失败: ";
constexpr const wchar_t* kDigestFailed = L"校验失败: ";
constexpr const wchar_t* kExtractFailed = L"解压失败: ";
constexpr const wchar_t* kFileDigestFailed = L"文件校验失败: ";
constexpr const wchar_t* kReplaceFailed = L"替换文件失败: ";
constexpr const wchar_t* kConfigMergeFailed = L"无法合并配置文件: ";
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

VersionManifest records_of(const ReleaseInfo& release) {
  VersionManifest manifest{release.version, release.channel, {}};
  for (const ReleaseFile& file : release.files) {
    manifest.files.push_back({file.file_path, file.checksum_sha256});
  }
  return manifest;
}

std::vector<ReleaseFile> changed_files(const std::wstring& install_dir, const ReleaseInfo& release,
                                       bool untrusted) {
  const std::optional<VersionManifest> recorded =
      untrusted ? std::nullopt : ReadVersionManifest(install_dir);
  std::vector<ReleaseFile> changed;
  for (const ReleaseFile& file : release.files) {
    const std::optional<std::string> checksum =
        recorded ? FindRecordedChecksum(*recorded, file.file_path) : std::nullopt;
    if (!checksum || *checksum != file.checksum_sha256) changed.push_back(file);
  }
  if (changed.empty()) {
    const std::string installed = untrusted ? std::string() : ReadInstalledVersion(install_dir);
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
  // What an earlier run left in the unpack folder must never pass for this package: when it
  // cannot all be removed, the package is not staged.
  const std::wstring source = join_path(unpack, to_wide(*relative));
  if (!remove_tree(unpack) || !create_directories(unpack) || !create_parent_directories(source)) {
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

// The records as they will be after the update, staged beside the packages so that they are
// replaced (and undone) like any file: the version manifest, and the config's product_version
// when the update does not deliver the config itself. Absent after a write that failed (shown).
std::optional<std::vector<UpdateItem>> StageRecords(const std::wstring& staging,
                                                    const std::wstring& install_dir,
                                                    const ReleaseInfo& release, bool config_delivered,
                                                    WindowModel& window) {
  const std::wstring folder = join_path(staging, kRecordsFolderName);
  const std::wstring manifest_target = VersionManifestPath(install_dir).native();
  if (!remove_tree(folder) || !create_directories(folder)) {
    window.ShowError(kCannotWriteRecords + manifest_target);
    return std::nullopt;
  }
  std::vector<UpdateItem> records;
  const std::wstring manifest_source = VersionManifestPath(folder).native();
  if (!WriteFileText(manifest_source, VersionManifestText(records_of(release)))) {
    window.ShowError(kCannotWriteRecords + manifest_target);
    return std::nullopt;
  }
  records.push_back({manifest_source, manifest_target, kVersionManifestName});
  if (!config_delivered) {
    const std::wstring config_target = config_path(install_dir);
    const std::wstring config_source = config_path(folder);
    switch (RecordProductVersion(config_target, release.version, config_source)) {
      case ConfigWrite::Written: records.push_back({config_source, config_target, kConfigFilePath}); break;
      case ConfigWrite::WriteFailed: window.ShowError(kCannotWriteConfig + config_target); return std::nullopt;
      case ConfigWrite::NoFile:
      case ConfigWrite::NotAnObject: break;  // nothing to record the version in
    }
  }
  return records;
}

// The records-only path: the release changed no file.
void RecordReleaseOnly(WindowModel& window, const std::wstring& install_dir,
                       const ReleaseInfo& release, bool untrusted) {
  if (!WriteVersionManifest(records_of(release), install_dir)) {
    window.ShowError(kCannotWriteRecords + VersionManifestPath(install_dir).native());
    return;
  }
  const std::wstring config = config_path(install_dir);
  if (RecordProductVersion(config, release.version) == ConfigWrite::WriteFailed) {
    window.ShowError(kCannotWriteConfig + config);
    return;
  }
  if (untrusted) RemoveUpdateMarker(install_dir);
  RefreshRegistration(install_dir, release.version);
  window.SetState(WindowState::Finished);
  window.SetStatus(kAlreadyCurrent);
}

// Replaces the installed files with the staged ones, then the records, through the journal.
// False when the run ended early (the reason shown, everything undone as far as it could be).
bool ReplaceFiles(const std::vector<UpdateItem>& items, const std::vector<UpdateItem>& records,
                  const ReleaseInfo& release, const std::wstring& install_dir, bool untrusted,
                  const std::atomic<bool>& cancel, WindowModel& window) {
  ReplacementJournal journal(install_dir, untrusted);
  if (!journal.begin()) {
    window.ShowError(kReplaceFailed + display_wide(items.front().file_path));
    return false;
  }
  pause_point("marker");
  const auto stop = [&](const std::wstring& error) {
    journal.roll_back();
    if (!error.empty()) window.ShowError(error);
    return false;
  };
  const auto n = static_cast<int32_t>(items.size());
  for (int32_t j = 0; j < n; ++j) {
    const UpdateItem& item = items[static_cast<size_t>(j)];
    if (cancel.load()) return stop({});
    window.SetProgress(static_cast<int32_t>(int64_t{j} * kReplaceShare / n) + kClosingPercent);
    window.SetStatus(kReplacing + display_wide(item.file_path));
    if (!create_parent_directories(item.target_path)) {
      return stop(kReplaceFailed + display_wide(item.file_path));
    }
    // The installed config's values win over the delivered defaults; if they cannot be kept,
    // the delivered file must not take the installed one's place.
    if (item.file_path == kConfigFilePath && path_exists(item.target_path) &&
        !MergeConfigFile(item.target_path, item.source_path, release.version, item.source_path)) {
      return stop(kConfigMergeFailed + display_wide(item.file_path));
    }
    if (!journal.replace(item.source_path, item.target_path, item.file_path)) {
      return stop(kReplaceFailed + display_wide(item.file_path));
    }
  }
  window.SetProgress(kRecordsPercent);
  window.SetStatus(kWritingRecords);
  for (const UpdateItem& record : records) {
    if (!journal.replace(record.source_path, record.target_path, record.file_path)) {
      const bool config = record.file_path == kConfigFilePath;
      return stop((config ? kCannotWriteConfig : kCannotWriteRecords) + record.target_path);
    }
  }
  pause_point("records");
  if (!journal.commit()) return stop(kCannotWriteRecords + join_path(install_dir, kUpdateMarkerName));
  return true;
}

}  // namespace

void RunUpdate(WindowModel& window, const std::atomic<bool>& cancel_requested,
               ReplacementGate& gate, const std::wstring& install_dir, const ReleaseInfo& release,
               const std::wstring& browser_path, bool untrusted) {
  // Two spellings of one file would have the run overwrite, or delete as a backup, what it
  // just put down: refused before anything is fetched.
  if (const std::optional<size_t> conflict = find_conflicting_path(release.files)) {
    window.ShowError(kDownloadFailed + display_wide(release.files[*conflict].file_path));
    return;
  }
  const std::vector<ReleaseFile> changed = changed_files(install_dir, release, untrusted);
  if (changed.empty()) return RecordReleaseOnly(window, install_dir, release, untrusted);

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
  bool config_delivered = false;
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
    config_delivered |= item->file_path == kConfigFilePath;
    items.push_back(std::move(*item));
  }
  const std::optional<std::vector<UpdateItem>> records =
      StageRecords(staging, install_dir, release, config_delivered, window);
  if (!records) return;
  pause_point("staged");
  // The staged bytes reach the disk before the journal says they may replace anything.
  for (const UpdateItem& item : items) {
    if (!flush_file(item.source_path)) {
      window.ShowError(kReplaceFailed + display_wide(item.file_path));
      return;
    }
  }

  window.SetProgress(kClosingPercent);
  window.SetStatus(kClosingBrowser);
  CloseRunningBrowser(browser_path);

  std::lock_guard replacing(gate.mutex);
  if (gate.closed) return;  // the program is ending: touch nothing
  if (!ReplaceFiles(items, *records, release, install_dir, untrusted, cancel_requested, window)) {
    return;
  }
  remove_tree(staging);
  // The Apps entry follows the installation; a stale version there does not undo the update.
  RefreshRegistration(install_dir, release.version);
  window.SetProgress(kDonePercent);
  window.SetState(WindowState::Finished);
  window.SetStatus(kUpdated);
}
