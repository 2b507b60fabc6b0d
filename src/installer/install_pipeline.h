// The body of an installation, run on the install thread.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "base/write_gate.h"
#include "net/release.h"
#include "state/install_layout.h"
#include "ui/window_model.h"

struct InstallOptions {
  bool shortcuts = true;  // the desktop and Start menu shortcuts
};

// Installs every package of `release` into install_dir (which exists), over whatever an earlier
// installation left there (its config keeps its values), then records the installation, places
// the updater and the shortcuts (when asked for), registers the Apps entry and the scheduled
// update check, and ends the window in Finished. Reports only through the
// model's setters. A set cancel_requested stops the run silently (between packages, or inside a
// download or an extraction); a failed package ends in Failed with "下载失败: <path>\n<reason>",
// a record or the updater copy that cannot be written in Failed naming the file. The temporary
// folder is removed however the run ends. `gate` is held while a file is moved into place and
// while the finished install is recorded; once it is closed the run stops as if cancelled.
void RunInstall(WindowModel& window, const std::atomic<bool>& cancel_requested, WriteGate& gate,
                const std::wstring& install_dir, const ReleaseInfo& release,
                const InstallOptions& options = {});
