#include "state/scheduled_check_task.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// Each case: the definition holds every expected fragment, in this order.
TEST(ScheduledCheckXml, HoldsTheTriggersTheCommandAndThePrincipal) {
  const struct {
    ScheduledCheck check;
    std::vector<std::wstring> fragments;
  } cases[] = {
      {{L"D:\\Orvane\\orvane-updater.exe", L"PC\\anna", 13 * 60 + 7},
       {L"encoding=\"UTF-16\"",
        L"<Description>Checks for Orvane updates: \"D:\\Orvane\\orvane-updater.exe\" --update "
        L"--check --scheduled</Description>",
        L"<LogonTrigger><Enabled>true</Enabled><UserId>PC\\anna</UserId><Delay>PT5M</Delay></"
        L"LogonTrigger>",
        L"<CalendarTrigger><StartBoundary>2020-01-01T13:07:00</StartBoundary><Enabled>true</"
        L"Enabled>"
        L"<ScheduleByDay><DaysInterval>1</DaysInterval></ScheduleByDay></CalendarTrigger>",
        L"<Principal id=\"Author\"><UserId>PC\\anna</UserId><LogonType>InteractiveToken</LogonType>"
        L"<RunLevel>LeastPrivilege</RunLevel></Principal>",
        L"<MultipleInstancesPolicy>IgnoreNew</MultipleInstancesPolicy>",
        L"<StartWhenAvailable>true</StartWhenAvailable>",
        L"<ExecutionTimeLimit>PT0S</ExecutionTimeLimit>",
        L"<Exec><Command>\"D:\\Orvane\\orvane-updater.exe\"</Command>"
        L"<Arguments>--update --check --scheduled</Arguments>"
        L"<WorkingDirectory>D:\\Orvane</WorkingDirectory></Exec>"}},
      // Markup characters in a folder or a user name are escaped; a drive root keeps its "\".
      {{L"E:\\orvane-updater.exe", L"R&D\\<x>", 0},
       {L"<UserId>R&amp;D\\&lt;x&gt;</UserId>", L"T00:00:00",
        L"<WorkingDirectory>E:\\</WorkingDirectory>"}},
      {{L"C:\\A & B\\orvane-updater.exe", L"u", kMinutesPerDay - 1},
       {L"<StartBoundary>2020-01-01T23:59:00</StartBoundary>",
        L"<Command>\"C:\\A &amp; B\\orvane-updater.exe\"</Command>"}},
  };
  for (const auto& c : cases) {
    const std::wstring xml = scheduled_check_xml(c.check);
    size_t at = 0;
    for (const std::wstring& fragment : c.fragments) {
      const size_t found = xml.find(fragment, at);
      ASSERT_NE(found, std::wstring::npos) << testing::PrintToString(fragment) << "\nin\n"
                                           << testing::PrintToString(xml);
      at = found + fragment.size();
    }
    EXPECT_TRUE(scheduled_check_matches(xml, c.check));
    // A definition that lost its triggers or its action (or names another folder) does not match.
    ScheduledCheck moved = c.check;
    moved.updater_path = L"F:\\Other\\orvane-updater.exe";
    EXPECT_FALSE(scheduled_check_matches(xml, moved));
    ScheduledCheck later = c.check;
    later.daily_minute = (c.check.daily_minute + 1) % kMinutesPerDay;
    EXPECT_FALSE(scheduled_check_matches(xml, later));
    EXPECT_FALSE(
        scheduled_check_matches(L"<Task><Triggers/><Actions><Exec/></Actions></Task>", c.check));
  }
}

// The daily minute is one of the day's and differs between installations: 1000 folders give
// many minutes, and one folder always the same.
TEST(ScheduledCheckXml, SpreadsTheDailyMinute) {
  std::set<uint32_t> minutes;
  for (int i = 0; i < 1000; ++i) {
    const std::wstring seed = L"PC\\anna|D:\\ORVANE" + std::to_wstring(i);
    const uint32_t minute = spread_minute(seed);
    EXPECT_LT(minute, kMinutesPerDay);
    EXPECT_EQ(minute, spread_minute(seed));
    minutes.insert(minute);
  }
  EXPECT_GT(minutes.size(), 400u);
  EXPECT_EQ(scheduled_check_name(L"0123abcd"), L"Orvane Update Check 0123abcd");
}

// Two users of one folder: two tasks. A folder the Task Scheduler would expand goes to the Run key.
TEST(ScheduledCheckName, OnePerFolderAndUser) {
  const std::wstring anna = scheduled_check_name(L"0123abcd", L"S-1-5-21-1-2-3-1001");
  const std::wstring ben = scheduled_check_name(L"0123abcd", L"S-1-5-21-1-2-3-1002");
  EXPECT_EQ(anna, L"Orvane Update Check 0123abcd S-1-5-21-1-2-3-1001");
  EXPECT_NE(anna, ben);
  EXPECT_NE(anna, scheduled_check_name(L"0123abce", L"S-1-5-21-1-2-3-1001"));
  for (const auto& [path, expands] : std::vector<std::pair<std::wstring, bool>>{
           {L"D:\\Orvane\\orvane-updater.exe", false},
           {L"D:\\100%\\orvane-updater.exe", true},
           {L"D:\\%USERPROFILE%\\orvane-updater.exe", true}}) {
    EXPECT_EQ(task_would_expand(path), expands) << testing::PrintToString(path);
  }
}

}  // namespace
