// "Only one of us at a time": a named mutex held for the life of the scope.
#pragma once

#include <string>

#include "base/win_handle.h"

class InstanceLock {
 public:
  // What a name that cannot be made or opened at all (another account's or integrity level's
  // mutex, no rights) means: no reason to refuse, or held by someone else.
  enum class WhenUnknown { Proceed, Held };

  // `name` is a kernel object name such as L"Local\\OrvaneSetupInstaller".
  explicit InstanceLock(const std::wstring& name, WhenUnknown unknown = WhenUnknown::Proceed);

  // False when another process already holds the name (or, with WhenUnknown::Held, when the
  // name could not be made or opened).
  bool first() const { return first_; }

 private:
  ScopedKernelHandle mutex_;
  bool first_ = true;
};
