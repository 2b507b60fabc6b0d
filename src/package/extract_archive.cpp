#include "package/extract_archive.h"

#include <windows.h>

#include <vector>

#include "base/win_handle.h"

namespace {

constexpr DWORD kExitCodeUnknown = 1;  // what a failed exit-code query leaves: failure

}  // namespace

std::wstring extract_command_line(const std::wstring& zip_path, const std::wstring& dest_dir) {
  return L"cmd.exe /c tar -xf \"" + zip_path + L"\" -C \"" + dest_dir + L"\"";
}

bool ExtractArchive(const std::wstring& zip_path, const std::wstring& dest_dir) {
  CreateDirectoryW(dest_dir.c_str(), nullptr);  // a missing parent makes tar report the failure

  const std::wstring command = extract_command_line(zip_path, dest_dir);
  std::vector<wchar_t> writable(command.begin(), command.end());
  writable.push_back(L'\0');

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &info)) {
    return false;
  }
  // Declared in reverse so that the process handle is closed first.
  ScopedKernelHandle thread(info.hThread);
  ScopedKernelHandle process(info.hProcess);

  WaitForSingleObject(process.get(), INFINITE);
  DWORD exit_code = kExitCodeUnknown;
  GetExitCodeProcess(process.get(), &exit_code);
  return exit_code == 0;
}
