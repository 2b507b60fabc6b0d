// The task that starts an installation's updater for a check, at logon and once a day: its name
// and its definition as Task Scheduler XML. Portable: text only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What the task runs, after the updater's quoted path: the check, marked as a scheduled one.
inline constexpr const wchar_t* kScheduledCheckArguments = L"--update --check --scheduled";
// After logon the session settles first (the browser may start its own check meanwhile).
inline constexpr const wchar_t* kLogonDelay = L"PT5M";
inline constexpr uint32_t kMinutesPerDay = 24 * 60;

struct ScheduledCheck {
  std::wstring updater_path;  // the installation's updater, full path
  std::wstring user_id;       // DOMAIN\name: the user whose logon starts it and who runs it
  uint32_t daily_minute = 0;  // the daily check's local time, minutes after midnight
};

// "Orvane Update Check <installation id> <user SID>": one task per installation folder and
// user, so that a second user of one folder registers (and removes) a task of their own. Without a
// SID, the name earlier installs gave the task (one per folder), which updates and the uninstall
// remove.
std::wstring scheduled_check_name(std::wstring_view installation_id,
                                  std::wstring_view user_sid = {});

// Whether the Task Scheduler would read the updater's path as another one: it expands %NAME% in
// a task's command, and no quoting stops it. Such a folder's check goes into the Run key, whose
// plain text values (REG_SZ) are run as they are written.
bool task_would_expand(std::wstring_view updater_path);

// A minute of the day taken from `seed` (the machine, the user and the folder), so that the
// installations out there do not all ask the release service at one minute.
uint32_t spread_minute(std::wstring_view seed);

// "\"<updater>\" --update --check --scheduled": the Run key's value, and the task's description.
std::wstring scheduled_check_command(std::wstring_view updater_path);

// The task definition: a logon trigger for the user (delayed) and a daily calendar trigger; run
// only while the user is logged on, without elevation; one run at a time; a missed daily run
// runs when the machine is next on.
std::wstring scheduled_check_xml(const ScheduledCheck& check);

// Whether a definition read back from the Task Scheduler runs this check: its command,
// arguments, daily start and logon delay are all there.
bool scheduled_check_matches(std::wstring_view definition, const ScheduledCheck& check);

// Text for an XML element's content (&, < and > escaped; quotes may stand as they are).
std::wstring xml_escaped(std::wstring_view text);
