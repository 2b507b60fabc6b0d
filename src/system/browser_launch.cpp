#include "system/browser_launch.h"

#include <windows.h>

#include <vector>

#include "base/path_text.h"
#include "base/win_handle.h"

std::wstring launch_directory(const std::wstring& browser_path) {
  std::wstring folder = parent_directory(browser_path);
  return folder.empty() ? browser_path : folder;
}

bool LaunchBrowser(const std::wstring& browser_path) {
  const std::wstring quoted = L"\"" + browser_path + L"\"";
  std::vector<wchar_t> command(quoted.begin(), quoted.end());
  command.push_back(L'\0');
  const std::wstring directory = launch_directory(browser_path);

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      directory.c_str(), &startup, &info)) {
    return false;
  }
  ScopedKernelHandle thread(info.hThread);
  ScopedKernelHandle process(info.hProcess);
  return true;
}
