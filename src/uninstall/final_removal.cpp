#include "uninstall/final_removal.h"

#include <windows.h>

#include <string>

#include "base/win_handle.h"

namespace {

constexpr const wchar_t* kFileVariable = L"ORVANE_REMOVE_FILE";
constexpr const wchar_t* kFolderVariable = L"ORVANE_REMOVE_FOLDER";
// Tries a second apart (ping's pause); our process has ended long before the last. A plain
// sequence: the command processors in use do not all parse loops and blocks alike.
constexpr int kAttempts = 4;
// The running image can be renamed though not deleted. Under a name of its own, the file the
// command processor deletes is never an updater that an install puts into the folder meanwhile.
constexpr const wchar_t* kAsideInfix = L".removing-";

std::wstring system_directory() {
  wchar_t path[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
}

}  // namespace

bool HandOverFinalRemoval(const std::wstring& updater, const std::wstring& install_dir) {
  const std::wstring system = system_directory();
  if (system.empty()) return false;
  const std::wstring aside = updater + kAsideInfix + std::to_wstring(GetCurrentProcessId());
  const bool moved = MoveFileExW(updater.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
  const std::wstring& removed = moved ? aside : updater;
  // The child inherits these; cmd expands them once, and a path's "%", "&" or "^" stay literal
  // inside the quotes.
  if (!SetEnvironmentVariableW(kFileVariable, removed.c_str()) ||
      !SetEnvironmentVariableW(kFolderVariable, install_dir.c_str())) {
    if (moved) MoveFileExW(aside.c_str(), updater.c_str(), 0);
    return false;
  }
  const std::wstring file = std::wstring(L"\"%") + kFileVariable + L"%\"";
  const std::wstring folder = std::wstring(L"\"%") + kFolderVariable + L"%\"";
  const std::wstring cmd = system + L"\\cmd.exe";
  const std::wstring pause = L"\"" + system + L"\\ping.exe\" -n 2 127.0.0.1 >nul & ";
  std::wstring steps;
  for (int i = 0; i < kAttempts; ++i) steps += pause + L"del /f /q " + file + L" >nul 2>&1 & ";
  std::wstring command = L"\"" + cmd + L"\" /d /q /v:off /s /c \"" + steps + L"rmdir " + folder + L" >nul 2>&1\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  // Its working folder is the system's: a command processor sitting in the installation folder
  // would keep it from being removed.
  if (!CreateProcessW(cmd.c_str(), command.data(), nullptr, nullptr, FALSE,
                      CREATE_NO_WINDOW, nullptr, system.c_str(), &startup, &process)) {
    if (moved) MoveFileExW(aside.c_str(), updater.c_str(), 0);  // the updater stays as it was
    return false;
  }
  ScopedKernelHandle thread(process.hThread);
  ScopedKernelHandle child(process.hProcess);
  return true;
}
