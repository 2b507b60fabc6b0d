#include "system/browser_processes.h"

#include <tlhelp32.h>

#include <algorithm>

#include "base/win_handle.h"

namespace {

constexpr DWORD kQueryAccess = PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ;
constexpr DWORD kCloseAccess = SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE;
constexpr DWORD kPathCapacity = MAX_PATH;
constexpr DWORD kGraceMs = 3000;
constexpr DWORD kAfterTerminateMs = 3000;
constexpr DWORD kSettleMs = 1000;
constexpr UINT kTerminatedExitCode = 0;

// WaitForMultipleObjects takes at most 64 handles; larger lists wait in batches, so every
// process gets its grace time instead of a wait that fails at once.
void wait_for_all(const std::vector<ScopedKernelHandle>& handles, DWORD timeout_ms) {
  std::vector<HANDLE> raw;
  for (const ScopedKernelHandle& h : handles) raw.push_back(h.get());
  const DWORD start = GetTickCount();
  for (size_t i = 0; i < raw.size(); i += MAXIMUM_WAIT_OBJECTS) {
    const DWORD elapsed = GetTickCount() - start;
    const DWORD left = elapsed >= timeout_ms ? 0 : timeout_ms - elapsed;
    const auto count = static_cast<DWORD>(std::min<size_t>(MAXIMUM_WAIT_OBJECTS, raw.size() - i));
    WaitForMultipleObjects(count, raw.data() + i, TRUE, left);
  }
}

bool still_running(HANDLE process) {
  DWORD code = 0;
  return GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
}

std::vector<DWORD> targets_of(const std::wstring& browser_path) {
  std::vector<DWORD> targets;
  const std::wstring key = lower_ascii(browser_path);
  for (DWORD id : FindBrowserProcesses()) {
    if (browser_path.empty()) {
      targets.push_back(id);
      continue;
    }
    const std::wstring path = GetProcessImagePath(id);
    if (path.empty() || lower_ascii(path) == key) targets.push_back(id);
  }
  return targets;
}

}  // namespace

std::wstring lower_ascii(std::wstring text) {
  for (wchar_t& c : text) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return text;
}

std::vector<DWORD> FindBrowserProcesses() {
  std::vector<DWORD> ids;
  ScopedKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return ids;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    if (lower_ascii(entry.szExeFile) == kBrowserExeName) ids.push_back(entry.th32ProcessID);
  }
  return ids;
}

std::wstring GetProcessImagePath(DWORD process_id) {
  ScopedKernelHandle process(OpenProcess(kQueryAccess, FALSE, process_id));
  if (!process) return {};
  wchar_t buffer[kPathCapacity] = {};
  DWORD size = kPathCapacity;
  if (!QueryFullProcessImageNameW(process.get(), 0, buffer, &size)) return {};
  return std::wstring(buffer, size);
}

bool BrowserRunning(const std::wstring& browser_path) {
  const std::wstring key = lower_ascii(browser_path);
  for (DWORD id : FindBrowserProcesses()) {
    if (lower_ascii(GetProcessImagePath(id)) == key) return true;
  }
  return false;
}

bool CloseRunningBrowser(const std::wstring& browser_path) {
  const std::vector<DWORD> targets = targets_of(browser_path);
  if (targets.empty()) return true;

  std::vector<ScopedKernelHandle> handles;
  for (DWORD id : targets) {
    ScopedKernelHandle process(OpenProcess(kCloseAccess, FALSE, id));
    if (process) handles.push_back(std::move(process));
  }
  if (!handles.empty()) {
    wait_for_all(handles, kGraceMs);
    const bool any_running =
        std::any_of(handles.begin(), handles.end(),
                    [](const ScopedKernelHandle& h) { return still_running(h.get()); });
    if (any_running) {
      for (const ScopedKernelHandle& h : handles) TerminateProcess(h.get(), kTerminatedExitCode);
      wait_for_all(handles, kAfterTerminateMs);
    }
    handles.clear();
  }
  Sleep(kSettleMs);

  if (browser_path.empty()) return FindBrowserProcesses().empty();
  const std::wstring key = lower_ascii(browser_path);
  for (DWORD id : FindBrowserProcesses()) {
    const std::wstring path = GetProcessImagePath(id);
    if (!path.empty() && lower_ascii(path) == key) return false;
  }
  return true;
}
