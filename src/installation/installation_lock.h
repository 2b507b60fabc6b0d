// One updater per installation: a name derived from the installation's folder, for the mutex
// a run holds and for the window a second run brings to the front.
#pragma once

#include <string>

// "Global\OrvaneUpdater-<hash>": the hash of the folder's full path, case-folded, so that every
// spelling of one folder ("d:\orvane", "D:\Orvane\") gives one name, across sessions.
std::wstring InstallationLockName(const std::wstring& install_dir);

// The tag of the updater window for that installation (ProgressWindow::SetInstanceTag).
std::wstring InstallationWindowTag(const std::wstring& install_dir);
