// The program's one window: header, release card, directory chooser, progress, error text and a
// main button whose caption and action follow the state.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ui/gdi_handles.h"
#include "ui/window_model.h"

inline constexpr const wchar_t* kWindowClassName = L"OrvaneProgressDialog";
inline constexpr const wchar_t* kWindowTitle = L"Orvane";

class ProgressWindow {
 public:
  using Action = std::function<void()>;

  // Main button, by state.
  Action onStart;      // Ready
  Action onUpdateNow;  // UpdateAvailable
  Action onCancel;     // Working
  Action onLaunch;     // Finished
  Action onRetry;      // Failed
  Action onClose;      // the window received WM_CLOSE
  Action onBrowse;     // the browse button

  ProgressWindow();
  ~ProgressWindow();
  ProgressWindow(const ProgressWindow&) = delete;
  ProgressWindow& operator=(const ProgressWindow&) = delete;

  // What workers hold: the setters live on the model, which outlives the window if need be.
  const std::shared_ptr<WindowModel>& model() const { return model_; }

  void SetState(WindowState state) { model_->SetState(state); }
  void SetProgress(int32_t percent) { model_->SetProgress(percent); }
  void SetStatus(const std::wstring& text) { model_->SetStatus(text); }
  void ShowError(const std::wstring& text) { model_->ShowError(text); }
  void SetReleaseSummary(const std::string& version, int32_t count, int64_t bytes) {
    model_->SetReleaseSummary(version, count, bytes);
  }
  void SetPurpose(WindowPurpose purpose) { model_->set_purpose(purpose); }
  // Marks the window (before Run) so that a second run of the same kind can find it.
  void SetInstanceTag(std::wstring tag) { instance_tag_ = std::move(tag); }

  // UI thread.
  void SetInstallDir(const std::wstring& dir);
  std::wstring GetInstallDir() const;
  HWND handle() const { return window_; }
  void Close();
  // Creates the window and runs the message loop until it ends; returns at once when the
  // window cannot be created.
  void Run(HINSTANCE instance);

 private:
  static LRESULT CALLBACK StaticProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK ChildProc(HWND child, UINT message, WPARAM wparam, LPARAM lparam,
                                    UINT_PTR id, DWORD_PTR self);
  LRESULT Handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void CreateControls(HWND window);
  // Places the controls and sizes the edit's font for the current DPI.
  void ApplyDpi(int dpi);
  void ApplyStateToControls();
  // What a screen reader is told the window says now.
  void Announce();
  // A key of the message loop; true when it was handled (then it is not dispatched).
  bool OnKey(const MSG& msg);
  void Repaint();
  void OnMouseMove(int32_t x, int32_t y, HWND tracked);
  void OnMouseLeave(HWND tracked);
  void SetCursorFor(int32_t hover_id);
  bool OnSetCursor(LPARAM lparam);
  void OnCommand(int id);
  std::optional<LRESULT> EditFrame(HWND edit, UINT message, WPARAM wparam, LPARAM lparam);

  std::shared_ptr<WindowModel> model_;
  HWND window_ = nullptr;
  HINSTANCE instance_ = nullptr;
  ScopedFont edit_font_;
  ScopedBrush edit_brush_;
  // The height of a line in the edit's font: the edit's client area is that tall, centred in
  // its frame.
  int edit_line_height_ = 0;
  int dpi_ = kBaseDpi;
  // Focus rings show once the keyboard has been used, as everywhere in Windows.
  bool show_focus_ = false;
  // No state yet: the first application of the state sets the focus.
  WindowState applied_state_ = static_cast<WindowState>(-1);
  HWND focus_on_activation_ = nullptr;
  std::wstring announced_;
  std::wstring install_dir_ = kDefaultInstallDir;
  bool tracking_leave_ = false;
  std::wstring instance_tag_;
};

// Brings the window that carries `tag` (SetInstanceTag) to the front; false when none is open.
bool BringTaggedWindowToFront(const std::wstring& tag);
