#include "ui/window_layout.h"

#include <cinttypes>
#include <cstdio>

namespace {

constexpr double kBytesPerMb = 1024.0 * 1024.0;
constexpr int32_t kFullPercent = 100;

bool inside(const Rect& r, int32_t x, int32_t y) {
  return r.x <= x && x < r.x + r.width && r.y <= y && y < r.y + r.height;
}

std::u16string ascii(const char* text) {
  std::u16string out;
  for (; *text != '\0'; ++text) out.push_back(static_cast<char16_t>(*text));
  return out;
}

}  // namespace

std::optional<std::u16string> main_caption(WindowState state, WindowPurpose purpose) {
  switch (state) {
    case WindowState::Ready: return u"开始安装";
    case WindowState::Working: return u"取消";
    case WindowState::Finished:
      return purpose == WindowPurpose::Uninstall ? u"完成" : u"启动浏览器";
    case WindowState::Failed: return u"重试";
    case WindowState::UpdateAvailable: return u"立即更新";
  }
  return std::nullopt;
}

std::u16string subtitle(WindowState state, WindowPurpose purpose) {
  switch (state) {
    case WindowState::Ready: return u"安装向导 — 下载并安装最新版本";
    case WindowState::Working:
      switch (purpose) {
        case WindowPurpose::Install: return u"正在安装...";
        case WindowPurpose::Uninstall: return u"正在卸载...";
        default: return u"正在更新...";
      }
    case WindowState::Finished:
      switch (purpose) {
        case WindowPurpose::Install: return u"安装完成";
        case WindowPurpose::Uninstall: return u"卸载完成";
        default: return u"更新完成";
      }
    case WindowState::Failed: return u"出错了";
    case WindowState::UpdateAvailable: return u"发现新版本";
  }
  return u"安装向导";
}

bool shows_release_card(WindowState state) {
  return state == WindowState::Ready || state == WindowState::Working ||
         state == WindowState::Finished || state == WindowState::UpdateAvailable;
}

bool shows_progress(WindowState state) {
  return state == WindowState::Working || state == WindowState::Finished;
}

std::u16string file_line(int32_t file_count, int64_t total_bytes) {
  char buffer[64];
  std::snprintf(buffer, sizeof(buffer), "%" PRId32, file_count);
  std::u16string line = ascii(buffer) + u" 个文件";
  if (total_bytes > 0) {
    std::snprintf(buffer, sizeof(buffer), "%.1f MB",
                  static_cast<double>(total_bytes) / kBytesPerMb);
    line += u"  ·  " + ascii(buffer);
  }
  return line;
}

int32_t shown_percent(WindowState state, int32_t progress) {
  if (state == WindowState::Finished) return kFullPercent;
  if (progress < 1) return 0;
  return progress > kFullPercent ? kFullPercent : progress;
}

int32_t fill_width(int32_t percent, int32_t track_width) {
  return static_cast<int32_t>(static_cast<int64_t>(percent) * track_width / kFullPercent);
}

int32_t scale(int32_t length, int32_t dpi) {
  if (dpi <= 0 || dpi == kBaseDpi) return length;
  // Rounded to the nearest pixel, halves away from zero, so that 1 px lines stay 1 px at 120.
  const int64_t product = static_cast<int64_t>(length) * dpi;
  const int64_t half = kBaseDpi / 2;
  return static_cast<int32_t>(product >= 0 ? (product + half) / kBaseDpi
                                           : -((-product + half) / kBaseDpi));
}

Rect scale(const Rect& r, int32_t dpi) {
  // Both edges scaled, so that neighbouring rectangles stay neighbours.
  const int32_t left = scale(r.x, dpi);
  const int32_t top = scale(r.y, dpi);
  return Rect{left, top, scale(r.x + r.width, dpi) - left, scale(r.y + r.height, dpi) - top};
}

int32_t unscale(int32_t length, int32_t dpi) {
  if (dpi <= 0 || dpi == kBaseDpi) return length;
  // Floor division: the device pixel x belongs to the 96-DPI pixel that contains it.
  const int64_t product = static_cast<int64_t>(length) * kBaseDpi;
  const int64_t q = product / dpi;
  return static_cast<int32_t>(product % dpi != 0 && product < 0 ? q - 1 : q);
}

Placement centred_on(const Rect& work_area, int32_t width, int32_t height) {
  int32_t x = work_area.x + (work_area.width - width) / 2;
  int32_t y = work_area.y + (work_area.height - height) / 2;
  if (x < work_area.x) x = work_area.x;
  if (y < work_area.y) y = work_area.y;
  return Placement{x, y};
}

int32_t hover_target(int32_t x, int32_t y, WindowState state) {
  if (inside(kMainButtonRect, x, y)) return kMainButtonId;
  if (inside(kBrowseButtonRect, x, y)) return kBrowseButtonId;
  // Unsigned differences, so that negative coordinates (the mouse left of or above the client
  // area while captured) never count as inside.
  if (state == WindowState::Ready &&
      static_cast<uint16_t>(x - kDirEditRect.x) < kDirEditRect.width &&
      static_cast<uint16_t>(y - kDirEditRect.y) < kDirEditRect.height) {
    return kDirEditId;
  }
  return kNoHover;
}
