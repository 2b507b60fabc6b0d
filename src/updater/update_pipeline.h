// The body of an update, run on the update worker.
#pragma once

#include <atomic>
#include <string>

#include "base/write_gate.h"
#include "net/release.h"
#include "ui/window_model.h"

// Brings install_dir up to `release`: refuses a release that names one file twice, stages and
// verifies every changed package and the new records, closes the browser, then replaces the
// files and the records through a journal in the installation (every step undone on a failure
// or a cancel, or by the next run after a kill), holding `gate` for the whole replacement.
// `untrusted`: the installation's records may not match its files (an interrupted update that
// could not be undone exactly), so every package is fetched, and the journal keeps saying so
// until this update has finished. Without `may_close_browser` a running browser ends the run
// before anything is replaced (nothing staged is kept).
void RunUpdate(WindowModel& window, const std::atomic<bool>& cancel_requested, WriteGate& gate,
               const std::wstring& install_dir, const ReleaseInfo& release,
               const std::wstring& browser_path, bool untrusted, bool may_close_browser = true);
