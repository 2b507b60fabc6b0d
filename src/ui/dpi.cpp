#include "ui/dpi.h"

#include "ui/window_layout.h"

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

GetDpiForWindowFn dpi_for_window() {
  static const auto fn = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return fn;
}

}  // namespace

int system_dpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kBaseDpi;
}

int window_dpi(HWND window) {
  if (const auto fn = dpi_for_window()) {
    if (const UINT dpi = fn(window); dpi > 0) return static_cast<int>(dpi);
  }
  return system_dpi();
}
