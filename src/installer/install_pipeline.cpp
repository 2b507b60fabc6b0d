#include "installer/install_pipeline.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "base/wide.h"
#include "installation/installation_lock.h"
#include "installation/scheduled_check.h"
#include "installation/shortcuts.h"
#include "installation/uninstall_entry.h"
#include "installation/update_marker.h"
#include "installer/install_checks.h"
#include "net/http_client.h"
#include "package/fetch_package.h"
#include "package/package_download.h"
#include "package/installed_path.h"
#include "package/path_conflicts.h"
#include "package/sha256_file.h"
#include "state/config_file.h"
#include "state/file_text.h"
#include "state/version_manifest.h"
#include "state/zip_members.h"
#include "ui/progress_reporter.h"
#include "ui/shared_texts.h"

namespace {

constexpr const wchar_t* kDownloadStatus = L"下载: ";
constexpr const wchar_t* kDownloadFailed = L"下载失败: ";
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
// checked: `placed_digest`.
ZipRecord zip_record(const std::wstring& install_dir, const ReleaseFile& file,
                     const std::vector<std::string>& members, const std::string& placed_digest) {
  ZipRecord record{file.file_path, file.zip_checksum, {}};
  for (const std::string& member : members) {
    const std::optional<std::wstring> path = InstalledPath(install_dir, member);
    const bool checked = member == file.file_path && !placed_digest.empty();
    record.members.push_back(
        {member, checked ? placed_digest : path ? Sha256File(*path) : std::string()});
  }
  return record;
}

// Ends a run that stopped early: its downloads go first, so that a retry starts clean, then the
// window learns why (nothing when the person cancelled).
void stop(WindowModel& window, const std::wstring& temp_dir, const std::wstring& error,
          ExitCode kind = ExitCode::FolderNotWritable) {
  remove_tree(temp_dir);
  if (!error.empty()) window.ShowError(error, kind);
}

// A package that did not arrive whole, or whose bytes are not the release's, against one that
// could not be written into the folder.
ExitCode place_failure(const std::string& reason) {
  return reason == kChecksumError || reason == kDownloadChecksumError ||
                 reason == kRecordMemberError
             ? ExitCode::PackageFailed
             : ExitCode::FolderNotWritable;
}

}  // namespace

void RunInstall(WindowModel& window, const std::atomic<bool>& cancel_requested, WriteGate& gate,
                const std::wstring& install_dir, const ReleaseInfo& release,
                const InstallOptions& options) {
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
  HttpClient http;
  http.set_cancel_flag(&cancel_requested);
  const std::wstring temp_dir = install_temp_dir();
  if (temp_dir.empty() || !create_directories(temp_dir)) {
    window.ShowError(kCannotCreateTemp + temp_dir, ExitCode::FolderNotWritable);
    return;
  }
  // A path that could leave the folder is refused before anything is fetched.
  if (const std::optional<size_t> unsafe = find_unsafe_path(release.files)) {
    return stop(window, temp_dir,
                kDownloadFailed + display_wide(release.files[*unsafe].file_path) + L"\n" +
                    display_wide(kInvalidFilePathError),
                ExitCode::ServiceUnavailable);
  }
  // A release that names one file twice would overwrite what it just put down: refused before
  // anything is fetched, naming the second spelling.
  if (const std::optional<size_t> conflict = find_conflicting_path(release.files)) {
    return stop(window, temp_dir,
                kDownloadFailed + display_wide(release.files[*conflict].file_path) + L"\n" +
                    display_wide(kConflictingPathError),
                ExitCode::ServiceUnavailable);
  }
  // A full disk or a folder that cannot take files is told now, not after a long download.
  if (!CanWriteInto(install_dir)) {
    return stop(window, temp_dir, kCannotWriteInstallDir + install_dir);
  }
  if (const std::optional<std::wstring> no_room = CheckRoomFor(release, install_dir, temp_dir)) {
    return stop(window, temp_dir, *no_room);
  }
  // Installing over an installation writes straight into it: until the install has finished,
  // its records describe files that may be half replaced. The journal says so ("untrusted"), so
  // that an updater after a cancel, a kill or a full disk fetches everything. An update
  // interrupted earlier is retired first: its backups are stale once anything is installed.
  const std::wstring journal = join_path(install_dir, kUpdateMarkerName);
  if (!RetireInterruptedUpdate(install_dir) ||
      (ReadVersionManifest(install_dir) &&
       !WriteUpdateMarker(install_dir, UpdateMarker{true, false, {}}))) {
    return stop(window, temp_dir, kCannotWriteRecords + journal);
  }
  const auto count = static_cast<int32_t>(release.files.size());
  VersionManifest manifest{
      release.version, release.channel, {}, release.sequence, release.key_sequence};
  ZipMembers zips;
  const std::wstring config = config_path(install_dir);
  std::vector<int64_t> sizes;
  for (const ReleaseFile& file : release.files) sizes.push_back(file.file_size);
  ProgressReporter progress(window, sizes, 0, kFullPercent);
  const auto download = [&](int32_t i) {
    return std::make_unique<PackageDownload>(
        release.files[static_cast<size_t>(i)], install_download_path(temp_dir, static_cast<size_t>(i)),
        cancel_requested,
        [&progress, i](uint64_t received, uint64_t expected) {
          progress.downloaded(static_cast<size_t>(i), received, expected);
        });
  };
  // At most one package downloads ahead of the one being put in place; it stops, and its
  // thread ends, before the downloads are removed.
  std::unique_ptr<PackageDownload> next = count > 0 ? download(0) : nullptr;
  const auto end = [&](const std::wstring& error, ExitCode kind = ExitCode::PackageFailed) {
    next.reset();
    stop(window, temp_dir, error, kind);
  };

  for (int32_t i = 0; i < count; ++i) {
    if (cancel_requested.load()) return end({});
    const ReleaseFile& file = release.files[static_cast<size_t>(i)];
    const std::wstring failed = kDownloadFailed + display_wide(file.file_path) + L"\n";
    progress.begin_package(static_cast<size_t>(i),
                           kDownloadStatus + std::to_wstring(i + 1) + L"/" +
                               std::to_wstring(count) + L"  " + display_wide(file.file_path),
                           static_cast<int32_t>(int64_t{i} * kFullPercent / count));
    const std::optional<DownloadedPackage> downloaded = next->wait();
    const std::string download_error = next->error();
    next.reset();
    if (cancel_requested.load()) return end({});
    if (!downloaded) return end(failed + display_wide(download_error));
    if (i + 1 < count) next = download(i + 1);
    // A package may bring a new config; the values this installation already had stay.
    const std::optional<std::string> kept_config = ReadFileText(config);
    std::vector<std::string> members;
    std::string placed_digest;
    const bool placed = PlacePackage(file, *downloaded, install_dir, http, &cancel_requested,
                                     &members, &gate, &placed_digest);
    const bool config_kept = !kept_config || KeepConfigValues(config, *kept_config);
    if (cancel_requested.load()) return end({});
    if (!placed)
      return end(failed + display_wide(http.last_error()), place_failure(http.last_error()));
    if (!config_kept) return end(kCannotWriteConfig + config, ExitCode::FolderNotWritable);
    manifest.files.push_back({file.file_path, file.checksum_sha256});
    if (file.compressed) zips.packages.push_back(zip_record(install_dir, file, members, placed_digest));
    progress.placed(static_cast<size_t>(i));
  }

  // Past this point the install is recorded whole or not at all: a cancel now waits for it.
  const std::lock_guard recording(gate.mutex);
  if (gate.closed || cancel_requested.load()) return stop(window, temp_dir, {});
  const std::wstring zips_path = ZipMembersPath(install_dir).native();
  if ((!zips.packages.empty() || path_exists(zips_path)) &&
      !WriteFileText(zips_path, ZipMembersText(zips))) {
    return stop(window, temp_dir, kCannotWriteRecords + zips_path);
  }
  if (!WriteVersionManifest(manifest, install_dir)) {
    return stop(window, temp_dir, kCannotWriteRecords + VersionManifestPath(install_dir).native());
  }
  if (RecordProductVersion(config, release.version) == ConfigWrite::WriteFailed) {
    return stop(window, temp_dir, kCannotWriteConfig + config);
  }
  // The whole release and its records are in place: the installation is trusted again.
  if (!RetireInterruptedUpdate(install_dir)) {
    return stop(window, temp_dir, kCannotWriteRecords + journal);
  }
  window.SetProgress(kFullPercent);
  window.SetStatus(kFinishing);
  const std::wstring updater = updater_path(install_dir);
  if (!CopySelfAsUpdater(updater)) return stop(window, temp_dir, kCannotCopyUpdater + updater);
  const std::wstring browser = browser_path(install_dir);
  const bool desktop_link = !options.shortcuts || CreateDesktopShortcut(browser, kShortcutName);
  const bool menu_link = !options.shortcuts || CreateStartMenuShortcut(browser, kShortcutName);
  const bool registered = RegisterInstallation(install_dir, release.version);
  const CheckSchedule checks = ScheduleChecks(install_dir);
  if (checks == CheckSchedule::Task) NoteScheduledTask(install_dir);
  window.SetState(WindowState::Finished);
  window.SetStatus(finished_status(desktop_link, menu_link, registered, checks));
  remove_tree(temp_dir);
}
