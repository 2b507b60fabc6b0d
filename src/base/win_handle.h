// Scoped kernel handles (files, processes, threads) and directory searches.
#pragma once

#include <windows.h>

#include "base/scoped_handle.h"

struct KernelHandleTraits {
  using type = HANDLE;
  static bool valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) { CloseHandle(h); }
};
using ScopedKernelHandle = ScopedHandle<KernelHandleTraits>;

struct FindTraits {
  using type = HANDLE;
  static bool valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) { FindClose(h); }
};
using ScopedFind = ScopedHandle<FindTraits>;
