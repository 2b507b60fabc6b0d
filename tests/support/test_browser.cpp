// Test-only stand-in for the browser the installer puts in place (built as chrome.exe): shows a
// window titled "Orvane Test Browser" until it is closed, and on start appends one line
// "<its full path>\t<current directory>\r\n" (UTF-8) to browser-started.txt beside itself, so a
// test can prove that it ran, which copy ran and from which working directory.
#include <windows.h>

#include <string>

#include "base/wide.h"
#include "base/win_handle.h"

namespace {

constexpr wchar_t kClassName[] = L"OrvaneTestBrowser";
constexpr wchar_t kTitle[] = L"Orvane Test Browser";
constexpr wchar_t kStartedLog[] = L"browser-started.txt";
constexpr int kWidth = 560;
constexpr int kHeight = 200;
constexpr DWORD kLongPath = 32768;

std::wstring g_text;  // what the window shows: path, directory and command line

std::wstring ExePath() {
  std::wstring path(kLongPath, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), kLongPath));
  return path;
}

std::wstring CurrentDirectory() {
  std::wstring dir(kLongPath, L'\0');
  dir.resize(GetCurrentDirectoryW(kLongPath, dir.data()));
  return dir;
}

bool AppendStartedLine(const std::wstring& exe, const std::wstring& cwd) {
  const std::wstring log = exe.substr(0, exe.find_last_of(L'\\') + 1) + kStartedLog;
  ScopedKernelHandle file(CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  const std::string line = wide_to_utf8(exe + L"\t" + cwd + L"\r\n");
  DWORD written = 0;
  return WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
         written == line.size();
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      RECT area;
      GetClientRect(window, &area);
      InflateRect(&area, -12, -12);
      DrawTextW(dc, g_text.c_str(), -1, &area, DT_LEFT | DT_WORDBREAK);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  const std::wstring exe = ExePath();
  const std::wstring cwd = CurrentDirectory();
  if (!AppendStartedLine(exe, cwd)) return 2;
  g_text = L"exe: " + exe + L"\ncwd: " + cwd + L"\ncommand line: " + GetCommandLineW();

  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = kClassName;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  if (!RegisterClassW(&wc)) return 3;
  HWND window = CreateWindowExW(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, kWidth, kHeight, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 4;
  ShowWindow(window, show);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
