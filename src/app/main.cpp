// Entry point of orvane-setup.exe: picks the mode from the command line and runs it.
// windows.h first: gdiplus.h relies on its types.
#include <windows.h>

#include <gdiplus.h>

#include <string>

#include "app/exe_directory.h"
#include "app/mode.h"
#include "app/silent_modes.h"
#include "installer/installer_controller.h"
#include "uninstall/uninstaller_controller.h"
#include "updater/updater_controller.h"

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

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int) {
  // First of all: DLLs are loaded from the system folder only, never from the folder the
  // installer was started from (Downloads). The ones that are not known DLLs are delay-loaded
  // (cmake/OrvaneDelayLoad.cmake), so none of them was looked up before this line.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // A drive with no disk in it (an empty card reader at D:) is a failed call, never the
  // system's "no disk" box in front of the installer.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  GdiplusSession gdiplus;
  const std::wstring line = command_line != nullptr ? command_line : L"";
  const RunMode mode = select_mode(line);
  const std::wstring exe_directory = GetExeDirectory();
  if (mode.uninstall) {
    // Like the updater, it removes the installation it was started from.
    UninstallerController uninstaller(instance, GetExePath());
    return uninstaller.Run(mode.quiet);
  }
  if (!mode.update) {
    if (mode.silent) return RunSilentInstall(instance, mode);
    InstallerController installer(instance);
    installer.Run();
  } else {
    // The updater copy runs from inside the installation it updates.
    if (mode.silent) return RunSilentUpdate(instance, exe_directory);
    UpdaterController updater(instance, exe_directory);
    if (mode.check) {
      updater.RunCheckMode(mode.scheduled);
    } else {
      updater.RunUpdateMode();
    }
  }
  return 0;
}
