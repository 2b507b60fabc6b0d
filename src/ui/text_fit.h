// Shortening a one-line text to a width, with an ellipsis where text was left out.
// Portable: the width of a text comes from the caller, so the rules are tested on their own.
#pragma once

#include <functional>
#include <string>

using MeasureText = std::function<float(const std::u16string&)>;

inline constexpr char16_t kEllipsis = u'…';

// The text when it fits; else its longest beginning that fits followed by "…".
std::u16string fit_keeping_start(const std::u16string& text, float width,
                                 const MeasureText& measure);

// The text when it fits; else "<beginning>…<last path part>", where the last part runs from the
// last '\' or '/' to the end and the beginning is as long as fits ("下载: 3/40  C:\…\zh-CN.pak").
// When even "…<last part>" is too wide: "…" and the longest end of the text that fits.
std::u16string fit_keeping_end(const std::u16string& text, float width,
                               const MeasureText& measure);
