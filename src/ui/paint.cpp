#include "ui/paint.h"

// windows.h before gdiplus.h: GDI+ relies on its types.
#include <gdiplus.h>

#include <memory>
#include <string>

#include "base/wide.h"
#include "ui/gdi_handles.h"
#include "ui/text_fit.h"

namespace {

using Gdiplus::Color;

// Theme.
constexpr Gdiplus::ARGB kBackground = 0xFF181A26;
constexpr Gdiplus::ARGB kAccentStart = 0xFF587EFF;
constexpr Gdiplus::ARGB kAccentEnd = 0xFFA878FF;
constexpr Gdiplus::ARGB kTitleText = 0xFFEBEEF8;
constexpr Gdiplus::ARGB kMutedText = 0xFF969EB9;
constexpr Gdiplus::ARGB kCard = 0xFF202434;
constexpr Gdiplus::ARGB kTrack = 0xFF323648;
constexpr Gdiplus::ARGB kFrameHover = 0xFF505466;
constexpr Gdiplus::ARGB kErrorText = 0xFFEB5757;
constexpr Gdiplus::ARGB kFooterText = 0xFF505873;

constexpr const wchar_t* kFontFamily = L"Segoe UI";
constexpr int kIconResource = 101;
constexpr int kIconSize = 36;
constexpr const wchar_t* kTitle = L"Orvane";
constexpr const wchar_t* kVersionPrefix = L"版本 ";
constexpr const wchar_t* kDirLabel = L"安装目录";
constexpr const wchar_t* kFooter = L"每个文件都经过 SHA-256 校验后才会安装";
constexpr int kMargin = 40;
constexpr int kCaptionCapacity = 64;
constexpr float kFocusRingWidth = 1.5f;
constexpr int kFocusGap = 3;  // between the main button's focus ring and its body

// Lengths below are 96-DPI pixels; Graphics objects made by this helper draw them at `dpi`.
void ScaleToDpi(Gdiplus::Graphics& g, int dpi) {
  // At 96 DPI no transform at all: the same pixels as ever.
  if (dpi > 0 && dpi != kBaseDpi) {
    const float factor = static_cast<float>(dpi) / static_cast<float>(kBaseDpi);
    g.ScaleTransform(factor, factor);
  }
}

// Device pixels of a Graphics without a transform: covers every pixel whatever the scale.
void FillDevice(Gdiplus::Graphics& g, Gdiplus::ARGB colour, const RECT& r) {
  Gdiplus::SolidBrush brush{Color(colour)};
  g.FillRectangle(&brush, static_cast<INT>(r.left), static_cast<INT>(r.top),
                  static_cast<INT>(r.right - r.left), static_cast<INT>(r.bottom - r.top));
}

std::wstring to_wstring(const std::u16string& text) {
  return to_wide(text);
}

// "Segoe UI" at `size` px, falling back to the generic sans-serif family (kept for the process).
std::unique_ptr<Gdiplus::Font> CreateUiFont(float size, int style) {
  Gdiplus::FontFamily family(kFontFamily);
  const Gdiplus::FontFamily* generic = Gdiplus::FontFamily::GenericSansSerif();
  const Gdiplus::FontFamily* chosen = family.IsAvailable() ? &family : generic;
  auto font = std::make_unique<Gdiplus::Font>(chosen, size, style, Gdiplus::UnitPixel);
  if (font->GetLastStatus() != Gdiplus::Ok && chosen != generic && generic != nullptr) {
    font = std::make_unique<Gdiplus::Font>(generic, size, style, Gdiplus::UnitPixel);
  }
  return font;
}

void DrawRoundedRect(Gdiplus::GraphicsPath& path, int x, int y, int width, int height, int radius) {
  path.Reset();
  const int d = 2 * radius;
  path.AddArc(x, y, d, d, 180.0f, 90.0f);
  path.AddArc(x + width - d, y, d, d, 270.0f, 90.0f);
  path.AddArc(x + width - d, y + height - d, d, d, 0.0f, 90.0f);
  path.AddArc(x, y + height - d, d, d, 90.0f, 90.0f);
  path.CloseFigure();
}

void FillRounded(Gdiplus::Graphics& g, const Gdiplus::Brush& brush, int x, int y, int width,
                 int height, int radius) {
  Gdiplus::GraphicsPath path;
  DrawRoundedRect(path, x, y, width, height, radius);
  g.FillPath(&brush, &path);
}

void OutlineRounded(Gdiplus::Graphics& g, Gdiplus::ARGB colour, int x, int y, int width, int height,
                    int radius) {
  Gdiplus::Pen pen(Color(colour), 1.0f);
  Gdiplus::GraphicsPath path;
  DrawRoundedRect(path, x, y, width, height, radius);
  g.DrawPath(&pen, &path);
}

void DrawText(Gdiplus::Graphics& g, const std::wstring& text, float size, int style,
              Gdiplus::ARGB colour, const Gdiplus::RectF& layout,
              const Gdiplus::StringFormat* format = nullptr) {
  const std::unique_ptr<Gdiplus::Font> font = CreateUiFont(size, style);
  Gdiplus::SolidBrush brush{Color(colour)};
  g.DrawString(text.c_str(), -1, font.get(), layout, format, &brush);
}

void DrawTextAt(Gdiplus::Graphics& g, const std::wstring& text, float size, int style,
                Gdiplus::ARGB colour, int x, int y) {
  DrawText(g, text, size, style, colour,
           Gdiplus::RectF(static_cast<float>(x), static_cast<float>(y), 0.0f, 0.0f));
}

// A one-line text at (x, y) shortened to `width` by `fit` (the text itself when it fits).
void DrawLineAt(Gdiplus::Graphics& g, const std::wstring& text, float size, int style,
                Gdiplus::ARGB colour, int x, int y, int width,
                std::u16string (*fit)(const std::u16string&, float, const MeasureText&)) {
  const std::unique_ptr<Gdiplus::Font> font = CreateUiFont(size, style);
  const MeasureText measure = [&](const std::u16string& candidate) {
    const std::wstring wide = to_wide(candidate);
    Gdiplus::RectF bounds;
    g.MeasureString(wide.c_str(), -1, font.get(), Gdiplus::PointF(0.0f, 0.0f), &bounds);
    return bounds.Width;
  };
  const std::wstring shown = to_wide(fit(to_u16(text), static_cast<float>(width), measure));
  Gdiplus::SolidBrush brush{Color(colour)};
  g.DrawString(shown.c_str(), -1, font.get(),
               Gdiplus::RectF(static_cast<float>(x), static_cast<float>(y), 0.0f, 0.0f), nullptr,
               &brush);
}

std::wstring decode_version(const std::string& version) {
  if (version.empty()) return {};
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, version.data(), static_cast<int>(version.size()), nullptr, 0);
  std::wstring text(static_cast<size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) {
    MultiByteToWideChar(CP_UTF8, 0, version.data(), static_cast<int>(version.size()), text.data(),
                        length);
  }
  return text;
}

void PaintHeader(Gdiplus::Graphics& g, HDC dc, const WindowSnapshot& view, int width, int dpi) {
  Gdiplus::LinearGradientBrush strip(Gdiplus::Point(0, 0), Gdiplus::Point(width, 4),
                                     Color(kAccentStart), Color(kAccentEnd));
  strip.SetWrapMode(Gdiplus::WrapModeTile);
  g.FillRectangle(&strip, 0, 0, width, 4);

  // GDI draws the icon, untouched by the Graphics' scale: its place and size are scaled here.
  const int icon_size = scale(kIconSize, dpi);
  ScopedIcon icon(
      static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconResource),
                                    IMAGE_ICON, icon_size, icon_size, LR_DEFAULTCOLOR)));
  if (icon) {
    DrawIconEx(dc, scale(40, dpi), scale(22, dpi), icon.get(), icon_size, icon_size, 0, nullptr,
               DI_NORMAL);
  }

  DrawTextAt(g, kTitle, 28.0f, Gdiplus::FontStyleBold, kTitleText, 86, 28);
  DrawTextAt(g, to_wstring(subtitle(view.state, view.purpose)), 13.0f,
             Gdiplus::FontStyleRegular, kMutedText, 42, 68);
}

void PaintReleaseCard(Gdiplus::Graphics& g, const WindowSnapshot& view, int width) {
  Gdiplus::SolidBrush card{Color(kCard)};
  FillRounded(g, card, kMargin, 105, width - 2 * kMargin, 80, 10);
  // The card's inner width: a long version ends in "…" inside it.
  DrawLineAt(g, kVersionPrefix + decode_version(view.version), 18.0f, Gdiplus::FontStyleBold,
             kAccentStart, 60, 117, width - 2 * 60, &fit_keeping_start);
  DrawTextAt(g, to_wstring(file_line(view.file_count, view.total_bytes)), 13.0f,
             Gdiplus::FontStyleRegular, kMutedText, 60, 150);
}

void PaintProgress(Gdiplus::Graphics& g, const WindowSnapshot& view, int width) {
  const int track_width = width - 2 * kMargin;
  Gdiplus::SolidBrush track{Color(kTrack)};
  FillRounded(g, track, kMargin, 200, track_width, 12, 6);

  const int32_t percent = shown_percent(view.state, view.progress);
  if (percent > 0) {
    const int fill = fill_width(percent, track_width);
    Gdiplus::LinearGradientBrush brush(Gdiplus::Point(kMargin, 0),
                                       Gdiplus::Point(kMargin + fill, 0), Color(kAccentStart),
                                       Color(kAccentEnd));
    FillRounded(g, brush, kMargin, 200, fill, 12, 6);
  }
  Gdiplus::StringFormat right_aligned;
  right_aligned.SetAlignment(Gdiplus::StringAlignmentFar);
  DrawText(g, std::to_wstring(percent) + L"%", 14.0f, Gdiplus::FontStyleBold, kTitleText,
           Gdiplus::RectF(static_cast<float>(width - kMargin), 220.0f, 0.0f, 0.0f), &right_aligned);
  // A long path keeps its end: which file is being worked on is what matters.
  DrawLineAt(g, view.status, 13.0f, Gdiplus::FontStyleRegular, kMutedText, 40, 250,
             track_width, &fit_keeping_end);
}

void PaintDirectoryChooser(Gdiplus::Graphics& g, const WindowSnapshot& view) {
  DrawTextAt(g, kDirLabel, 13.0f, Gdiplus::FontStyleRegular, kMutedText, 40, 228);
  OutlineRounded(g, view.hover_id == kDirEditId ? kFrameHover : kTrack, 39, 249, 342, 34, 6);
}

// The error's area ends where the main button begins; whole lines only, the rest cut off.
void PaintError(Gdiplus::Graphics& g, const std::wstring& text, int width) {
  const Gdiplus::RectF area(40.0f, 200.0f, static_cast<float>(width - 2 * kMargin), 150.0f);
  Gdiplus::StringFormat whole_lines;
  whole_lines.SetFormatFlags(Gdiplus::StringFormatFlagsLineLimit);
  g.SetClip(area);
  DrawText(g, text, 14.0f, Gdiplus::FontStyleRegular, kErrorText, area, &whole_lines);
  g.ResetClip();
}

// width, height: the client area in 96-DPI units.
void PaintAll(Gdiplus::Graphics& g, HDC dc, const WindowSnapshot& view, int width, int height,
              int dpi) {
  PaintHeader(g, dc, view, width, dpi);
  if (shows_release_card(view.state)) PaintReleaseCard(g, view, width);
  if (shows_progress(view.state)) PaintProgress(g, view, width);
  if (view.state == WindowState::Failed && !view.error_text.empty()) {
    PaintError(g, view.error_text, width);
  }
  if (view.state == WindowState::Ready) PaintDirectoryChooser(g, view);

  Gdiplus::Pen separator(Color(kTrack), 1.0f);
  g.DrawLine(&separator, 0, height - 60, width, height - 60);
  DrawTextAt(g, kFooter, 11.0f, Gdiplus::FontStyleRegular, kFooterText, 40, height - 22);
}

struct ButtonColours {
  Gdiplus::ARGB fill;  // 0: no fill
  Gdiplus::ARGB border;
  Gdiplus::ARGB caption;
};

void DrawMainButton(Gdiplus::Graphics& g, const std::wstring& caption, RECT r, bool pressed,
                    bool disabled, bool hot, bool focused, const Gdiplus::StringFormat& centred) {
  constexpr int kRadius = 8;
  if (focused) {
    // The ring takes the button's edge; the body moves in, leaving a gap of background.
    Gdiplus::Pen ring(Color(kAccentStart), kFocusRingWidth);
    Gdiplus::GraphicsPath path;
    DrawRoundedRect(path, r.left + 1, r.top + 1, r.right - r.left - 2, r.bottom - r.top - 2,
                    kRadius);
    g.DrawPath(&ring, &path);
    r = RECT{r.left + kFocusGap, r.top + kFocusGap, r.right - kFocusGap, r.bottom - kFocusGap};
  }
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  Gdiplus::ARGB start = kAccentStart;
  Gdiplus::ARGB end = kAccentEnd;
  if (disabled) {
    start = 0x50587EFF, end = 0x50A878FF;
  } else if (pressed) {
    start = 0xFF4464EB, end = 0xFF8A5AEB;
  } else if (hot) {
    start = 0xFF6C92FF, end = 0xFFBC8CFF;
  }
  Gdiplus::LinearGradientBrush body(Gdiplus::Point(r.left, 0), Gdiplus::Point(r.right, 0),
                                    Color(start), Color(end));
  FillRounded(g, body, r.left, r.top, w, h, kRadius);
  if (!disabled) {
    Gdiplus::LinearGradientBrush gloss(Gdiplus::Point(0, r.top), Gdiplus::Point(0, r.top + h / 2),
                                       Color(0x28FFFFFF), Color(0x00FFFFFF));
    FillRounded(g, gloss, r.left, r.top, w, h / 2, kRadius);
  }
  DrawText(g, caption, 15.0f, Gdiplus::FontStyleBold, disabled ? 0xB4C8C8DC : 0xFFFFFFFF,
           Gdiplus::RectF(static_cast<float>(r.left), static_cast<float>(r.top),
                          static_cast<float>(w), static_cast<float>(h)),
           &centred);
}

void DrawBrowseButton(Gdiplus::Graphics& g, const std::wstring& caption, const RECT& r,
                      bool pressed, bool disabled, bool hot, bool focused,
                      const Gdiplus::StringFormat& centred) {
  // A 1-pixel pen on the rectangle's own edges would put the right and bottom lines just outside
  // the control, where nothing of them shows: the outline runs one pixel inside.
  const int w = r.right - r.left - 1;
  const int h = r.bottom - r.top - 1;
  constexpr int kRadius = 6;
  ButtonColours colours{0, 0xFF323648, 0xFF969EB9};
  if (disabled) {
    colours = {0, 0x50323648, 0x50646C87};
  } else if (pressed) {
    colours = {0xFF1C1E2C, 0xFF464A5C, 0xFFC8D0EB};
  } else if (hot) {
    colours = {0xFF2A2E3E, 0xFF505466, 0xFFEBEEF8};
  }
  if (colours.fill != 0) {
    Gdiplus::SolidBrush fill{Color(colours.fill)};
    FillRounded(g, fill, r.left, r.top, w, h, kRadius);
  }
  OutlineRounded(g, focused ? kAccentStart : colours.border, r.left, r.top, w, h, kRadius);
  DrawText(g, caption, 13.0f, Gdiplus::FontStyleRegular, colours.caption,
           Gdiplus::RectF(static_cast<float>(r.left), static_cast<float>(r.top),
                          static_cast<float>(r.right - r.left), static_cast<float>(r.bottom - r.top)),
           &centred);
}

}  // namespace

void PaintWindow(HDC dc, const WindowSnapshot& view, int width, int height, int dpi) {
  ScopedMemoryDc memory(CreateCompatibleDC(dc));
  ScopedBitmap bitmap(CreateCompatibleBitmap(dc, width, height));
  if (!memory || !bitmap) return;
  {
    ScopedSelection selected(memory.get(), bitmap.get());
    {
      Gdiplus::Graphics g(memory.get());
      g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
      g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
      FillDevice(g, kBackground, RECT{0, 0, width, height});
      ScaleToDpi(g, dpi);
      PaintAll(g, memory.get(), view, unscale(width, dpi), unscale(height, dpi), dpi);
    }
    BitBlt(dc, 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
  }
}

void DrawButton(const DRAWITEMSTRUCT& item, int32_t hover_id, int dpi, bool show_focus) {
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  const bool hot = hover_id == static_cast<int32_t>(item.CtlID) && !disabled;
  const bool focused = show_focus && (item.itemState & ODS_FOCUS) != 0 && !disabled;
  wchar_t caption[kCaptionCapacity] = {};
  GetWindowTextW(item.hwndItem, caption, kCaptionCapacity);

  Gdiplus::Graphics g(item.hDC);
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
  FillDevice(g, kBackground, item.rcItem);
  ScaleToDpi(g, dpi);
  // The item rectangle in 96-DPI units, the way the layout gave it.
  const RECT r{unscale(item.rcItem.left, dpi), unscale(item.rcItem.top, dpi),
               unscale(item.rcItem.right, dpi), unscale(item.rcItem.bottom, dpi)};
  Gdiplus::StringFormat centred;
  centred.SetAlignment(Gdiplus::StringAlignmentCenter);
  centred.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  if (item.CtlID == static_cast<UINT>(kMainButtonId)) {
    DrawMainButton(g, caption, r, pressed, disabled, hot, focused, centred);
  } else {
    DrawBrowseButton(g, caption, r, pressed, disabled, hot, focused, centred);
  }
}
