#include "base/instance_lock.h"

#include <windows.h>

InstanceLock::InstanceLock(const std::wstring& name, WhenUnknown unknown)
    : mutex_(CreateMutexW(nullptr, FALSE, name.c_str())) {
  // The handle alone keeps the name alive; nobody ever waits on it.
  if (!mutex_) {
    first_ = unknown == WhenUnknown::Proceed;
    return;
  }
  first_ = GetLastError() != ERROR_ALREADY_EXISTS;
}
