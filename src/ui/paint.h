// Drawing the progress window: the whole client area and the two owner-drawn buttons.
// Both draw the 96-DPI layout scaled to `dpi`.
#pragma once

#include <windows.h>

#include "ui/window_model.h"

// Paints the client area (width x height device pixels) off-screen and copies it to `dc` in one
// go.
void PaintWindow(HDC dc, const WindowSnapshot& view, int width, int height, int dpi);

// Draws the owner-drawn button `item` describes; hover_id is the control under the mouse.
// show_focus: the keyboard has been used, so a focused button shows its focus ring.
void DrawButton(const DRAWITEMSTRUCT& item, int32_t hover_id, int dpi, bool show_focus);
