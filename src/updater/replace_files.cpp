#include "updater/replace_files.h"

#include <functional>
#include <optional>

#include "base/file_system.h"
#include "base/pause_point.h"
#include "base/wide.h"
#include "journal/journal.h"
#include "journal/journal_repair.h"
#include "package/installed_path.h"
#include "package/path_conflicts.h"
#include "state/config_file.h"
#include "state/install_layout.h"
#include "ui/shared_texts.h"

namespace {

constexpr const char* kConfigFilePath = "orvane-config.json";
constexpr const wchar_t* kReplacing = L"替换文件: ";
constexpr const wchar_t* kWritingRecords = L"更新版本信息...";
constexpr const wchar_t* kReplaceFailed = L"替换文件失败: ";
constexpr const wchar_t* kConfigMergeFailed = L"无法合并配置文件: ";
constexpr int32_t kClosingPercent = 82;
constexpr int32_t kReplaceShare = 16;
constexpr int32_t kRecordsPercent = 98;

// Ends a replacement early: everything undone, the reason shown (none for a cancel). False.
using Stop = std::function<bool(const std::wstring&)>;

// The staged files into their places, one line a package (a zip's other files go in with it).
bool PutFiles(const RunContext& run, const ReplacementPlan& plan, const ReleaseInfo& release,
              Journal& journal, const Stop& stop) {
  const auto n = static_cast<int64_t>(plan.packages);
  for (size_t j = 0; j < plan.files.size(); ++j) {
    const UpdateItem& item = plan.files[j];
    if (run.cancelled()) return stop({});
    if (j == 0 || plan.files[j - 1].package != item.package) {
      run.window.SetProgress(
          static_cast<int32_t>(static_cast<int64_t>(item.package) * kReplaceShare / n) +
          kClosingPercent);
      run.window.SetStatus(kReplacing + display_wide(item.file_path));
    }
    const std::wstring target =
        InstalledPath(run.install_dir, item.file_path).value_or(std::wstring());
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
  return true;
}

// The records, then product_version into the config as the browser left it (now that it has
// closed) when the release delivered no config of its own.
bool PutRecords(const RunContext& run, const ReplacementPlan& plan,
                const std::wstring& records_folder, const ReleaseInfo& release,
                bool config_delivered, Journal& journal, const Stop& stop) {
  run.window.SetProgress(kRecordsPercent);
  run.window.SetStatus(kWritingRecords);
  for (const UpdateItem& record : plan.records) {
    if (!journal.put(record.source_path, record.file_path)) {
      return stop(kCannotWriteRecords + join_path(run.install_dir, display_wide(record.file_path)));
    }
  }
  if (config_delivered) return true;
  const std::wstring config_target = config_path(run.install_dir);
  const std::wstring config_source = config_path(records_folder);
  switch (RecordProductVersion(config_target, release.version, config_source)) {
    case ConfigWrite::Written:
      if (!journal.put(config_source, kConfigFilePath))
        return stop(kCannotWriteConfig + config_target);
      break;
    case ConfigWrite::WriteFailed: return stop(kCannotWriteConfig + config_target);
    case ConfigWrite::NoFile:
    case ConfigWrite::NotAnObject: break;  // nothing to record the version in
  }
  return true;
}

}  // namespace

bool is_config(const std::string& file_path) {
  return same_file_path(file_path, kConfigFilePath);
}

bool ReplaceFiles(const RunContext& run, const ReplacementPlan& plan,
                  const std::wstring& records_folder, const ReleaseInfo& release, bool untrusted) {
  bool config_delivered = false;
  std::vector<std::string> targets{kConfigFilePath};
  for (const UpdateItem& item : plan.files) {
    targets.push_back(item.file_path);
    config_delivered |= is_config(item.file_path);
  }
  for (const UpdateItem& record : plan.records) targets.push_back(record.file_path);
  Journal journal(run.install_dir, untrusted, targets);
  if (!journal.begin()) {
    run.window.ShowError(kReplaceFailed + display_wide(plan.files.front().file_path),
                         ExitCode::FolderNotWritable);
    return false;
  }
  pause_point("marker");
  const Stop stop = [&](const std::wstring& error) {
    if (const std::optional<std::wstring> unrestored = journal.roll_back()) {
      run.window.ShowError(kRestoreIncomplete + *unrestored, ExitCode::FolderNotWritable);
    } else if (!error.empty()) {
      run.window.ShowError(error, ExitCode::FolderNotWritable);
    }
    return false;
  };
  if (!PutFiles(run, plan, release, journal, stop) ||
      !PutRecords(run, plan, records_folder, release, config_delivered, journal, stop)) {
    return false;
  }
  pause_point("records");
  if (!journal.commit()) {
    return stop(kCannotWriteRecords + join_path(run.install_dir, kJournalName));
  }
  return true;
}
