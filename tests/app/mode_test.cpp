#include "app/mode.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(SelectMode, SubstringsDecide) {
  const struct {
    const wchar_t* command_line;
    bool update;
    bool check;
    bool uninstall = false;
    bool quiet = false;
  } cases[] = {
      {L"", false, false},
      {L"--uninstall", false, false, true},
      {L"--uninstall --quiet", false, false, true, true},
      {L"--quiet", false, false, false, true},  // quiet alone: still the installer
      {L"--update --uninstall", true, false},  // what selected update before still does
      {L"--Uninstall", false, false},
      {L"--check", false, true},  // check alone: still the installer
      {L"--update", true, false},
      {L"--update --check", true, true},
      {L"--check --update", true, true},
      {L"--update--check", true, true},
      {L"--updater", true, false},
      {L"x--update", true, false},
      {L"\"--update\"", true, false},
      {L"--Update", false, false},
      {L"--UPDATE --check", false, true},
      {L"-update", false, false},
      {L"--updat", false, false},
      {L"--chec", false, false},
  };
  for (const auto& c : cases) {
    const RunMode mode = select_mode(c.command_line);
    EXPECT_EQ(mode.update, c.update) << testing::PrintToString(std::wstring(c.command_line));
    EXPECT_EQ(mode.check, c.check) << testing::PrintToString(std::wstring(c.command_line));
    EXPECT_EQ(mode.uninstall, c.uninstall) << testing::PrintToString(std::wstring(c.command_line));
    EXPECT_EQ(mode.quiet, c.quiet) << testing::PrintToString(std::wstring(c.command_line));
  }
}

}  // namespace
