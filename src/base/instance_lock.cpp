#include "base/instance_lock.h"

#include <windows.h>

InstanceLock::InstanceLock(const std::wstring& name)
    : mutex_(CreateMutexW(nullptr, FALSE, name.c_str())) {
  // The handle alone keeps the name alive; nobody ever waits on it.
  first_ = !(mutex_ && GetLastError() == ERROR_ALREADY_EXISTS);
}
