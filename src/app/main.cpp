// Entry point of orvane-setup.exe: picks the mode from the command line and runs it.
// windows.h first: gdiplus.h relies on its types.
#include <windows.h>

#include <gdiplus.h>

#include <string>

#include "app/exe_directory.h"
#include "app/mode.h"
#include "installer/installer_controller.h"
#include "ui/progress_window.h"

namespace {

// The updater is not part of this build yet; update mode says so instead of doing nothing.
constexpr const wchar_t* kUpdateNotAvailable = L"此版本尚不支持更新模式，请重新运行安装程序";

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

void RunUpdateMode(HINSTANCE instance) {
  ProgressWindow window;
  window.ShowError(kUpdateNotAvailable);
  window.SetState(WindowState::Failed);
  window.Run(instance);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int) {
  GdiplusSession gdiplus;
  const std::wstring line = command_line != nullptr ? command_line : L"";
  const RunMode mode = select_mode(line);
  const std::wstring exe_directory = GetExeDirectory();
  (void)exe_directory;  // the updater's installation directory
  if (!mode.update) {
    InstallerController installer(instance);
    installer.Run();
  } else {
    RunUpdateMode(instance);
  }
  return 0;
}
