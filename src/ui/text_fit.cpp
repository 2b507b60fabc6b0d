#include "ui/text_fit.h"

#include <algorithm>

namespace {

// No more than this many UTF-16 units from either end of a text are ever measured: far more than
// the widest line of the window shows at any DPI, so a multi-megabyte version or path costs no
// more to paint than a short one.
constexpr size_t kMeasuredUnits = 512;

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

// The text's end of at most kMeasuredUnits units, not starting inside a surrogate pair.
std::u16string measured_end(const std::u16string& text) {
  if (text.size() <= kMeasuredUnits) return text;
  return text.substr(snap_up(text, text.size() - kMeasuredUnits));
}

bool short_and_fits(const std::u16string& text, float width, const MeasureText& measure) {
  return text.size() <= 2 * kMeasuredUnits && measure(text) <= width;
}

}  // namespace

std::u16string fit_keeping_start(const std::u16string& text, float width,
                                 const MeasureText& measure) {
  if (short_and_fits(text, width, measure)) return text;
  const size_t kept = largest_fitting(std::min(text.size(), kMeasuredUnits), [&](size_t n) {
    return measure(text.substr(0, n) + kEllipsis) <= width;
  });
  return text.substr(0, snap_down(text, kept)) + kEllipsis;
}

std::u16string fit_keeping_end(const std::u16string& text, float width,
                               const MeasureText& measure) {
  if (short_and_fits(text, width, measure)) return text;
  const size_t separator = text.find_last_of(u"\\/");
  if (separator == std::u16string::npos || separator == 0 ||
      text.size() - separator > kMeasuredUnits) {
    return ellipsis_then_end(measured_end(text), width, measure);
  }
  const std::u16string tail = kEllipsis + text.substr(separator);
  if (measure(tail) > width) return ellipsis_then_end(measured_end(text), width, measure);
  const size_t kept = largest_fitting(std::min(separator, kMeasuredUnits), [&](size_t n) {
    return measure(text.substr(0, n) + tail) <= width;
  });
  return text.substr(0, snap_down(text, kept)) + tail;
}
