// What the progress window shows in each state, where, and what the mouse is over.
// Portable: no platform headers, so the rules are tested on their own.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Stored as a plain number: a state outside 0..4 is possible (SetState takes any value) and is
// drawn as a bare header.
enum class WindowState : int32_t {
  Ready = 0,
  Working = 1,
  Finished = 2,
  Failed = 3,
  UpdateAvailable = 4,
};

// What the window is doing for the person: the same states read differently.
enum class WindowPurpose : int32_t {
  Update = 0,
  Install = 1,
  Uninstall = 2,
};

// Control ids.
inline constexpr int32_t kMainButtonId = 1001;
inline constexpr int32_t kDirEditId = 1003;
inline constexpr int32_t kBrowseButtonId = 1004;
inline constexpr int32_t kNoHover = -1;

struct Rect {
  int32_t x, y, width, height;
};
inline constexpr Rect kDirEditRect{40, 250, 340, 32};
inline constexpr Rect kBrowseButtonRect{390, 250, 70, 32};
inline constexpr Rect kMainButtonRect{155, 350, 210, 42};

// Outer size of the window; the client area is what the frame leaves of it.
inline constexpr int32_t kWindowWidth = 520;
inline constexpr int32_t kWindowHeight = 500;

// Every length above and in the painting is given for 96 DPI; the window shows them at its
// monitor's DPI through these two.
inline constexpr int32_t kBaseDpi = 96;
int32_t scale(int32_t length, int32_t dpi);
Rect scale(const Rect& r, int32_t dpi);
// A device length back in 96-DPI units (client coordinates of the mouse).
int32_t unscale(int32_t length, int32_t dpi);

// Where a window of the given outer size goes on a work area: centred, but never with its top
// above the work area's top (nor its left beyond the left edge) when it does not fit.
struct Placement {
  int32_t x, y;
};
Placement centred_on(const Rect& work_area, int32_t width, int32_t height);

// Caption of the main button; absent for a state outside 0..4 (the controls stay as they are).
// After an uninstall there is no browser to start: the button only closes the window.
std::optional<std::u16string> main_caption(WindowState state, WindowPurpose purpose);

// The line under the title.
std::u16string subtitle(WindowState state, WindowPurpose purpose);

bool shows_release_card(WindowState state);
bool shows_progress(WindowState state);

// "<count> 个文件", plus "  ·  <x.x> MB" when total_bytes > 0.
std::u16string file_line(int32_t file_count, int64_t total_bytes);

// The percentage the bar shows: 100 when finished, else progress within 0..100.
int32_t shown_percent(WindowState state, int32_t progress);

// Width of the bar's fill for a percentage and a track width (truncating).
int32_t fill_width(int32_t percent, int32_t track_width);

// Id of the hover target under a client point: the main button, then the browse button, then
// (only in Ready) the edit area; kNoHover elsewhere.
int32_t hover_target(int32_t x, int32_t y, WindowState state);
