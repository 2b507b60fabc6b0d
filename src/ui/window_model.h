// What the progress window shows, shared by the UI thread and the workers.
//
// Workers reach the window only through the five setters. Each stores its value under the lock
// and then, while a window is attached, posts a bare message that makes the UI thread refresh.
// The model is held by shared_ptr: a worker that outlives the window keeps it alive, and its
// setters after detach() only store.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "base/exit_code.h"
#include "ui/window_layout.h"

inline constexpr UINT kMsgStateChanged = WM_USER + 1;
inline constexpr UINT kMsgProgress = WM_USER + 2;
inline constexpr UINT kMsgStatus = WM_USER + 3;
inline constexpr UINT kMsgError = WM_USER + 4;
inline constexpr UINT kMsgReleaseSummary = WM_USER + 5;

inline constexpr const wchar_t* kDefaultInstallDir = L"D:\\Orvane";
inline constexpr const wchar_t* kInitialStatus = L"准备中...";

// One consistent copy of everything painting reads.
struct WindowSnapshot {
  WindowState state = WindowState::Ready;
  WindowPurpose purpose = WindowPurpose::Update;
  int32_t progress = 0;
  std::wstring status = kInitialStatus;
  std::wstring error_text;
  // What kind of failure error_text tells (what a silent run exits with).
  ExitCode failure = ExitCode::Done;
  std::string version;  // UTF-8 as the release service sent it
  int32_t file_count = 0;
  int64_t total_bytes = 0;
  int32_t hover_id = kNoHover;
};

// A setter call as a test sees it: which setter, and the values it stored.
struct WindowNotification {
  UINT message = 0;
  WindowState state = WindowState::Ready;
  int32_t progress = 0;
  std::wstring text;  // status or error text
  std::string version;
  int32_t file_count = 0;
  int64_t total_bytes = 0;
};

class WindowModel {
 public:
  // Setters: any thread.
  void SetState(WindowState state);
  void SetProgress(int32_t percent);
  void SetStatus(const std::wstring& text);
  void ShowError(const std::wstring& text, ExitCode kind = ExitCode::Failed);
  void SetReleaseSummary(const std::string& version, int32_t file_count, int64_t total_bytes);

  WindowSnapshot snapshot() const;

  // UI thread. Called first when one of the program's messages arrives: from then on a setter of
  // that kind posts again.
  void take_pending(UINT message);
  void attach(HWND window);
  void detach();
  HWND window() const;
  void set_purpose(WindowPurpose purpose);
  void set_state_now(WindowState state);  // the error message's switch to Failed
  // Stores the hover target; true when it changed.
  bool set_hover(int32_t id);
  int32_t hover() const;

  // Tests: called with every setter's values, in order, on the setter's thread.
  void set_observer(std::function<void(const WindowNotification&)> observer);

 private:
  void notify(const WindowNotification& notification, WPARAM wparam);

  mutable std::mutex mutex_;
  WindowSnapshot values_;
  HWND window_ = nullptr;
  // One message of each kind at most waits in the queue: the values live here, so a second
  // message would only repeat the first, and a worker calling setters in a tight loop could
  // otherwise bury the window (and its close) under millions of messages.
  std::array<bool, 5> pending_{};
  std::function<void(const WindowNotification&)> observer_;
};
