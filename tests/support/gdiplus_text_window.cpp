// Test-only window: draws two Chinese characters with GDI+ in a known colour at known places,
// so a screenshot can tell real glyphs (different shapes) from missing-glyph boxes (same shape).
// Closes on a mouse click, or by itself after a while so that a broken test cannot hang.
// windows.h first: gdiplus.h relies on its types.
#include <windows.h>

#include <gdiplus.h>

namespace {

constexpr wchar_t kClassName[] = L"OrvaneBenchTextWindow";
constexpr wchar_t kTitle[] = L"Orvane Bench Text";
constexpr int kClientWidth = 320;
constexpr int kClientHeight = 160;
constexpr UINT_PTR kTimeoutTimer = 1;
constexpr UINT kTimeoutMs = 60000;
const Gdiplus::Color kBackground(0xFF, 0x18, 0x1A, 0x26);
const Gdiplus::Color kTextColour(0xFF, 0xEB, 0x57, 0x57);

// Cells the test reads: the sparse character in the first, the dense one in the second.
constexpr float kCellOneX = 40.0f;
constexpr float kCellTwoX = 180.0f;
constexpr float kCellY = 40.0f;

void Paint(HDC dc) {
  Gdiplus::Graphics graphics(dc);
  graphics.Clear(kBackground);
  // Whole-pixel glyphs in the exact colour, so the test can count them.
  graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintSingleBitPerPixelGridFit);
  Gdiplus::FontFamily family(L"Segoe UI");
  Gdiplus::Font font(&family, 64.0f, Gdiplus::FontStyleBold, Gdiplus::UnitPixel);
  Gdiplus::SolidBrush brush(kTextColour);
  graphics.DrawString(L"\u4E00", -1, &font, Gdiplus::PointF(kCellOneX, kCellY), &brush);  // 一
  graphics.DrawString(L"\u56FD", -1, &font, Gdiplus::PointF(kCellTwoX, kCellY), &brush);  // 国
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      Paint(dc);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_TIMER: DestroyWindow(window); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 3;
  int exit_code = 0;
  {
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kClassName;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, kClassName, kTitle, WS_POPUP | WS_VISIBLE, 0, 0, kClientWidth,
                                  kClientHeight, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
      exit_code = 4;
    } else {
      SetTimer(window, kTimeoutTimer, kTimeoutMs, nullptr);
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
  }
  Gdiplus::GdiplusShutdown(token);
  return exit_code;
}
