// Drawing the progress window: the whole client area and the two owner-drawn buttons.
#pragma once

#include <windows.h>

#include "ui/window_model.h"

// Paints the client area (width x height) off-screen and copies it to `dc` in one go.
void PaintWindow(HDC dc, const WindowSnapshot& view, int width, int height);

// Draws the owner-drawn button `item` describes; hover_id is the control under the mouse.
void DrawButton(const DRAWITEMSTRUCT& item, int32_t hover_id);
