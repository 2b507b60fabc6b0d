// The installation's scheduled update check: a task in the user's Task Scheduler that starts its
// updater with "--update --check --scheduled" at logon and once a day, or, where no task can be
// registered, a value in the user's Run key for the check at logon. Per user, no elevation.
#pragma once

#include <string>

inline constexpr const wchar_t* kRunKeyPath = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

enum class CheckSchedule {
  Task,    // the task is registered
  RunKey,  // no task; the Run key starts the check at logon
  None,    // neither could be written
};

// The task's name for install_dir and this user ("Orvane Update Check <id> <SID>"; also the Run
// value's name).
std::wstring ScheduledCheckName(const std::wstring& install_dir);

// Registers the task for install_dir, replacing one of that name; falls back to the Run key,
// also for a folder whose path the Task Scheduler would expand (a "%" in it). A Run value left
// from an earlier fallback goes once the task is there; so do the task and the Run value an
// earlier install named for the folder alone.
CheckSchedule ScheduleChecks(const std::wstring& install_dir);

// As ScheduleChecks, but leaves a task alone whose definition already runs this check.
CheckSchedule RefreshScheduledChecks(const std::wstring& install_dir);

// Removes the task and the Run value of install_dir (the earlier install's names too); true when
// neither is left. `task_registered`: the install registered a task, so a Task Scheduler that
// cannot be reached leaves it in place (false), where otherwise it counts as having none.
bool RemoveScheduledChecks(const std::wstring& install_dir, bool task_registered);
