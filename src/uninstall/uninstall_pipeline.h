// The removal of an installation, run on the uninstall worker (or on the caller's thread when
// nothing is shown).
#pragma once

#include <atomic>
#include <string>

#include "ui/window_model.h"

// Closes the installation's browser and makes sure that every file to remove can be removed;
// only then (and unless `cancel` was set by then) deletes what the installation recorded, the
// config, the records, what an interrupted update left, the shortcuts that point into it, its
// Apps entry, and the folders that became empty. The records go last, so that a run killed
// half-way can be run again and finishes. `keep_updater`: the installation's updater is the
// running program, which cannot delete its own file; that file and the installation folder are
// left to HandOverFinalRemoval. True when everything is gone; otherwise the window was told why
// (nothing when cancelled).
bool RunUninstall(WindowModel& window, const std::atomic<bool>& cancel,
                  const std::wstring& install_dir, bool keep_updater);
