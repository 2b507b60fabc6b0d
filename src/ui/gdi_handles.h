// Scoped GDI handles: each is released by the scope that made it.
#pragma once

#include <windows.h>

#include "base/scoped_handle.h"

template <typename Handle>
struct GdiObjectTraits {
  using type = Handle;
  static bool valid(Handle h) { return h != nullptr; }
  static void close(Handle h) { DeleteObject(h); }
};
using ScopedFont = ScopedHandle<GdiObjectTraits<HFONT>>;
using ScopedBrush = ScopedHandle<GdiObjectTraits<HBRUSH>>;
using ScopedBitmap = ScopedHandle<GdiObjectTraits<HBITMAP>>;

struct MemoryDcTraits {
  using type = HDC;
  static bool valid(HDC h) { return h != nullptr; }
  static void close(HDC h) { DeleteDC(h); }
};
using ScopedMemoryDc = ScopedHandle<MemoryDcTraits>;

struct IconTraits {
  using type = HICON;
  static bool valid(HICON h) { return h != nullptr; }
  static void close(HICON h) { DestroyIcon(h); }
};
using ScopedIcon = ScopedHandle<IconTraits>;

// A window's DC (its client area, or with `whole` the whole window) for the life of the scope.
class ScopedWindowDc {
 public:
  explicit ScopedWindowDc(HWND window, bool whole = false)
      : window_(window), dc_(whole ? GetWindowDC(window) : GetDC(window)) {}
  ~ScopedWindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  ScopedWindowDc(const ScopedWindowDc&) = delete;
  ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a DC for the life of the scope, then puts the previous one back.
class ScopedSelection {
 public:
  ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~ScopedSelection() {
    if (previous_ != nullptr) SelectObject(dc_, previous_);
  }
  ScopedSelection(const ScopedSelection&) = delete;
  ScopedSelection& operator=(const ScopedSelection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};
