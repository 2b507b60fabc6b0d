// Uninstall mode: run as the installation's updater with --uninstall, it removes the
// installation after asking, or silently with --quiet.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include "base/worker.h"
#include "ui/progress_window.h"

inline constexpr const wchar_t* kUninstallCaption = L"Orvane 卸载";

class UninstallerController {
 public:
  // exe_path: the running program; the installation it removes is the program's folder.
  UninstallerController(HINSTANCE instance, const std::wstring& exe_path);

  // The program's exit code: 0 when the installation is gone, or (with a question) when the
  // person said no or closed the window; non-zero when something is left. With `quiet` nothing
  // is asked and nothing shown.
  int Run(bool quiet);

 private:
  // The progress window until it is closed; true when the removal finished.
  bool RunWindow();
  void StartRemoval();

  HINSTANCE instance_;
  const std::wstring install_dir_;
  // The program is the installation's own updater, which cannot delete its own file.
  const bool own_updater_;
  ProgressWindow window_;
  // Shared with the worker, which may outlive this object.
  std::shared_ptr<Worker> worker_ = std::make_shared<Worker>();
  std::shared_ptr<std::atomic<bool>> removed_ = std::make_shared<std::atomic<bool>>(false);
};
