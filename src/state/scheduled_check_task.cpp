#include "state/scheduled_check_task.h"

#include <cwchar>

#include "base/path_text.h"

namespace {

constexpr const wchar_t* kTaskNamePrefix = L"Orvane Update Check ";
constexpr const wchar_t* kDescriptionPrefix = L"Checks for Orvane updates: ";
// A date long past: the daily trigger is active from its first run on.
constexpr const wchar_t* kFirstDay = L"2020-01-01";
constexpr uint32_t kFnvOffset = 2166136261u;
constexpr uint32_t kFnvPrime = 16777619u;

std::wstring two_digits(uint32_t value) {
  wchar_t text[3] = {};
  std::swprintf(text, 3, L"%02u", value % 100);
  return text;
}

std::wstring start_boundary(uint32_t minute) {
  minute %= kMinutesPerDay;
  return std::wstring(kFirstDay) + L"T" + two_digits(minute / 60) + L":" + two_digits(minute % 60) +
         L":00";
}

std::wstring element(std::wstring_view name, std::wstring_view escaped_content) {
  return L"<" + std::wstring(name) + L">" + std::wstring(escaped_content) + L"</" +
         std::wstring(name) + L">";
}

}  // namespace

std::wstring xml_escaped(std::wstring_view text) {
  std::wstring out;
  for (wchar_t c : text) {
    switch (c) {
      case L'&': out += L"&amp;"; break;
      case L'<': out += L"&lt;"; break;
      case L'>': out += L"&gt;"; break;
      default: out += c;
    }
  }
  return out;
}

std::wstring scheduled_check_name(std::wstring_view installation_id, std::wstring_view user_sid) {
  std::wstring name = kTaskNamePrefix + std::wstring(installation_id);
  if (!user_sid.empty()) (name += L' ') += user_sid;
  return name;
}

bool task_would_expand(std::wstring_view updater_path) {
  return updater_path.find(L'%') != std::wstring_view::npos;
}

uint32_t spread_minute(std::wstring_view seed) {
  uint32_t hash = kFnvOffset;
  for (wchar_t unit : seed) {
    hash ^= static_cast<uint32_t>(unit) & 0xFFFF;
    hash *= kFnvPrime;
  }
  return hash % kMinutesPerDay;
}

std::wstring scheduled_check_command(std::wstring_view updater_path) {
  return L"\"" + std::wstring(updater_path) + L"\" " + kScheduledCheckArguments;
}

std::wstring scheduled_check_xml(const ScheduledCheck& check) {
  const std::wstring user = xml_escaped(check.user_id);
  std::wstring xml;
  xml += L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n";
  xml +=
      L"<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\n";
  xml += L"  <RegistrationInfo>" +
         element(L"Description",
                 xml_escaped(kDescriptionPrefix + scheduled_check_command(check.updater_path))) +
         L"</RegistrationInfo>\n";
  xml += L"  <Triggers>\n";
  xml += L"    <LogonTrigger>" + element(L"Enabled", L"true") + element(L"UserId", user) +
         element(L"Delay", kLogonDelay) + L"</LogonTrigger>\n";
  xml += L"    <CalendarTrigger>" + element(L"StartBoundary", start_boundary(check.daily_minute)) +
         element(L"Enabled", L"true") + L"<ScheduleByDay>" + element(L"DaysInterval", L"1") +
         L"</ScheduleByDay></CalendarTrigger>\n";
  xml += L"  </Triggers>\n";
  xml += L"  <Principals><Principal id=\"Author\">" + element(L"UserId", user) +
         element(L"LogonType", L"InteractiveToken") + element(L"RunLevel", L"LeastPrivilege") +
         L"</Principal></Principals>\n";
  // No time limit: an update under way is never cut off by the scheduler.
  xml += L"  <Settings>" + element(L"MultipleInstancesPolicy", L"IgnoreNew") +
         element(L"DisallowStartIfOnBatteries", L"false") +
         element(L"StopIfGoingOnBatteries", L"false") + element(L"StartWhenAvailable", L"true") +
         element(L"RunOnlyIfNetworkAvailable", L"true") + element(L"Enabled", L"true") +
         element(L"ExecutionTimeLimit", L"PT0S") + L"</Settings>\n";
  xml += L"  <Actions Context=\"Author\"><Exec>" +
         element(L"Command", xml_escaped(L"\"" + check.updater_path + L"\"")) +
         element(L"Arguments", kScheduledCheckArguments) +
         element(L"WorkingDirectory", xml_escaped(parent_directory(check.updater_path))) +
         L"</Exec></Actions>\n";
  xml += L"</Task>\n";
  return xml;
}

bool scheduled_check_matches(std::wstring_view definition, const ScheduledCheck& check) {
  const std::wstring parts[] = {
      element(L"Command", xml_escaped(L"\"" + check.updater_path + L"\"")),
      element(L"Arguments", kScheduledCheckArguments),
      element(L"StartBoundary", start_boundary(check.daily_minute)),
      element(L"Delay", kLogonDelay),
  };
  for (const std::wstring& part : parts) {
    if (definition.find(part) == std::wstring_view::npos) return false;
  }
  return true;
}
