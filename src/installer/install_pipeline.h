// The body of an installation, run on the install thread.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "net/release.h"
#include "state/install_layout.h"
#include "ui/window_model.h"

// Installs every package of `release` into install_dir (which exists), then records the
// installation, places the updater and the shortcuts and ends the window in Finished. Reports
// only through the model's setters; stops silently between packages when cancel_requested is
// set; a failed package ends in Failed with "下载失败: <path>\n<reason>".
void RunInstall(WindowModel& window, const std::atomic<bool>& cancel_requested,
                const std::wstring& install_dir, const ReleaseInfo& release);
