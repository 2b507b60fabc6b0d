// Installer mode: the window, the start-up release lookup and the start of an install.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include "state/install_layout.h"
#include "ui/progress_window.h"

class InstallerController {
 public:
  explicit InstallerController(HINSTANCE instance);

  // Runs until the window closes.
  void Run();

  // The "开始安装" action: checks and creates the directory, then starts the install thread.
  void StartInstall();

 private:
  HINSTANCE instance_;
  ProgressWindow window_;
  // Shared with the install thread, which may outlive this object.
  std::shared_ptr<std::atomic<bool>> cancel_requested_ = std::make_shared<std::atomic<bool>>(false);
};
