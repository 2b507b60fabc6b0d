// Entry point of orvane-setup.exe.
// windows.h first: gdiplus.h relies on its types.
#include <windows.h>

#include <gdiplus.h>

namespace {

// Starts GDI+ for the life of the program and shuts it down when the scope ends.
class GdiplusSession {
 public:
  GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, no suppression
    // A failed start only means nothing gets drawn; the program carries on.
    Gdiplus::GdiplusStartup(&token_, &input, nullptr);
  }
  ~GdiplusSession() {
    if (token_ != 0) Gdiplus::GdiplusShutdown(token_);
  }
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;

 private:
  ULONG_PTR token_ = 0;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  GdiplusSession gdiplus;
  return 0;
}
