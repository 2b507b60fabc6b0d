#include "app/exe_directory.h"

#include <windows.h>

#include "app/mode.h"

namespace {

constexpr DWORD kPathCapacity = MAX_PATH;

}  // namespace

std::wstring GetExePath() {
  wchar_t buffer[kPathCapacity] = {};
  GetModuleFileNameW(nullptr, buffer, kPathCapacity);
  return buffer;
}

std::wstring GetExeDirectory() {
  return parent_directory(GetExePath());
}
