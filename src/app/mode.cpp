#include "app/mode.h"

namespace {

constexpr std::wstring_view kUpdateSwitch = L"--update";
constexpr std::wstring_view kCheckSwitch = L"--check";
constexpr std::wstring_view kUninstallSwitch = L"--uninstall";
constexpr std::wstring_view kQuietSwitch = L"--quiet";

}  // namespace

RunMode select_mode(std::wstring_view command_line) {
  RunMode mode;
  mode.update = command_line.find(kUpdateSwitch) != std::wstring_view::npos;
  mode.check = command_line.find(kCheckSwitch) != std::wstring_view::npos;
  // A line that selected update before keeps doing so.
  mode.uninstall = !mode.update && command_line.find(kUninstallSwitch) != std::wstring_view::npos;
  mode.quiet = command_line.find(kQuietSwitch) != std::wstring_view::npos;
  return mode;
}
