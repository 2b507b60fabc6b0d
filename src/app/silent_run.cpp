#include "app/silent_run.h"

#include <chrono>
#include <string>

#include "base/wide.h"
#include "base/win_handle.h"
#include "base/worker.h"
#include "ui/byte_progress.h"

namespace {

constexpr const wchar_t* kWindowClass = L"OrvaneSilentRun";
constexpr const wchar_t* kWindowTitle = L"Orvane Setup";
constexpr UINT kMsgWorkDone = WM_APP + 1;
// As long as a closing window waits for its worker: a download stops at its next read.
constexpr std::chrono::milliseconds kStopGrace{3000};
// Once a write has begun it is finished, whatever asked the process to close.
constexpr std::chrono::milliseconds kWriteGrace{60000};
// A console closed, a logoff or a shutdown ends the process when the handler returns, or after
// about five seconds of waiting for it: a write under way gets what is left of those.
constexpr std::chrono::milliseconds kConsoleEndGrace{4500};
// What a run says when it ends without an outcome of its own (neither finished nor failed with
// a reason): it never ends silently.
constexpr const wchar_t* kNoOutcome = L"运行已结束，但未能完成，也没有报告原因";
constexpr const wchar_t* kWorkNotEnded = L"运行未能在时限内结束";

// Standard error when something reads it: a redirect the starter set up, or the console of the
// program that started this one. Nothing otherwise.
class StatusLines {
 public:
  StatusLines() {
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (error != nullptr && error != INVALID_HANDLE_VALUE &&
        GetFileType(error) != FILE_TYPE_UNKNOWN) {
      out_ = error;
      console_ = GetConsoleMode(error, &mode) != 0;
    } else if (AttachConsole(ATTACH_PARENT_PROCESS)) {
      owned_ = ScopedKernelHandle(CreateFileW(L"CONOUT$", GENERIC_WRITE,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, 0, nullptr));
      if (owned_) {
        out_ = owned_.get();
        console_ = true;
      }
    }
  }

  void write(const std::wstring& line) {
    if (out_ == nullptr) return;
    const std::wstring text = line + L"\r\n";
    DWORD written = 0;
    if (console_) {
      WriteConsoleW(out_, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr);
      return;
    }
    const std::string bytes = wide_to_utf8(text);
    WriteFile(out_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }

 private:
  ScopedKernelHandle owned_;
  HANDLE out_ = nullptr;
  bool console_ = false;
};

// What the hidden window's procedure and the console handler reach.
struct SilentState {
  std::shared_ptr<Worker> worker = std::make_shared<Worker>();
  std::shared_ptr<WriteGate> gate = std::make_shared<WriteGate>();
  std::atomic<bool> asked_to_close{false};
  std::atomic<HWND> window{nullptr};
};
SilentState* g_state = nullptr;  // one silent run per process

void close_gate(SilentState& state, std::chrono::milliseconds grace) {
  state.worker->cancel();
  state.worker->wait_idle(grace);
  const std::lock_guard writing(state.gate->mutex);
  state.gate->closed = true;
}

LRESULT CALLBACK SilentWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kMsgWorkDone: PostQuitMessage(0); return 0;
    case WM_CLOSE:
      if (g_state != nullptr) {
        g_state->asked_to_close.store(true);
        g_state->worker->cancel();
      }
      PostQuitMessage(0);
      return 0;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION:
      // The process ends when this returns: a write under way is finished first.
      if (wparam != FALSE && g_state != nullptr) {
        g_state->asked_to_close.store(true);
        close_gate(*g_state, kWriteGrace);
      }
      return 0;
    default: return DefWindowProcW(window, message, wparam, lparam);
  }
}

BOOL WINAPI ConsoleControl(DWORD event) {
  if (g_state == nullptr) return FALSE;
  g_state->asked_to_close.store(true);
  g_state->worker->cancel();
  if (const HWND window = g_state->window.load()) PostMessageW(window, WM_CLOSE, 0, 0);
  // Ctrl+C and Ctrl+Break leave the process running: the window's close ends the run. A closed
  // console, a logoff or a shutdown end it as this returns: a write under way finishes first.
  if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
    close_gate(*g_state, kConsoleEndGrace);
  }
  return TRUE;
}

struct WindowTraits {
  using type = HWND;
  static bool valid(type h) { return h != nullptr; }
  static void close(type h) { DestroyWindow(h); }
};

// The hidden window a silent run is asked to close through; null when none can be made.
HWND MakeSilentWindow(HINSTANCE instance) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = SilentWindowProc;
  window_class.hInstance = instance;
  window_class.lpszClassName = kWindowClass;
  RegisterClassExW(&window_class);
  // Never shown: it is there to be asked to close.
  return CreateWindowExW(0, kWindowClass, kWindowTitle, WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                         instance, nullptr);
}

// The exit code of the run's end, its last line written when it has none of its own.
ExitCode EndOfRun(const WindowSnapshot& end, bool cancelled, bool ended, StatusLines& lines) {
  if (end.state == WindowState::Finished) return ExitCode::Done;
  if (cancelled) {
    lines.write(L"已取消");
    return ExitCode::Cancelled;
  }
  if (!end.error_text.empty()) return end.failure;
  // Never an end without its reason: a script that reads only the exit code still has a line.
  lines.write(ended ? kNoOutcome : kWorkNotEnded);
  return ExitCode::Failed;
}

}  // namespace

ExitCode RunSilently(HINSTANCE instance, const SilentWork& work,
                     const std::function<void()>& after_cancel) {
  SilentState state;
  g_state = &state;
  const auto lines = std::make_shared<StatusLines>();
  const auto model = std::make_shared<WindowModel>();
  // One line per step: a download's line without its byte count, each once.
  model->set_observer([lines, last = std::wstring()](const WindowNotification& n) mutable {
    if (n.message != kMsgStatus && n.message != kMsgError) return;
    const std::wstring line =
        n.message == kMsgStatus ? to_wide(without_byte_count(to_u16(n.text))) : n.text;
    if (line == last) return;
    last = line;
    lines->write(line);
  });
  const ScopedHandle<WindowTraits> window(MakeSilentWindow(instance));
  state.window.store(window.get());
  SetConsoleCtrlHandler(ConsoleControl, TRUE);

  const HWND notify = window.get();
  const bool started =
      state.worker->start([model, gate = state.gate, worker = state.worker, work, notify] {
        work(model, worker->cancel_flag(), gate);
        if (notify != nullptr) PostMessageW(notify, kMsgWorkDone, 0, 0);
      });
  if (!started) {
    model->ShowError(L"无法启动工作线程", ExitCode::Failed);
  } else if (window) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  // Without a window, or when its loop ended with neither the work's end nor a request to close
  // (a stray quit message), the work is waited for, not cancelled: it ends by its own bounds.
  while (started && !state.asked_to_close.load() && !state.worker->wait_idle(kWriteGrace)) {
  }
  const bool cancelled = state.asked_to_close.load();
  close_gate(state, cancelled ? kStopGrace : kWriteGrace);
  const bool ended = !started || !state.worker->busy();
  if (cancelled && after_cancel) after_cancel();
  SetConsoleCtrlHandler(ConsoleControl, FALSE);
  state.window.store(nullptr);
  g_state = nullptr;
  const WindowSnapshot end = model->snapshot();
  model->set_observer(nullptr);  // a worker past the grace writes no more lines
  return EndOfRun(end, cancelled, ended, *lines);
}
