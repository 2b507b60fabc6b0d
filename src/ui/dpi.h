// The DPI a window is shown at. Windows before 10 (1607) have no per-window DPI: there the
// screen's DPI counts.
#pragma once

#include <windows.h>

int window_dpi(HWND window);
int system_dpi();
