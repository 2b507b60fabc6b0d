// Installer mode: the window, the start-up release lookup and the start of an install.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "base/worker.h"
#include "base/write_gate.h"
#include "state/install_layout.h"
#include "ui/progress_window.h"

inline constexpr const wchar_t* kNotFullPath = L"请输入完整的安装路径，例如 D:\\Orvane";
inline constexpr size_t kMaxInstallDirChars = 180;
inline constexpr const wchar_t* kFetchingRelease = L"正在获取版本信息...";
inline constexpr const wchar_t* kDirTooLong = L"安装路径过长，最多 180 个字符";
// One installer per session: two would share one temporary folder.
inline constexpr const wchar_t* kInstallerLockName = L"Local\\OrvaneSetupInstaller";

class InstallerController {
 public:
  explicit InstallerController(HINSTANCE instance);

  // Runs until the window closes, then stops the install under way and removes its downloads.
  // A second installer started meanwhile only brings this one's window to the front.
  void Run();

  // The "开始安装" action: checks and creates the directory, then starts the install thread.
  void StartInstall();

 private:
  // The "重试" action: back to Ready with the directory as typed.
  void Retry();
  void StopWork();

  HINSTANCE instance_;
  ProgressWindow window_;
  // The directory the install runs in, as the install started it.
  std::wstring install_dir_;
  // Shared with the install thread, which may outlive this object.
  std::shared_ptr<Worker> worker_ = std::make_shared<Worker>();
  std::shared_ptr<WriteGate> gate_ = std::make_shared<WriteGate>();
};
