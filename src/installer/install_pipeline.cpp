#include "installer/install_pipeline.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "base/wide.h"
#include "system/installation_lock.h"
#include "system/scheduled_check.h"
#include "system/shortcuts.h"
#include "system/uninstall_entry.h"
#include "journal/journal_repair.h"
#include "installer/install_checks.h"
#include "net/http_client.h"
#include "package/fetch_package.h"
#include "package/package_queue.h"
#include "package/release_records.h"
#include "package/installed_path.h"
#include "package/path_conflicts.h"
#include "package/sha256_file.h"
#include "state/config_file.h"
#include "state/file_text.h"
#include "state/version_manifest.h"
#include "state/zip_members.h"
#include "ui/progress_reporter.h"
#include "ui/run_context.h"
#include "ui/shared_texts.h"

namespace {

constexpr const wchar_t* kDownloadStatus = L"下载: ";
constexpr const wchar_t* kFinishing = L"正在完成安装...";
constexpr const wchar_t* kFinished = L"安装完成！点击「启动浏览器」开始使用。";
constexpr const wchar_t* kFinishedWithoutDesktopLink = L"安装完成！但未能创建桌面快捷方式。";
constexpr const wchar_t* kFinishedWithoutMenuLink = L"安装完成！但未能创建开始菜单快捷方式。";
constexpr const wchar_t* kFinishedWithoutLinks = L"安装完成！但未能创建桌面和开始菜单快捷方式。";
constexpr const wchar_t* kFinishedWithoutEntry = L"安装完成！但未能登记到系统的「应用」列表中。";
constexpr const wchar_t* kFinishedWithoutChecks = L"安装完成！但未能设置自动检查更新。";
constexpr const wchar_t* kFinishedWithLogonCheck =
    L"安装完成！但未能创建计划任务，将改为在登录时检查更新。";
constexpr const wchar_t* kCannotCreateTemp = L"无法创建临时目录: ";
constexpr const wchar_t* kCannotCopyUpdater = L"无法复制更新程序: ";
constexpr const wchar_t* kCannotWriteInstallDir = L"无法写入安装目录: ";
constexpr const wchar_t* kUpdateRunning = L"Orvane 正在更新，请在更新结束后再安装。";
constexpr int32_t kFullPercent = 100;

// The Finished line names what could not be made; the installation works without. Without the
// Apps entry it cannot be removed from the system's settings: that is said first; then an
// installation that would not be kept up to date by itself.
const wchar_t* finished_status(bool desktop_link, bool menu_link, bool registered,
                               CheckSchedule checks) {
  if (!registered) return kFinishedWithoutEntry;
  if (checks == CheckSchedule::None) return kFinishedWithoutChecks;
  if (checks == CheckSchedule::RunKey) return kFinishedWithLogonCheck;
  if (desktop_link && menu_link) return kFinished;
  if (menu_link) return kFinishedWithoutDesktopLink;
  if (desktop_link) return kFinishedWithoutMenuLink;
  return kFinishedWithoutLinks;
}

// What an archive placed: each file with the digest it has now, so that an update knows what the
// package brought and an uninstall finds all of it. The file at file_path was hashed when it was
// checked.
ZipRecord zip_record(const std::wstring& install_dir, const ReleaseFile& file,
                     const PlacedPackage& placed) {
  ZipRecord record{file.file_path, file.zip_checksum, {}};
  for (const std::string& member : placed.members) {
    const std::optional<std::wstring> path = InstalledPath(install_dir, member);
    const bool checked = member == file.file_path && !placed.digest.empty();
    record.members.push_back({member, checked ? placed.digest
                                      : path  ? Sha256File(*path)
                                              : std::string()});
  }
  return record;
}

// Everything that is told before the first download: a path the release may not install, a
// folder that cannot take files, drives without room. False when the run ends here.
bool CheckBeforeDownloads(const RunContext& run, const ReleaseInfo& release,
                          const std::wstring& temp_dir) {
  // A path that could leave the folder, or one that names a file twice, is refused before
  // anything is fetched.
  if (const std::optional<RefusedPath> refused = find_refused_path(release.files)) {
    const FailureReport report = install_failure(
        refused->error, release.files[refused->index].file_path, InstallStep::Refusal);
    run.window.ShowError(report.text, report.code);
    return false;
  }
  if (!CanWriteInto(run.install_dir)) {
    run.window.ShowError(kCannotWriteInstallDir + run.install_dir, ExitCode::FolderNotWritable);
    return false;
  }
  if (const std::optional<std::wstring> no_room =
          CheckRoomFor(release, run.install_dir, temp_dir)) {
    run.window.ShowError(*no_room, ExitCode::FolderNotWritable);
    return false;
  }
  return true;
}

// Installing over an installation writes straight into it: until the install has finished, its
// records describe files that may be half replaced. The journal says so ("untrusted"), so that
// an updater after a cancel, a kill or a full disk fetches everything. An update interrupted
// earlier is retired first: its backups are stale once anything is installed.
bool MarkReinstall(const RunContext& run) {
  if (!RetireInterruptedUpdate(run.install_dir) ||
      (ReadVersionManifest(run.install_dir) &&
       !WriteJournal(run.install_dir, JournalState{true, false, {}}))) {
    run.window.ShowError(kCannotWriteRecords + join_path(run.install_dir, kJournalName),
                         ExitCode::FolderNotWritable);
    return false;
  }
  return true;
}

// Downloads every package (one ahead of the one being put in place) and puts it in place; what
// the zips placed, or nothing when the run ended (the reason shown; nothing for a cancel).
std::optional<ZipMembers> PlaceAll(const RunContext& run, const ReleaseInfo& release,
                                   const std::wstring& temp_dir) {
  const auto count = static_cast<int32_t>(release.files.size());
  const std::wstring config = config_path(run.install_dir);
  std::vector<int64_t> sizes;
  for (const ReleaseFile& file : release.files) sizes.push_back(file.file_size);
  ProgressReporter progress(run.window, sizes, 0, kFullPercent);
  PackageQueue queue(
      release.files.size(),
      [&](size_t i) {
        return QueuedFile{release.files[i], install_download_path(temp_dir, i), false};
      },
      run.cancel,
      [&progress](size_t i, uint64_t received, uint64_t expected) {
        progress.downloaded(i, received, expected);
      });
  const auto fail = [&](const PackageError& error, const ReleaseFile& file, InstallStep step) {
    const FailureReport report = install_failure(error, file.file_path, step);
    run.window.ShowError(report.text, report.code);
    return std::nullopt;
  };
  ZipMembers zips;
  for (int32_t i = 0; i < count; ++i) {
    if (run.cancelled()) return std::nullopt;
    const auto k = static_cast<size_t>(i);
    const ReleaseFile& file = release.files[k];
    progress.begin_package(k,
                           kDownloadStatus + std::to_wstring(i + 1) + L"/" +
                               std::to_wstring(count) + L"  " + display_wide(file.file_path),
                           static_cast<int32_t>(int64_t{i} * kFullPercent / count));
    const PackageOutcome<DownloadedPackage> downloaded = queue.take(k);
    if (run.cancelled()) return std::nullopt;
    if (!downloaded) return fail(downloaded.error, file, InstallStep::Download);
    // A package may bring a new config; the values this installation already had stay.
    const std::optional<std::string> kept_config = ReadFileText(config);
    const PackageOutcome<PlacedPackage> placed =
        PlacePackage(file, *downloaded.value, run.install_dir, &run.cancel, &run.gate);
    const bool config_kept = !kept_config || KeepConfigValues(config, *kept_config);
    if (run.cancelled()) return std::nullopt;
    if (!placed) return fail(placed.error, file, InstallStep::Place);
    if (!config_kept) {
      run.window.ShowError(kCannotWriteConfig + config, ExitCode::FolderNotWritable);
      return std::nullopt;
    }
    if (file.compressed) zips.packages.push_back(zip_record(run.install_dir, file, *placed.value));
    progress.placed(k);
  }
  return zips;
}

// Records the whole release, or nothing: a cancel now waits for it. False when the run ended.
bool RecordInstall(const RunContext& run, const ReleaseInfo& release, const ZipMembers& zips) {
  const std::lock_guard recording(run.gate.mutex);
  if (run.gate.closed || run.cancelled()) return false;
  const auto fail = [&](const std::wstring& text) {
    run.window.ShowError(text, ExitCode::FolderNotWritable);
    return false;
  };
  const std::wstring zips_path = ZipMembersPath(run.install_dir).native();
  if ((!zips.packages.empty() || path_exists(zips_path)) &&
      !WriteFileText(zips_path, ZipMembersText(zips))) {
    return fail(kCannotWriteRecords + zips_path);
  }
  if (!WriteVersionManifest(RecordsOf(release), run.install_dir)) {
    return fail(kCannotWriteRecords + VersionManifestPath(run.install_dir).native());
  }
  const std::wstring config = config_path(run.install_dir);
  if (RecordProductVersion(config, release.version) == ConfigWrite::WriteFailed) {
    return fail(kCannotWriteConfig + config);
  }
  // The whole release and its records are in place: the installation is trusted again.
  if (!RetireInterruptedUpdate(run.install_dir)) {
    return fail(kCannotWriteRecords + join_path(run.install_dir, kJournalName));
  }
  return true;
}

// The updater copy, the shortcuts, the Apps entry and the scheduled check; then Finished,
// naming what could not be made.
void FinishInstall(const RunContext& run, const ReleaseInfo& release,
                   const InstallOptions& options) {
  run.window.SetProgress(kFullPercent);
  run.window.SetStatus(kFinishing);
  const std::wstring updater = updater_path(run.install_dir);
  if (!CopySelfAsUpdater(updater)) {
    run.window.ShowError(kCannotCopyUpdater + updater, ExitCode::FolderNotWritable);
    return;
  }
  const std::wstring browser = browser_path(run.install_dir);
  const bool desktop_link = !options.shortcuts || CreateDesktopShortcut(browser, kShortcutName);
  const bool menu_link = !options.shortcuts || CreateStartMenuShortcut(browser, kShortcutName);
  const bool registered = RegisterInstallation(run.install_dir, release.version);
  const CheckSchedule checks = ScheduleChecks(run.install_dir);
  if (checks == CheckSchedule::Task) NoteScheduledTask(run.install_dir);
  run.window.SetState(WindowState::Finished);
  run.window.SetStatus(finished_status(desktop_link, menu_link, registered, checks));
}

}  // namespace

void RunInstall(WindowModel& window, const std::atomic<bool>& cancel_requested, WriteGate& gate,
                const std::wstring& install_dir, const ReleaseInfo& release,
                const InstallOptions& options) {
  const RunContext run{window, cancel_requested, gate, install_dir};
  // The folder exists first, so that the lock names it as every later run will.
  if (!create_directories(install_dir)) {
    window.ShowError(kCannotCreateInstallDir + install_dir, ExitCode::FolderNotWritable);
    return;
  }
  // An updater (or its --check question, or an uninstall) working on this folder keeps its
  // journal and backups live: installing under it would have a later undo restore old files
  // under new records. Nothing is waited for; "重试" tries again.
  const InstallationLock lock(install_dir);
  if (!lock.held_by_us()) {
    window.ShowError(kUpdateRunning, ExitCode::Busy);
    return;
  }
  const std::wstring temp_dir = install_temp_dir();
  if (temp_dir.empty() || !create_directories(temp_dir)) {
    window.ShowError(kCannotCreateTemp + temp_dir, ExitCode::FolderNotWritable);
    return;
  }
  // The downloads go however the run ends, so that a retry starts clean (after the download
  // ahead stopped: the queue is made later, and goes first).
  const ScopedFolderRemoval downloads(temp_dir);
  if (!CheckBeforeDownloads(run, release, temp_dir) || !MarkReinstall(run)) return;
  const std::optional<ZipMembers> zips = PlaceAll(run, release, temp_dir);
  if (!zips || !RecordInstall(run, release, *zips)) return;
  FinishInstall(run, release, options);
}
