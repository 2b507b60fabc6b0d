// One run at a time per installation: a name derived from the installation's folder, for the
// mutex every mode holds while it works on the installation, for the window a second updater
// brings to the front, and for the folder an update stages its downloads in.
#pragma once

#include <string>

#include "base/instance_lock.h"

// "Global\OrvaneUpdater-<hash>": the hash of the folder's identity (directory_identity), so
// that every path to one folder (another case, a trailing separator, a junction, a substituted
// or mapped drive, a short name) gives one name, across sessions.
std::wstring InstallationLockName(const std::wstring& install_dir);

// The tag of the updater window for that installation (ProgressWindow::SetInstanceTag).
std::wstring InstallationWindowTag(const std::wstring& install_dir);

// The installation's lock, held for the life of the scope. A lock that exists but cannot be
// opened counts as held: another run may be working on the installation.
class InstallationLock {
 public:
  explicit InstallationLock(const std::wstring& install_dir)
      : lock_(InstallationLockName(install_dir), InstanceLock::WhenUnknown::Held) {}
  bool held_by_us() const { return lock_.first(); }

 private:
  InstanceLock lock_;
};

// Where an update of that installation stages its downloads: <temp>\orvane-update-<hash>, one
// folder per installation, so that two installations updated at once never share one. Empty
// when the platform has no temporary folder.
std::wstring UpdateStagingFolder(const std::wstring& install_dir);
