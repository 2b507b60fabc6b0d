#include "ui/window_model.h"

namespace {

size_t pending_index(UINT message) {
  return message - kMsgStateChanged;
}

}  // namespace

void WindowModel::notify(const WindowNotification& notification, WPARAM wparam) {
  // Called with the lock held, so that posts and observations keep the setters' order.
  if (observer_) observer_(notification);
  bool& pending = pending_[pending_index(notification.message)];
  if (window_ != nullptr && !pending) {
    pending = PostMessageW(window_, notification.message, wparam, 0) != 0;
  }
}

void WindowModel::take_pending(UINT message) {
  std::lock_guard lock(mutex_);
  if (message >= kMsgStateChanged && message <= kMsgReleaseSummary) {
    pending_[pending_index(message)] = false;
  }
}

void WindowModel::SetState(WindowState state) {
  std::lock_guard lock(mutex_);
  values_.state = state;
  WindowNotification n;
  n.message = kMsgStateChanged;
  n.state = state;
  notify(n, 0);
}

void WindowModel::SetProgress(int32_t percent) {
  std::lock_guard lock(mutex_);
  values_.progress = percent;
  WindowNotification n;
  n.message = kMsgProgress;
  n.progress = percent;
  // Sign-extended into wParam; the window takes the low 32 bits back.
  notify(n, static_cast<WPARAM>(static_cast<INT_PTR>(percent)));
}

void WindowModel::SetStatus(const std::wstring& text) {
  std::lock_guard lock(mutex_);
  values_.status = text;
  WindowNotification n;
  n.message = kMsgStatus;
  n.text = text;
  notify(n, 0);
}

void WindowModel::ShowError(const std::wstring& text, ExitCode kind) {
  std::lock_guard lock(mutex_);
  values_.error_text = text;
  values_.failure = kind;
  // With a window, the error message switches it to Failed; without one (a worker that failed
  // before the window was made) nobody would, and the window would open on a stale state.
  if (window_ == nullptr) values_.state = WindowState::Failed;
  WindowNotification n;
  n.message = kMsgError;
  n.text = text;
  notify(n, 0);
}

void WindowModel::SetReleaseSummary(const std::string& version, int32_t file_count,
                                    int64_t total_bytes) {
  std::lock_guard lock(mutex_);
  values_.version = version;
  values_.file_count = file_count;
  values_.total_bytes = total_bytes;
  WindowNotification n;
  n.message = kMsgReleaseSummary;
  n.version = version;
  n.file_count = file_count;
  n.total_bytes = total_bytes;
  notify(n, 0);
}

WindowSnapshot WindowModel::snapshot() const {
  std::lock_guard lock(mutex_);
  return values_;
}

void WindowModel::attach(HWND window) {
  std::lock_guard lock(mutex_);
  window_ = window;
  pending_ = {};
}

void WindowModel::detach() {
  attach(nullptr);
}

HWND WindowModel::window() const {
  std::lock_guard lock(mutex_);
  return window_;
}

void WindowModel::set_purpose(WindowPurpose purpose) {
  std::lock_guard lock(mutex_);
  values_.purpose = purpose;
}

void WindowModel::set_state_now(WindowState state) {
  std::lock_guard lock(mutex_);
  values_.state = state;
}

bool WindowModel::set_hover(int32_t id) {
  std::lock_guard lock(mutex_);
  if (values_.hover_id == id) return false;
  values_.hover_id = id;
  return true;
}

int32_t WindowModel::hover() const {
  std::lock_guard lock(mutex_);
  return values_.hover_id;
}

void WindowModel::set_observer(std::function<void(const WindowNotification&)> observer) {
  std::lock_guard lock(mutex_);
  observer_ = std::move(observer);
}
