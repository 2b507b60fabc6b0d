// The body of an update, run on the update worker.
#pragma once

#include <atomic>
#include <mutex>
#include <string>

#include "net/release.h"
#include "ui/window_model.h"

// Held by the worker for the whole replacement phase. The controller takes it when its window
// has closed and marks the gate closed: the program then never ends half-way through replacing
// files, and a worker that has not begun replacing by then does not begin.
struct ReplacementGate {
  std::mutex mutex;
  bool closed = false;
};

// Brings install_dir up to `release`: stages and verifies every changed package, closes the
// browser, replaces the files keeping ".bak" copies (restored on a failure or a cancel), then
// rewrites the records. `repairing`: a repaired interrupted update, so nothing installed is
// trusted and every package is fetched.
void RunUpdate(WindowModel& window, const std::atomic<bool>& cancel_requested,
               ReplacementGate& gate, const std::wstring& install_dir, const ReleaseInfo& release,
               const std::wstring& browser_path, bool repairing);
