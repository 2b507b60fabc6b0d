#include "package/extract_archive.h"

#include <windows.h>

#include <vector>

#include "base/path_text.h"
#include "base/win_handle.h"

namespace {

constexpr DWORD kExitCodeUnknown = 1;  // what a failed exit-code query leaves: failure
constexpr DWORD kCancelledExitCode = 1;
constexpr DWORD kCancelPollMs = 100;
constexpr const wchar_t* kTarName = L"tar.exe";

std::wstring system_directory() {
  wchar_t buffer[MAX_PATH + 1] = {};
  const UINT length = GetSystemDirectoryW(buffer, MAX_PATH + 1);
  return length == 0 || length > MAX_PATH ? std::wstring() : std::wstring(buffer, length);
}

// A path between double quotes as the C runtime reads it back: a run of backslashes right
// before the closing quote would otherwise escape it.
std::wstring quoted(const std::wstring& path) {
  size_t trailing = 0;
  while (trailing < path.size() && path[path.size() - 1 - trailing] == L'\\') ++trailing;
  return L"\"" + path + std::wstring(trailing, L'\\') + L"\"";
}

// A job whose processes are killed when its last handle closes: when this process ends, for
// whatever reason, the extraction ends with it.
ScopedKernelHandle make_kill_on_close_job() {
  ScopedKernelHandle job(CreateJobObjectW(nullptr, nullptr));
  if (!job) return job;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (!SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits,
                               sizeof(limits))) {
    job.reset();
  }
  return job;
}

// Waits for the process; a set cancel flag ends the job (or the process, when it has none).
void wait_or_cancel(HANDLE process, HANDLE job, const std::atomic<bool>* cancel) {
  if (cancel == nullptr) {
    WaitForSingleObject(process, INFINITE);
    return;
  }
  while (WaitForSingleObject(process, kCancelPollMs) == WAIT_TIMEOUT) {
    if (!cancel->load()) continue;
    if (job == nullptr || !TerminateJobObject(job, kCancelledExitCode)) {
      TerminateProcess(process, kCancelledExitCode);
    }
    WaitForSingleObject(process, INFINITE);
    return;
  }
}

}  // namespace

std::wstring extract_command_line(const std::wstring& system_dir, const std::wstring& zip_path,
                                  const std::wstring& dest_dir) {
  // tar itself, with no command interpreter between: nothing in a path ("%NAME%", "&", "^")
  // is expanded or taken for a command.
  return quoted(join_path(system_dir, kTarName)) + L" -xf " + quoted(zip_path) + L" -C " +
         quoted(dest_dir);
}

bool ExtractArchive(const std::wstring& zip_path, const std::wstring& dest_dir,
                    const std::atomic<bool>* cancel) {
  CreateDirectoryW(dest_dir.c_str(), nullptr);  // a missing parent makes tar report the failure

  const std::wstring system_dir = system_directory();
  if (system_dir.empty()) return false;
  const std::wstring command = extract_command_line(system_dir, zip_path, dest_dir);
  const std::wstring tar = join_path(system_dir, kTarName);
  const std::wstring working_dir = parent_directory(zip_path);
  std::vector<wchar_t> writable(command.begin(), command.end());
  writable.push_back(L'\0');

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION info{};
  // Suspended until it belongs to the job, so that nothing it starts can escape it.
  if (!CreateProcessW(tar.c_str(), writable.data(), nullptr, nullptr, FALSE,
                      CREATE_NO_WINDOW | CREATE_SUSPENDED, nullptr,
                      working_dir.empty() ? nullptr : working_dir.c_str(), &startup, &info)) {
    return false;
  }
  // Declared in reverse so that the process handle is closed first.
  ScopedKernelHandle thread(info.hThread);
  ScopedKernelHandle process(info.hProcess);
  ScopedKernelHandle job = make_kill_on_close_job();
  if (job && !AssignProcessToJobObject(job.get(), process.get())) job.reset();
  ResumeThread(thread.get());

  wait_or_cancel(process.get(), job.get(), cancel);
  if (cancel != nullptr && cancel->load()) return false;
  DWORD exit_code = kExitCodeUnknown;
  GetExitCodeProcess(process.get(), &exit_code);
  return exit_code == 0;
}
