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
#include "system/browser_processes.h"
#include "system/disk_room.h"
#include "system/installation_lock.h"
#include "journal/journal.h"
#include "system/scheduled_check.h"
#include "system/uninstall_entry.h"
#include "journal/journal_repair.h"
#include "net/http_client.h"
#include "package/extract_archive.h"
#include "package/fetch_package.h"
#include "package/package_queue.h"
#include "package/release_records.h"
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
#include "ui/run_context.h"
#include "updater/delta_staging.h"
#include "updater/replace_files.h"
#include "updater/stage_package.h"
#include "updater/staged_package.h"
#include "updater/zip_member_plan.h"

namespace {

constexpr const wchar_t* kRecordsFolderName = L"records";
constexpr const wchar_t* kDownloading = L"下载: ";
constexpr const wchar_t* kUpdated = L"更新完成！点击「启动浏览器」继续。";
constexpr const wchar_t* kAlreadyCurrent = L"已是最新版本！";
constexpr const wchar_t* kCannotCreateStaging = L"无法创建临时目录: ";
constexpr int32_t kDownloadShare = 80;
constexpr int32_t kClosingPercent = 82;
constexpr int32_t kDonePercent = 100;
constexpr const wchar_t* kPackageDownloadSuffix = L".zip";
constexpr const wchar_t* kDeltaDownloadSuffix = L".delta.zip";

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
  for (const ReleaseFile& file : changed) {
    staged = std::min(staged + announced(file.file_size), UINT64_MAX / 4);
  }
  std::vector<uint64_t> held;
  for (int64_t size : downloads) held.push_back(announced(size));
  std::vector<RoomNeed> needs{{staging, staged + TwoLargest(held)}};
  if (!SameVolume(staging, install_dir)) needs.push_back({install_dir, staged});
  return MissingRoom(needs);
}

// One record file staged in `folder` to replace its installed copy through the journal.
std::optional<UpdateItem> StageRecord(const std::wstring& folder, const char* name,
                                      const std::string& text) {
  const std::wstring source = join_path(folder, display_wide(name));
  if (!create_directories(folder) || !WriteFileText(source, text)) return std::nullopt;
  return UpdateItem{source, name, 0};
}

void RefreshSystemEntries(const std::wstring& install_dir, const std::string& version) {
  // The Apps entry and the scheduled check follow the installation; a stale one does not undo
  // the update.
  RefreshRegistration(install_dir, version);
  if (RefreshScheduledChecks(install_dir) == CheckSchedule::Task) NoteScheduledTask(install_dir);
}

// The records-only path: the release changed no file.
void RecordReleaseOnly(const RunContext& run, const ReleaseInfo& release, bool untrusted) {
  if (!WriteVersionManifest(RecordsOf(release), run.install_dir)) {
    run.window.ShowError(kCannotWriteRecords + VersionManifestPath(run.install_dir).native(),
                         ExitCode::FolderNotWritable);
    return;
  }
  const std::wstring config = config_path(run.install_dir);
  if (RecordProductVersion(config, release.version) == ConfigWrite::WriteFailed) {
    run.window.ShowError(kCannotWriteConfig + config, ExitCode::FolderNotWritable);
    return;
  }
  if (untrusted) RemoveJournal(run.install_dir);
  RefreshSystemEntries(run.install_dir, release.version);
  run.window.SetState(WindowState::Finished);
  run.window.SetStatus(kAlreadyCurrent);
}

// The changed packages and how each is fetched: a package whose installed file is the base of
// one of its deltas downloads that delta first.
struct Fetches {
  std::vector<ReleaseFile> changed;
  std::vector<std::optional<ReleaseDelta>> deltas;
  std::vector<int64_t> sizes;  // what each downloads first

  QueuedFile queued(size_t i, const std::wstring& staging) const {
    const bool delta = deltas[i].has_value();
    return {delta ? DeltaDownload(changed[i], *deltas[i]) : changed[i],
            staging + L"\\" + std::to_wstring(i) +
                (delta ? kDeltaDownloadSuffix : kPackageDownloadSuffix),
            delta};
  }
};

Fetches PlanFetches(const std::wstring& install_dir, std::vector<ReleaseFile> changed) {
  Fetches fetches{std::move(changed), {}, {}};
  for (const ReleaseFile& file : fetches.changed) {
    fetches.deltas.push_back(ChooseDelta(file, install_dir));
    fetches.sizes.push_back(fetches.deltas.back() ? fetches.deltas.back()->file_size
                                                  : file.file_size);
  }
  return fetches;
}

// Stages package i from what the queue brought: its delta (falling back, silently, to the whole
// package fetched now) or the package itself. The staged package, or nothing when the run ended
// (the reason shown).
std::optional<StagedPackage> StageOne(const RunContext& run, const Fetches& fetches, size_t i,
                                      const std::wstring& staging, PackageQueue& queue,
                                      PackageOutcome<DownloadedPackage> downloaded) {
  const ReleaseFile& file = fetches.changed[i];
  if (fetches.deltas[i]) {
    std::optional<StagedPackage> staged;
    if (downloaded) {
      staged = StageDelta(file, i, staging, run.install_dir, downloaded.value->path, run.cancel);
    }
    if (run.cancelled()) return std::nullopt;
    if (staged) return staged;
    // Whatever kept the delta from making the release's bytes, the package itself still can.
    downloaded = queue.fetch_now(
        i, QueuedFile{file, staging + L"\\" + std::to_wstring(i) + kPackageDownloadSuffix, false});
    if (run.cancelled()) return std::nullopt;
  }
  const auto fail = [&](const PackageError& error, UpdateStep step) {
    const FailureReport report = update_failure(error, file.file_path, step);
    run.window.ShowError(report.text, report.code);
    return std::nullopt;
  };
  if (!downloaded) return fail(downloaded.error, UpdateStep::Download);
  PackageOutcome<StagedPackage> staged =
      StagePackage(file, i, staging, *downloaded.value, run.cancel);
  if (!staged) return fail(staged.error, UpdateStep::Stage);
  // The staged bytes reach the disk before the journal says they may replace anything; each
  // package's go while the next one downloads (a delta's files are flushed as it makes them).
  for (const UpdateItem& item : staged.value->items) {
    if (!flush_file(item.source_path)) return fail({PackageFailure::Flush, {}}, UpdateStep::Stage);
  }
  return std::move(*staged.value);
}

// Downloads (one ahead) and stages every changed package; the files the replacement puts in
// place and the zips' records, or nothing when the run ended.
std::optional<ReplacementPlan> StageAll(const RunContext& run, const ReleaseInfo& release,
                                        const Fetches& fetches, const std::wstring& staging,
                                        std::vector<ZipRecord>& staged_zips) {
  const auto n = static_cast<int32_t>(fetches.changed.size());
  ReplacementPlan plan;
  plan.packages = fetches.changed.size();
  std::set<std::u16string> placed;
  for (const ReleaseFile& file : release.files) placed.insert(file_key(file.file_path));
  ProgressReporter progress(run.window, fetches.sizes, 0, kDownloadShare);
  PackageQueue queue(
      fetches.changed.size(), [&](size_t i) { return fetches.queued(i, staging); }, run.cancel,
      [&progress](size_t i, uint64_t received, uint64_t expected) {
        progress.downloaded(i, received, expected);
      });
  for (int32_t i = 0; i < n; ++i) {
    if (run.cancelled()) return std::nullopt;
    const auto k = static_cast<size_t>(i);
    progress.begin_package(k,
                           kDownloading + std::to_wstring(i + 1) + L"/" + std::to_wstring(n) +
                               L"  " + display_wide(fetches.changed[k].file_path),
                           static_cast<int32_t>(int64_t{i} * kDownloadShare / n));
    PackageOutcome<DownloadedPackage> downloaded = queue.take(k);
    if (run.cancelled()) return std::nullopt;
    std::optional<StagedPackage> staged =
        StageOne(run, fetches, k, staging, queue, std::move(downloaded));
    if (!staged) return std::nullopt;
    progress.placed(k);
    // A file another package of the release names is that package's, whatever a zip holds.
    for (size_t j = 0; j < staged->items.size(); ++j) {
      if (j == 0 || placed.insert(file_key(staged->items[j].file_path)).second) {
        plan.files.push_back(std::move(staged->items[j]));
      }
    }
    if (staged->zip) staged_zips.push_back(std::move(*staged->zip));
  }
  return plan;
}

// The records the replacement writes last, staged in `records_folder`: the zips' members (when
// there are any, now or before) and the manifest. False when they cannot be (the reason shown).
bool StageRecords(const RunContext& run, const ReleaseInfo& release,
                  const std::optional<ZipMembers>& recorded_zips,
                  const std::vector<ZipRecord>& staged_zips, const std::wstring& records_folder,
                  ReplacementPlan& plan) {
  ZipMemberPlan zips = PlanZipMembers(recorded_zips, release, staged_zips);
  plan.removed = std::move(zips.removed);
  const bool keeps_zips = recorded_zips || !zips.records.packages.empty();
  std::optional<UpdateItem> zip_record;
  std::optional<UpdateItem> manifest;
  if (remove_tree(records_folder)) {
    if (keeps_zips) {
      zip_record = StageRecord(records_folder, kZipMembersName, ZipMembersText(zips.records));
    }
    manifest =
        StageRecord(records_folder, kVersionManifestName, VersionManifestText(RecordsOf(release)));
  }
  if (!manifest || (keeps_zips && !zip_record)) {
    run.window.ShowError(kCannotWriteRecords + VersionManifestPath(run.install_dir).native(),
                         ExitCode::FolderNotWritable);
    return false;
  }
  if (zip_record) plan.records.push_back(std::move(*zip_record));
  plan.records.push_back(std::move(*manifest));
  return true;
}

// The browser closed (or, for a silent update, found not running); false when the run ends here.
bool BrowserClosed(const RunContext& run, const std::wstring& browser_path,
                   bool may_close_browser) {
  run.window.SetProgress(kClosingPercent);
  if (may_close_browser) {
    run.window.SetStatus(kClosingBrowser);
    CloseRunningBrowser(browser_path);
    return true;
  }
  if (!BrowserRunning(browser_path)) return true;
  // Started since the check: left alone, and nothing replaced.
  run.window.ShowError(kBrowserInUse, ExitCode::BrowserRunning);
  return false;
}

}  // namespace

void RunUpdate(WindowModel& window, const std::atomic<bool>& cancel_requested, WriteGate& gate,
               const std::wstring& install_dir, const ReleaseInfo& release,
               const std::wstring& browser_path, bool untrusted, bool may_close_browser) {
  const RunContext run{window, cancel_requested, gate, install_dir};
  // A path that could leave the installation, or two spellings of one file (the run would
  // overwrite, or delete as a backup, what it just put down): refused before anything is fetched.
  if (const std::optional<RefusedPath> refused = find_refused_path(release.files)) {
    const FailureReport report = update_failure(
        refused->error, release.files[refused->index].file_path, UpdateStep::Refusal);
    window.ShowError(report.text, report.code);
    return;
  }
  const std::optional<ZipMembers> recorded_zips = ReadZipMembers(install_dir);
  std::vector<ReleaseFile> changed = changed_files(install_dir, release, recorded_zips, untrusted);
  if (changed.empty()) return RecordReleaseOnly(run, release, untrusted);
  const std::wstring staging = UpdateStagingFolder(install_dir);
  if (staging.empty() || !create_directories(staging)) {
    window.ShowError(kCannotCreateStaging + staging, ExitCode::FolderNotWritable);
    return;
  }
  // A failed or cancelled update leaves none of its downloads behind, nor a successful one.
  const ScopedFolderRemoval staged_files(staging);
  const Fetches fetches = PlanFetches(install_dir, std::move(changed));
  if (const std::optional<std::wstring> no_room =
          MissingUpdateRoom(staging, install_dir, fetches.changed, fetches.sizes)) {
    window.ShowError(*no_room, ExitCode::FolderNotWritable);
    return;
  }
  std::vector<ZipRecord> staged_zips;
  std::optional<ReplacementPlan> plan = StageAll(run, release, fetches, staging, staged_zips);
  const std::wstring records_folder = join_path(staging, kRecordsFolderName);
  if (!plan || !StageRecords(run, release, recorded_zips, staged_zips, records_folder, *plan))
    return;
  pause_point("staged");
  if (!BrowserClosed(run, browser_path, may_close_browser)) return;
  std::lock_guard replacing(gate.mutex);
  if (gate.closed) return;  // the program is ending: touch nothing
  if (!ReplaceFiles(run, *plan, records_folder, release, untrusted)) return;
  RefreshSystemEntries(install_dir, release.version);
  window.SetProgress(kDonePercent);
  window.SetState(WindowState::Finished);
  window.SetStatus(kUpdated);
}
