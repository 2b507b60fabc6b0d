#include "app/mode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
      {L"--quiet", false, false, false, true},  // the installer, silent (below)
      {L"--update --uninstall", true, false},   // what selected update before still does
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

// The switches of the silent modes count only as whole arguments; what selected a mode before
// still selects it.
TEST(SelectMode, SilentSwitchesAreWholeArguments) {
  const struct {
    const wchar_t* command_line;
    bool update, uninstall, silent, scheduled, no_shortcuts;
    const wchar_t* dir;  // nullptr: no --dir
  } cases[] = {
      {L"--quiet", false, false, true, false, false, nullptr},
      {L"x--quiet", false, false, false, false, false, nullptr},
      {L"--quiet2 --quietly", false, false, false, false, false, nullptr},
      {L"\"--quiet\"", false, false, true, false, false, nullptr},
      {L"--quiet --dir \"D:\\Program Files\\Orvane\" --no-shortcuts", false, false, true, false,
       true, L"D:\\Program Files\\Orvane"},
      {L"--quiet --dir", false, false, true, false, false, L""},
      {L"--dir D:\\X --quiet", false, false, true, false, false, L"D:\\X"},
      {L"--dir=D:\\X --quiet", false, false, true, false, false, nullptr},
      {L"--update --quiet", true, false, true, false, false, nullptr},
      {L"--update --check --scheduled", true, false, false, true, false, nullptr},
      {L"--update --check --scheduledx", true, false, false, false, false, nullptr},
      {L"--uninstall --quiet", false, true, true, false, false, nullptr},
      {L"--update --uninstall --quiet", true, false, true, false, false, nullptr},
      // A mode word inside the directory is the directory's.
      {L"--quiet --dir \"D:\\Apps--update\\Orvane\"", false, false, true, false, false,
       L"D:\\Apps--update\\Orvane"},
      {L"--quiet --dir D:\\Orvane--uninstall", false, false, true, false, false,
       L"D:\\Orvane--uninstall"},
      {L"--dir D:\\x--update--scheduled --quiet", false, false, true, false, false,
       L"D:\\x--update--scheduled"},
      {L"--quiet --dir D:\\X --update", true, false, true, false, false, L"D:\\X"},
      {L"--dir --update", false, false, false, false, false, L"--update"},
      {L"--update --dir", true, false, false, false, false, L""},
      {L"--quiet --dir \"D:\\X\\\"", false, false, true, false, false, L"D:\\X\""},
  };
  for (const auto& c : cases) {
    const RunMode mode = select_mode(c.command_line);
    const std::string line = testing::PrintToString(std::wstring(c.command_line));
    EXPECT_EQ(mode.update, c.update) << line;
    EXPECT_EQ(mode.uninstall, c.uninstall) << line;
    EXPECT_EQ(mode.silent, c.silent) << line;
    EXPECT_EQ(mode.scheduled, c.scheduled) << line;
    EXPECT_EQ(mode.no_shortcuts, c.no_shortcuts) << line;
    EXPECT_EQ(mode.dir.has_value(), c.dir != nullptr) << line;
    if (mode.dir && c.dir) {
      EXPECT_EQ(*mode.dir, c.dir) << line;
    }
  }
}

TEST(SplitArguments, FollowsTheRuntimesQuoting) {
  const struct {
    const wchar_t* line;
    std::vector<std::wstring> arguments;
  } cases[] = {
      {L"", {}},
      {L"  a\t b  ", {L"a", L"b"}},
      {L"\"a b\" c", {L"a b", L"c"}},
      {L"a\"b c\"d", {L"ab cd"}},
      {L"\"\"", {L""}},
      {L"a\\\\b", {L"a\\\\b"}},                  // backslashes not before a quote stay
      {L"\"D:\\X\\\\\" y", {L"D:\\X\\", L"y"}},  // 2n before a quote: n, and the quote closes
      {L"a\\\"b", {L"a\"b"}},                    // 2n+1: n and a literal quote
      {L"\"a\"\"b\"", {L"a\"b"}},                // "" inside quotes
      {L"\"D:\\X\\\" y", {L"D:\\X\" y"}},        // a path ending in \" swallows the quote
      {L"a\\", {L"a\\"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(split_arguments(c.line), c.arguments) << testing::PrintToString(std::wstring(c.line));
  }
}

}  // namespace
