#include "app/mode.h"

namespace {

constexpr std::wstring_view kUpdateSwitch = L"--update";
constexpr std::wstring_view kCheckSwitch = L"--check";

}  // namespace

RunMode select_mode(std::wstring_view command_line) {
  RunMode mode;
  mode.update = command_line.find(kUpdateSwitch) != std::wstring_view::npos;
  mode.check = command_line.find(kCheckSwitch) != std::wstring_view::npos;
  return mode;
}
