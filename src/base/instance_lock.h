// "Only one of us at a time": a named mutex held for the life of the scope.
#pragma once

#include <string>

#include "base/win_handle.h"

class InstanceLock {
 public:
  // `name` is a kernel object name such as L"Local\\OrvaneSetupInstaller".
  explicit InstanceLock(const std::wstring& name);

  // False when another process already holds the name (or it could not be made at all, which
  // is then no reason to refuse the work).
  bool first() const { return first_; }

 private:
  ScopedKernelHandle mutex_;
  bool first_ = true;
};
