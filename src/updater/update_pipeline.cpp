#include "updater/update_pipeline.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "base/file_system.h"
#include "base/pause_point.h"
#include "base/wide.h"
#include "installation/browser_processes.h"
#include "installation/disk_room.h"
#include "installation/installation_lock.h"
#include "installation/replacement_journal.h"
#include "installation/scheduled_check.h"
#include "installation/uninstall_entry.h"
#include "installation/update_marker.h"
#include "net/http_client.h"
#include "package/extract_archive.h"
#include "package/fetch_package.h"
#include "package/package_download.h"
#include "package/installed_path.h"
#include "package/package_path.h"
#include "package/path_conflicts.h"
#include "package/sha256_file.h"
#include "package/zip_listing.h"
#include "state/config_file.h"
#include "state/file_text.h"
#include "state/install_layout.h"
#include "state/version_manifest.h"
#include "state/zip_members.h"
#include "ui/progress_reporter.h"
#include "ui/shared_texts.h"
#include "updater/delta_staging.h"
#include "updater/staged_package.h"
#include "updater/zip_member_plan.h"

namespace {

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
constexpr const wchar_t* kPackageDownloadSuffix = L".zip";
constexpr const wchar_t* kDeltaDownloadSuffix = L".delta.zip";

// Any spelling of the config's name is the config: one file, one identity.
bool is_config(const std::string& file_path) {
  return same_file_path(file_path, kConfigFilePath);
}

VersionManifest records_of(const ReleaseInfo& release) {
  VersionManifest manifest{
      release.version, release.channel, {}, release.sequence, release.key_sequence};
  for (const ReleaseFile& file : release.files) {
    manifest.files.push_back({file.file_path, file.checksum_sha256});
  }
  return manifest;
}

// A package changed when its file's digest differs from the recorded one, or, for a zip whose
// members are recorded, when the zip itself differs: a zip may change only in other members.
std::vector<ReleaseFile> changed_files(const std::wstring& install_dir, const ReleaseInfo& release,
                                       const std::optional<ZipMembers>& zips, bool untrusted) {
  const std::optional<VersionManifest> recorded =
      untrusted ? std::nullopt : ReadVersionManifest(install_dir);
  std::vector<ReleaseFile> changed;
  for (const ReleaseFile& file : release.files) {
    const std::optional<std::string> checksum =
        recorded ? FindRecordedChecksum(*recorded, file.file_path) : std::nullopt;
    const ZipRecord* zip = file.compressed && zips ? FindZipRecord(*zips, file.file_path) : nullptr;
    if (!checksum || *checksum != file.checksum_sha256 ||
        (zip && zip->zip_checksum != file.zip_checksum)) {
      changed.push_back(file);
    }
  }
  if (changed.empty()) {
    const std::string installed = untrusted ? std::string() : ReadInstalledVersion(install_dir);
    if (installed != release.version) changed = release.files;
  }
  return changed;
}

// The line a download that did not pass shows: a digest that differs is named as such.
std::wstring download_failure(const std::string& error, const std::wstring& path_text) {
  if (error == kDownloadChecksumError) return kDigestFailed + path_text;
  if (error == kChecksumError) return kFileDigestFailed + path_text;
  return kDownloadFailed + path_text;
}

uint64_t announced(int64_t size) {
  return size > 0 ? static_cast<uint64_t>(size) : 0;
}

// Room for what the update writes, told before anything is downloaded: the staged files, and
// the two downloads (`downloads`: each package's, or its delta's) that can lie in staging at
// once; where the installation is on another drive, the staged files are copied there while the
// files they replace wait as backups.
std::optional<std::wstring> MissingUpdateRoom(const std::wstring& staging,
                                              const std::wstring& install_dir,
                                              const std::vector<ReleaseFile>& changed,
                                              const std::vector<int64_t>& downloads) {
  uint64_t staged = 0;
  for (const ReleaseFile& file : changed)
    staged = std::min(staged + announced(file.file_size), UINT64_MAX / 4);
  std::vector<uint64_t> held;
  for (int64_t size : downloads) held.push_back(announced(size));
  std::vector<RoomNeed> needs{{staging, staged + TwoLargest(held)}};
  if (!SameVolume(staging, install_dir)) needs.push_back({install_dir, staged});
  return MissingRoom(needs);
}

// Stages one downloaded and checked package; what it staged on success, else the error shown.
std::optional<StagedPackage> StagePackage(const ReleaseFile& file, size_t index,
                                          const std::wstring& staging,
                                          const DownloadedPackage& download,
                                          const std::atomic<bool>& cancel, WindowModel& window) {
  const std::wstring path_text = display_wide(file.file_path);
  const std::optional<std::u16string> relative = safe_relative_path(file.file_path);
  if (!relative) {
    window.ShowError(kDownloadFailed + path_text, ExitCode::ServiceUnavailable);
    return std::nullopt;
  }
  const std::wstring unpack = staging + L"\\" + std::to_wstring(index);
  // What an earlier run left in the unpack folder must never pass for this package: when it
  // cannot all be removed, the package is not staged.
  const std::wstring source = join_path(unpack, to_wide(*relative));
  if (!remove_tree(unpack) || !create_directories(unpack) || !create_parent_directories(source)) {
    window.ShowError(kExtractFailed + path_text, ExitCode::FolderNotWritable);
    return std::nullopt;
  }
  std::optional<std::vector<std::string>> members;
  std::string digest = download.digest;  // a plain file's bytes were checked as they arrived
  if (file.compressed) {
    members = ListZipFiles(download.path);
    // A file of the archive at one of the installation's records would be moved over it by the
    // journal: the package is refused before anything is unpacked.
    if (members && find_record_member(*members)) {
      window.ShowError(kExtractFailed + path_text, ExitCode::PackageFailed);
      return std::nullopt;
    }
    if (!members || !ExtractArchive(download.path, unpack, &cancel)) {
      window.ShowError(kExtractFailed + path_text,
                       members ? ExitCode::FolderNotWritable : ExitCode::PackageFailed);
      return std::nullopt;
    }
    digest = Sha256File(source);
    if (!file.checksum_sha256.empty() && digest != file.checksum_sha256) {
      window.ShowError(kFileDigestFailed + path_text, ExitCode::PackageFailed);
      return std::nullopt;
    }
  } else if (!MoveFileW(download.path.c_str(), source.c_str())) {
    window.ShowError(kFileDigestFailed + path_text, ExitCode::FolderNotWritable);
    return std::nullopt;
  }
  DeleteFileW(download.path.c_str());
  StagedPackage staged;
  staged.items.push_back({source, file.file_path, index});
  if (!members) return staged;
  // Every other file of the zip goes into place with it, and is recorded with its digest.
  staged.zip = ZipRecord{file.file_path, file.zip_checksum, {{file.file_path, digest}}};
  for (const std::string& member : *members) {
    const std::optional<std::u16string> member_relative = safe_relative_path(member);
    if (!member_relative || same_file_path(member, file.file_path)) continue;
    const std::wstring member_source = join_path(unpack, to_wide(*member_relative));
    if (!path_exists(member_source)) continue;
    staged.items.push_back({member_source, member, index});
    staged.zip->members.push_back({member, Sha256File(member_source)});
  }
  return staged;
}

// One record file staged in `folder` to replace its installed copy through the journal.
std::optional<UpdateItem> StageRecord(const std::wstring& folder, const char* name,
                                      const std::string& text) {
  const std::wstring source = join_path(folder, display_wide(name));
  if (!create_directories(folder) || !WriteFileText(source, text)) return std::nullopt;
  return UpdateItem{source, name, 0};
}

// The records-only path: the release changed no file.
void RecordReleaseOnly(WindowModel& window, const std::wstring& install_dir,
                       const ReleaseInfo& release, bool untrusted) {
  if (!WriteVersionManifest(records_of(release), install_dir)) {
    window.ShowError(kCannotWriteRecords + VersionManifestPath(install_dir).native(),
                     ExitCode::FolderNotWritable);
    return;
  }
  const std::wstring config = config_path(install_dir);
  if (RecordProductVersion(config, release.version) == ConfigWrite::WriteFailed) {
    window.ShowError(kCannotWriteConfig + config, ExitCode::FolderNotWritable);
    return;
  }
  if (untrusted) RemoveUpdateMarker(install_dir);
  RefreshRegistration(install_dir, release.version);
  if (RefreshScheduledChecks(install_dir) == CheckSchedule::Task) NoteScheduledTask(install_dir);
  window.SetState(WindowState::Finished);
  window.SetStatus(kAlreadyCurrent);
}

// Ends an update's use of its staging folder: the download still running stops, then the
// folder goes.
class StagingCleanup {
 public:
  StagingCleanup(std::wstring staging, std::unique_ptr<PackageDownload>& next)
      : staging_(std::move(staging)), next_(next) {}
  StagingCleanup(const StagingCleanup&) = delete;
  StagingCleanup& operator=(const StagingCleanup&) = delete;
  ~StagingCleanup() {
    next_.reset();
    remove_tree(staging_);
  }

 private:
  std::wstring staging_;
  std::unique_ptr<PackageDownload>& next_;
};

// Everything the replacement does, decided before it begins.
struct ReplacementPlan {
  std::vector<UpdateItem> files;    // in the order of their packages
  size_t packages = 0;              // how many changed packages they came from
  std::vector<std::string> removed;  // recorded zip members the release no longer delivers
  std::vector<UpdateItem> records;  // then the records: zip members (when kept), the manifest
};

// Replaces the installed files with the staged ones, removes what the release dropped, then
// replaces the records, through the journal. Runs after the browser has closed, so the config
// it reads is the one the browser left. False when the run ended early (the reason shown,
// everything undone as far as it could be).
bool ReplaceFiles(const ReplacementPlan& plan, const std::wstring& records_folder,
                  const ReleaseInfo& release, const std::wstring& install_dir, bool untrusted,
                  const std::atomic<bool>& cancel, WindowModel& window) {
  bool config_delivered = false;
  std::vector<std::string> targets{kConfigFilePath};
  for (const UpdateItem& item : plan.files) {
    targets.push_back(item.file_path);
    config_delivered |= is_config(item.file_path);
  }
  for (const UpdateItem& record : plan.records) targets.push_back(record.file_path);
  ReplacementJournal journal(install_dir, untrusted, targets);
  if (!journal.begin()) {
    window.ShowError(kReplaceFailed + display_wide(plan.files.front().file_path),
                     ExitCode::FolderNotWritable);
    return false;
  }
  pause_point("marker");
  const auto stop = [&](const std::wstring& error) {
    if (const std::optional<std::wstring> unrestored = journal.roll_back()) {
      window.ShowError(kRestoreIncomplete + *unrestored, ExitCode::FolderNotWritable);
    } else if (!error.empty()) {
      window.ShowError(error, ExitCode::FolderNotWritable);
    }
    return false;
  };
  const auto n = static_cast<int64_t>(plan.packages);
  for (size_t j = 0; j < plan.files.size(); ++j) {
    const UpdateItem& item = plan.files[j];
    if (cancel.load()) return stop({});
    // One line a package; a zip's other files go in with it.
    if (j == 0 || plan.files[j - 1].package != item.package) {
      window.SetProgress(static_cast<int32_t>(static_cast<int64_t>(item.package) * kReplaceShare / n) +
                         kClosingPercent);
      window.SetStatus(kReplacing + display_wide(item.file_path));
    }
    const std::wstring target = InstalledPath(install_dir, item.file_path).value_or(std::wstring());
    if (target.empty() || !create_parent_directories(target)) {
      return stop(kReplaceFailed + display_wide(item.file_path));
    }
    // The installed config's values win over the delivered defaults; if they cannot be kept,
    // the delivered file must not take the installed one's place.
    if (is_config(item.file_path) && path_exists(target) &&
        !MergeConfigFile(target, item.source_path, release.version, item.source_path)) {
      return stop(kConfigMergeFailed + display_wide(item.file_path));
    }
    if (!journal.put(item.source_path, item.file_path)) {
      return stop(kReplaceFailed + display_wide(item.file_path));
    }
  }
  for (const std::string& file_path : plan.removed) {
    if (!journal.remove(file_path)) return stop(kReplaceFailed + display_wide(file_path));
  }
  window.SetProgress(kRecordsPercent);
  window.SetStatus(kWritingRecords);
  for (const UpdateItem& record : plan.records) {
    if (!journal.put(record.source_path, record.file_path)) {
      return stop(kCannotWriteRecords + join_path(install_dir, display_wide(record.file_path)));
    }
  }
  if (!config_delivered) {
    // product_version goes into the config as the browser left it, now that it has closed.
    const std::wstring config_target = config_path(install_dir);
    const std::wstring config_source = config_path(records_folder);
    switch (RecordProductVersion(config_target, release.version, config_source)) {
      case ConfigWrite::Written:
        if (!journal.put(config_source, kConfigFilePath)) return stop(kCannotWriteConfig + config_target);
        break;
      case ConfigWrite::WriteFailed: return stop(kCannotWriteConfig + config_target);
      case ConfigWrite::NoFile:
      case ConfigWrite::NotAnObject: break;  // nothing to record the version in
    }
  }
  pause_point("records");
  if (!journal.commit()) return stop(kCannotWriteRecords + join_path(install_dir, kUpdateMarkerName));
  return true;
}

}  // namespace

void RunUpdate(WindowModel& window, const std::atomic<bool>& cancel_requested, WriteGate& gate,
               const std::wstring& install_dir, const ReleaseInfo& release,
               const std::wstring& browser_path, bool untrusted, bool may_close_browser) {
  // A path that could leave the installation, or two spellings of one file (the run would
  // overwrite, or delete as a backup, what it just put down): refused before anything is fetched.
  std::optional<size_t> conflict = find_unsafe_path(release.files);
  if (!conflict) conflict = find_conflicting_path(release.files);
  if (conflict) {
    window.ShowError(kDownloadFailed + display_wide(release.files[*conflict].file_path),
                     ExitCode::ServiceUnavailable);
    return;
  }
  const std::optional<ZipMembers> recorded_zips = ReadZipMembers(install_dir);
  const std::vector<ReleaseFile> changed = changed_files(install_dir, release, recorded_zips, untrusted);
  if (changed.empty()) return RecordReleaseOnly(window, install_dir, release, untrusted);

  const std::wstring staging = UpdateStagingFolder(install_dir);
  if (staging.empty() || !create_directories(staging)) {
    window.ShowError(kCannotCreateStaging + staging, ExitCode::FolderNotWritable);
    return;
  }
  const auto n = static_cast<int32_t>(changed.size());
  ReplacementPlan plan;
  plan.packages = changed.size();
  std::vector<ZipRecord> staged_zips;
  std::set<std::u16string> placed;
  for (const ReleaseFile& file : release.files) placed.insert(file_key(file.file_path));
  // A package whose installed file is the base of one of its deltas downloads that delta first.
  std::vector<std::optional<ReleaseDelta>> deltas;
  std::vector<int64_t> sizes;
  for (const ReleaseFile& file : changed) {
    deltas.push_back(ChooseDelta(file, install_dir));
    sizes.push_back(deltas.back() ? deltas.back()->file_size : file.file_size);
  }
  if (const std::optional<std::wstring> no_room =
          MissingUpdateRoom(staging, install_dir, changed, sizes)) {
    remove_tree(staging);
    window.ShowError(*no_room, ExitCode::FolderNotWritable);
    return;
  }
  ProgressReporter progress(window, sizes, 0, kDownloadShare);
  const auto download = [&](int32_t i) {
    const auto k = static_cast<size_t>(i);
    const bool delta = deltas[k].has_value();
    return std::make_unique<PackageDownload>(
        delta ? DeltaDownload(changed[k], *deltas[k]) : changed[k],
        staging + L"\\" + std::to_wstring(i) +
            (delta ? kDeltaDownloadSuffix : kPackageDownloadSuffix),
        cancel_requested, [&progress, k](uint64_t received, uint64_t expected) {
          progress.downloaded(k, received, expected);
        });
  };
  // Package i+1 downloads while package i is unpacked and checked; the download ahead stops
  // with the run, whichever way it ends, and then the staging folder goes: a failed or cancelled
  // update leaves none of its downloads behind.
  std::unique_ptr<PackageDownload> next = n > 0 ? download(0) : nullptr;
  const StagingCleanup cleanup(staging, next);
  for (int32_t i = 0; i < n; ++i) {
    if (cancel_requested.load()) return;
    const auto k = static_cast<size_t>(i);
    const ReleaseFile& file = changed[k];
    progress.begin_package(k,
                           kDownloading + std::to_wstring(i + 1) + L"/" + std::to_wstring(n) +
                               L"  " + display_wide(file.file_path),
                           static_cast<int32_t>(int64_t{i} * kDownloadShare / n));
    std::optional<DownloadedPackage> downloaded = next->wait();
    std::string download_error = next->error();
    next.reset();
    if (cancel_requested.load()) return;
    if (i + 1 < n && (downloaded || deltas[k])) next = download(i + 1);
    std::optional<StagedPackage> staged;
    if (deltas[k]) {
      if (downloaded) {
        staged = StageDelta(file, k, staging, install_dir, downloaded->path, cancel_requested);
      }
      if (cancel_requested.load()) return;
      if (!staged) {
        // Whatever kept the delta from making the release's bytes, the package itself still
        // can: fetched now, in the same run, and nobody is told.
        deltas[k].reset();
        const std::unique_ptr<PackageDownload> full = download(i);
        downloaded = full->wait();
        download_error = full->error();
        if (cancel_requested.load()) return;
      }
    }
    if (!staged) {
      if (!downloaded) {
        window.ShowError(download_failure(download_error, display_wide(file.file_path)),
                         ExitCode::PackageFailed);
        return;
      }
      staged = StagePackage(file, k, staging, *downloaded, cancel_requested, window);
      if (!staged) return;
      // The staged bytes reach the disk before the journal says they may replace anything; each
      // package's go while the next one downloads (a delta's files are flushed as it makes them).
      for (const UpdateItem& item : staged->items) {
        if (!flush_file(item.source_path)) {
          window.ShowError(kReplaceFailed + display_wide(item.file_path),
                           ExitCode::FolderNotWritable);
          return;
        }
      }
    }
    progress.placed(k);
    // A file another package of the release names is that package's, whatever a zip holds.
    for (size_t j = 0; j < staged->items.size(); ++j) {
      if (j == 0 || placed.insert(file_key(staged->items[j].file_path)).second) {
        plan.files.push_back(std::move(staged->items[j]));
      }
    }
    if (staged->zip) staged_zips.push_back(std::move(*staged->zip));
  }
  ZipMemberPlan zips = PlanZipMembers(recorded_zips, release, staged_zips);
  plan.removed = std::move(zips.removed);
  const std::wstring records_folder = join_path(staging, kRecordsFolderName);
  std::optional<UpdateItem> zip_record;
  std::optional<UpdateItem> manifest;
  if (remove_tree(records_folder)) {
    if (recorded_zips || !zips.records.packages.empty()) {
      zip_record = StageRecord(records_folder, kZipMembersName, ZipMembersText(zips.records));
    }
    manifest = StageRecord(records_folder, kVersionManifestName,
                           VersionManifestText(records_of(release)));
  }
  if (!manifest || ((recorded_zips || !zips.records.packages.empty()) && !zip_record)) {
    window.ShowError(kCannotWriteRecords + VersionManifestPath(install_dir).native(),
                     ExitCode::FolderNotWritable);
    return;
  }
  if (zip_record) plan.records.push_back(std::move(*zip_record));
  plan.records.push_back(std::move(*manifest));
  pause_point("staged");

  window.SetProgress(kClosingPercent);
  if (may_close_browser) {
    window.SetStatus(kClosingBrowser);
    CloseRunningBrowser(browser_path);
  } else if (BrowserRunning(browser_path)) {
    // Started since the check: left alone, and nothing replaced.
    window.ShowError(kBrowserInUse, ExitCode::BrowserRunning);
    return;
  }

  std::lock_guard replacing(gate.mutex);
  if (gate.closed) return;  // the program is ending: touch nothing
  if (!ReplaceFiles(plan, records_folder, release, install_dir, untrusted, cancel_requested,
                    window)) {
    return;
  }
  // The Apps entry and the scheduled check follow the installation; a stale one does not undo
  // the update.
  RefreshRegistration(install_dir, release.version);
  if (RefreshScheduledChecks(install_dir) == CheckSchedule::Task) NoteScheduledTask(install_dir);
  window.SetProgress(kDonePercent);
  window.SetState(WindowState::Finished);
  window.SetStatus(kUpdated);
}
