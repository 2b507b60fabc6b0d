#include "uninstall/uninstall_pipeline.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <set>
#include <vector>

#include "base/file_system.h"
#include "base/pause_point.h"
#include "base/win_handle.h"
#include "system/browser_processes.h"
#include "system/shortcuts.h"
#include "system/declined_update.h"
#include "system/scheduled_check.h"
#include "system/uninstall_entry.h"
#include "journal/journal_repair.h"
#include "package/installed_path.h"
#include "state/install_layout.h"
#include "state/version_manifest.h"
#include "state/zip_members.h"
#include "ui/shared_texts.h"

namespace {

constexpr const wchar_t* kCheckingFiles = L"正在检查文件...";
constexpr const wchar_t* kRemoving = L"正在删除: ";
constexpr const wchar_t* kRemoved = L"Orvane 已从此电脑中卸载。";
constexpr const wchar_t* kRemovedFolderKept = L"Orvane 已卸载。安装目录中的其他文件已保留: ";
constexpr const wchar_t* kBrowserStillRunning = L"无法关闭正在运行的浏览器，请关闭后重试";
constexpr const wchar_t* kFileInUse = L"文件正在使用中，未删除任何文件: ";
constexpr const wchar_t* kCannotDelete = L"无法删除: ";
constexpr const wchar_t* kCannotRemoveEntry = L"无法删除「应用」列表中的卸载信息";
constexpr const wchar_t* kCannotRemoveChecks = L"无法删除自动检查更新的计划任务";
constexpr int32_t kCheckingPercent = 5;
constexpr int32_t kRemovingPercent = 10;
constexpr int32_t kRemovingShare = 85;

// What the run deletes: every recorded file of ours and every file a recorded zip placed, then
// the config, the updater (unless it is the running program), the records last.
std::vector<std::wstring> files_to_remove(const std::wstring& install_dir,
                                          const std::optional<VersionManifest>& records,
                                          const std::optional<ZipMembers>& zips,
                                          bool keep_updater) {
  const std::wstring records_path = VersionManifestPath(install_dir).native();
  const std::wstring zips_path = ZipMembersPath(install_dir).native();
  std::set<std::wstring> seen{folded_directory(config_path(install_dir)),
                              folded_directory(updater_path(install_dir)),
                              folded_directory(zips_path), folded_directory(records_path)};
  std::vector<std::wstring> files;
  const auto add = [&](const std::string& file_path) {
    const std::optional<std::wstring> path = InstalledPath(install_dir, file_path);
    if (!path) return;
    if (seen.insert(folded_directory(*path)).second) files.push_back(*path);
  };
  if (records) {
    for (const ManifestEntry& entry : records->files) add(entry.file_path);
  }
  if (zips) {
    for (const ZipRecord& zip : zips->packages) {
      for (const ZipMember& member : zip.members) add(member.file_path);
    }
  }
  files.push_back(config_path(install_dir));
  if (!keep_updater) files.push_back(updater_path(install_dir));
  files.push_back(zips_path);
  files.push_back(records_path);
  return files;
}

// Whether the file could be deleted now: nobody holds it open without sharing deletion.
bool deletable(const std::wstring& path) {
  const ScopedKernelHandle file(CreateFileW(path.c_str(), DELETE,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                            nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT,
                                            nullptr));
  return file || GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND;
}

// The shortcuts the install made, as long as they still start this installation's browser.
std::vector<std::wstring> own_shortcuts(const std::wstring& install_dir) {
  std::vector<std::wstring> links;
  const std::wstring browser = folded_directory(browser_path(install_dir));
  for (const std::wstring& link :
       {DesktopShortcutPath(kShortcutName), StartMenuShortcutPath(kShortcutName)}) {
    if (!link.empty() && path_exists(link) &&
        folded_directory(ReadShellLinkTarget(link)) == browser) {
      links.push_back(link);
    }
  }
  return links;
}

// Removes the folders between the removed files and the installation folder that are empty
// now, deepest first; the installation folder itself only when `with_root`.
void remove_empty_folders(const std::wstring& install_dir, const std::vector<std::wstring>& files,
                          bool with_root) {
  const std::wstring root = folded_directory(install_dir);
  std::vector<std::wstring> folders;
  for (const std::wstring& file : files) {
    for (std::wstring folder = parent_directory(file); !folder.empty();
         folder = parent_directory(folder)) {
      const std::wstring folded = folded_directory(folder);
      if (folded == root || folded.size() <= root.size()) break;
      folders.push_back(folder);
    }
  }
  // Longest first (a folder before its parent); equal texts end up side by side for unique.
  std::sort(folders.begin(), folders.end(), [](const std::wstring& a, const std::wstring& b) {
    return a.size() != b.size() ? a.size() > b.size() : a < b;
  });
  folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
  for (const std::wstring& folder : folders) RemoveDirectoryW(folder.c_str());
  if (with_root) RemoveDirectoryW(install_dir.c_str());
}

// Whether anything but the kept updater is left in the installation folder.
bool folder_keeps_others(const std::wstring& install_dir, bool keep_updater) {
  WIN32_FIND_DATAW found{};
  const ScopedFind search(FindFirstFileW(join_path(install_dir, L"*").c_str(), &found));
  if (!search) return false;
  bool others = false;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (keep_updater && CompareStringOrdinal(name.c_str(), -1, kUpdaterExeName, -1, TRUE) == CSTR_EQUAL) {
      continue;
    }
    others = true;
  } while (!others && FindNextFileW(search.get(), &found));
  return others;
}

// Every file the uninstall removes can be removed (none is in use): checked before the first
// goes, so that a file in use stops it with nothing deleted.
bool AllDeletable(WindowModel& window, const std::vector<std::wstring>& files) {
  window.SetProgress(kCheckingPercent);
  window.SetStatus(kCheckingFiles);
  for (const std::wstring& file : files) {
    if (!deletable(file)) {
      window.ShowError(kFileInUse + file);
      return false;
    }
  }
  return true;
}

// The installation's files, then its shortcuts; false (the file named) when one cannot go.
bool RemoveFiles(WindowModel& window, const std::wstring& install_dir,
                 const std::vector<std::wstring>& files) {
  const std::vector<std::wstring> links = own_shortcuts(install_dir);
  const auto n = static_cast<int32_t>(files.size());
  for (int32_t i = 0; i < n; ++i) {
    const std::wstring& file = files[static_cast<size_t>(i)];
    window.SetProgress(kRemovingPercent + i * kRemovingShare / n);
    window.SetStatus(kRemoving + file);
    if (!delete_file(file)) {
      window.ShowError(kCannotDelete + file);
      return false;
    }
    pause_point("removing");
  }
  for (const std::wstring& link : links) {
    if (!delete_file(link)) {
      window.ShowError(kCannotDelete + link);
      return false;
    }
  }
  if (const std::wstring menu = StartMenuFolderPath(); !menu.empty()) RemoveDirectoryW(menu.c_str());
  return true;
}

// What the system keeps of the installation: the scheduled check goes before the entry, so that
// a run again still finds the installation.
bool RemoveSystemEntries(WindowModel& window, const std::wstring& install_dir) {
  if (!RemoveScheduledChecks(install_dir, ScheduledTaskNoted(install_dir))) {
    window.ShowError(kCannotRemoveChecks);
    return false;
  }
  ForgetDeclinedVersion(install_dir);
  if (!RemoveRegistration(install_dir)) {
    window.ShowError(kCannotRemoveEntry);
    return false;
  }
  return true;
}

}  // namespace

bool RunUninstall(WindowModel& window, const std::atomic<bool>& cancel,
                  const std::wstring& install_dir, bool keep_updater) {
  window.SetState(WindowState::Working);
  window.SetProgress(0);
  window.SetStatus(kClosingBrowser);
  if (!CloseRunningBrowser(browser_path(install_dir))) {
    window.ShowError(kBrowserStillRunning);
    return false;
  }
  // An update interrupted half-way is put back first: what the records list is then what lies
  // there, and no backup of ours stays behind.
  const RepairResult repair = RepairInterruptedUpdate(install_dir);
  if (repair.outcome == RepairOutcome::Blocked) {
    window.ShowError(kFileInUse + repair.unrestored);
    return false;
  }
  const std::optional<VersionManifest> records = ReadVersionManifest(install_dir);
  const std::vector<std::wstring> files =
      files_to_remove(install_dir, records, ReadZipMembers(install_dir), keep_updater);
  window.SetReleaseSummary(records ? records->version : std::string(),
                           static_cast<int32_t>(records ? records->files.size() : 0),
                           int64_t{InstalledKib(install_dir)} * 1024);
  if (!AllDeletable(window, files) || cancel.load()) return false;
  // From here on the run finishes: stopping half-way would only leave a broken installation.
  if (!RemoveFiles(window, install_dir, files) || !RemoveSystemEntries(window, install_dir)) {
    return false;
  }
  remove_empty_folders(install_dir, files, !keep_updater);
  window.SetProgress(100);
  window.SetState(WindowState::Finished);
  window.SetStatus(folder_keeps_others(install_dir, keep_updater)
                       ? kRemovedFolderKept + install_dir
                       : std::wstring(kRemoved));
  return true;
}
