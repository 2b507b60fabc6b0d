// Test program: shows the product's progress window with the values given on the command line,
// so that tests can photograph any state, or hammers it from a worker thread.
//
//   orvane-window-fixture.exe [state=N] [progress=N] [status=TEXT] [error=TEXT] [version=TEXT]
//                             [count=N] [bytes=N] [install=0|1] [dir=TEXT] [stress=MS]
//
// Texts are UTF-8 with "\n" for a line feed. stress=MS: a worker calls all five setters in a
// tight loop; after MS milliseconds it closes the window and keeps calling them while the
// program ends.
#include <windows.h>

#include <gdiplus.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>

#include "base/wide.h"
#include "ui/progress_window.h"

namespace {

std::wstring text_arg(const std::map<std::wstring, std::wstring>& args, const wchar_t* key,
                      const std::wstring& fallback) {
  const auto it = args.find(key);
  if (it == args.end()) return fallback;
  std::wstring out;
  for (size_t i = 0; i < it->second.size(); ++i) {
    if (it->second[i] == L'\\' && i + 1 < it->second.size() && it->second[i + 1] == L'n') {
      out.push_back(L'\n');
      ++i;
    } else {
      out.push_back(it->second[i]);
    }
  }
  return out;
}

long long number_arg(const std::map<std::wstring, std::wstring>& args, const wchar_t* key,
                     long long fallback) {
  const auto it = args.find(key);
  return it == args.end() ? fallback : std::wcstoll(it->second.c_str(), nullptr, 10);
}

void hammer(std::shared_ptr<WindowModel> model, int close_after_ms) {
  const auto close_at =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(close_after_ms);
  bool closed = false;
  for (int32_t i = 0;; ++i) {
    model->SetState(static_cast<WindowState>(i % 5));
    model->SetProgress(i % 120);
    model->SetStatus(L"状态 " + std::to_wstring(i));
    model->ShowError(i % 2 ? L"错误\n第二行 " + std::to_wstring(i) : std::wstring());
    model->SetReleaseSummary("1.0." + std::to_string(i), i % 7, int64_t{i} * 1048576);
    if (!closed && std::chrono::steady_clock::now() >= close_at) {
      // Before the window exists there is nothing to close yet: try again next round.
      if (HWND window = model->window()) closed = PostMessageW(window, WM_CLOSE, 0, 0) != 0;
    }
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);

  std::map<std::wstring, std::wstring> args;
  for (int i = 1; i < __argc; ++i) {
    const std::wstring arg = __wargv[i];
    const size_t eq = arg.find(L'=');
    if (eq != std::wstring::npos) args[arg.substr(0, eq)] = arg.substr(eq + 1);
  }
  {
    ProgressWindow window;
    window.SetPurpose(static_cast<WindowPurpose>(number_arg(args, L"install", 1)));
    window.SetProgress(static_cast<int32_t>(number_arg(args, L"progress", 0)));
    window.SetStatus(text_arg(args, L"status", kInitialStatus));
    window.ShowError(text_arg(args, L"error", L""));
    // After ShowError, which switches a window not yet shown to Failed.
    window.SetState(static_cast<WindowState>(number_arg(args, L"state", 0)));
    window.SetReleaseSummary(wide_to_utf8(text_arg(args, L"version", L"")),
                             static_cast<int32_t>(number_arg(args, L"count", 0)),
                             number_arg(args, L"bytes", 0));
    window.SetInstallDir(text_arg(args, L"dir", kDefaultInstallDir));
    if (const long long ms = number_arg(args, L"stress", -1); ms >= 0) {
      std::thread(hammer, window.model(), static_cast<int>(ms)).detach();
    }
    window.Run(instance);
  }
  Gdiplus::GdiplusShutdown(token);
  return 0;
}
