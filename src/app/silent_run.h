// A run with no window and no question (--quiet): the work on a worker, one line per step on
// standard error when it is attached, and an exit code that says how it ended.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>

#include "base/exit_code.h"
#include "base/write_gate.h"
#include "ui/window_model.h"

using SilentWork = std::function<void(const std::shared_ptr<WindowModel>& model,
                                      const std::atomic<bool>& cancel_requested,
                                      const std::shared_ptr<WriteGate>& gate)>;

// Runs `work` and waits for it. Asked to close (WM_CLOSE to the process's hidden window, as
// taskkill sends; Ctrl+C or a closed console; the session ending) it cancels the work, waits as
// the windows do for a write under way, then calls `after_cancel` (which removes downloads).
// The code: Done when the work ended in Finished, Cancelled when the process was asked to
// close, else the kind of the failure the work showed.
ExitCode RunSilently(HINSTANCE instance, const SilentWork& work,
                     const std::function<void()>& after_cancel = {});
