// Update mode: run from inside an installation, it brings it up to the latest release.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include "base/worker.h"
#include "ui/progress_window.h"
#include "updater/update_pipeline.h"

inline constexpr const wchar_t* kUpdateQuestionCaption = L"Orvane 更新提示";
inline constexpr const wchar_t* kChecking = L"正在检查更新...";

class UpdaterController {
 public:
  UpdaterController(HINSTANCE instance, std::wstring install_dir);

  // Opens the window at once and updates on a worker; returns when the window has closed and
  // no file replacement is under way. A second run for the same installation only brings the
  // first one's window to the front.
  void RunUpdateMode();

  // Repairs an interrupted update, checks silently and asks before updating; returns at once
  // when there is nothing to offer (or another run for the installation is under way). A
  // `scheduled` check does not ask again about a version the person declined.
  void RunCheckMode(bool scheduled = false);

 private:
  // The window and its loop, the installation's lock already held.
  void RunWindow();
  // Working, "正在检查更新...", and the worker started.
  void StartCheck();

  HINSTANCE instance_;
  const std::wstring install_dir_;
  ProgressWindow window_;
  // Shared with the worker, which may outlive this object.
  std::shared_ptr<Worker> worker_ = std::make_shared<Worker>();
  std::shared_ptr<WriteGate> gate_ = std::make_shared<WriteGate>();
};

// The worker: fetch, compare, update. Without `may_close_browser` (a silent update) a running
// browser ends the run before anything is downloaded or replaced.
void CheckAndUpdate(const std::shared_ptr<WindowModel>& window,
                    const std::atomic<bool>& cancel_requested,
                    const std::shared_ptr<WriteGate>& gate, const std::wstring& install_dir,
                    bool may_close_browser = true);
