#include "ui/text_fit.h"

namespace {

bool is_low_surrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// A cut between the halves of a surrogate pair would leave half a character.
size_t snap_down(const std::u16string& text, size_t cut) {
  while (cut > 0 && cut < text.size() && is_low_surrogate(text[cut])) --cut;
  return cut;
}

size_t snap_up(const std::u16string& text, size_t cut) {
  while (cut < text.size() && is_low_surrogate(text[cut])) ++cut;
  return cut;
}

// The largest n in [0, limit] for which fits(n) holds, assuming fits is monotone (true up to
// some n, false above); 0 when none but 0 fits.
size_t largest_fitting(size_t limit, const std::function<bool(size_t)>& fits) {
  size_t low = 0, high = limit;
  while (low < high) {
    const size_t middle = low + (high - low + 1) / 2;
    if (fits(middle)) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  return low;
}

std::u16string ellipsis_then_end(const std::u16string& text, float width,
                                 const MeasureText& measure) {
  const size_t kept = largest_fitting(text.size(), [&](size_t n) {
    return measure(kEllipsis + text.substr(text.size() - n)) <= width;
  });
  return kEllipsis + text.substr(snap_up(text, text.size() - kept));
}

}  // namespace

std::u16string fit_keeping_start(const std::u16string& text, float width,
                                 const MeasureText& measure) {
  if (measure(text) <= width) return text;
  const size_t kept = largest_fitting(
      text.size(), [&](size_t n) { return measure(text.substr(0, n) + kEllipsis) <= width; });
  return text.substr(0, snap_down(text, kept)) + kEllipsis;
}

std::u16string fit_keeping_end(const std::u16string& text, float width,
                               const MeasureText& measure) {
  if (measure(text) <= width) return text;
  const size_t separator = text.find_last_of(u"\\/");
  if (separator == std::u16string::npos || separator == 0) {
    return ellipsis_then_end(text, width, measure);
  }
  const std::u16string tail = kEllipsis + text.substr(separator);
  if (measure(tail) > width) return ellipsis_then_end(text, width, measure);
  const size_t kept = largest_fitting(
      separator, [&](size_t n) { return measure(text.substr(0, n) + tail) <= width; });
  return text.substr(0, snap_down(text, kept)) + tail;
}
