// Scoped WinHTTP handles (session, connection, request).
#pragma once

#include <windows.h>
#include <winhttp.h>

#include "base/scoped_handle.h"

struct InternetHandleTraits {
  using type = HINTERNET;
  static bool valid(HINTERNET h) { return h != nullptr; }
  static void close(HINTERNET h) { WinHttpCloseHandle(h); }
};
using ScopedInternetHandle = ScopedHandle<InternetHandleTraits>;
