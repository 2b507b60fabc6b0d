// Fuzzing of everything that reads the release service's bytes: URL split, release answer,
// package paths and UTF-8 decoding. Each must hold its promise for any input, not just not crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/utf8.h"
#include "net/release.h"
#include "net/url.h"
#include "package/package_path.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

void check_url(std::string_view input) {
  const auto parts = parse_url(input);
  if (!parts) return;
  require(!parts->path.empty() && parts->path.front() == L'/');
  require(parts->port >= 0 && parts->port <= 65535);
}

void check_release(std::string_view input) {
  const auto release = parse_release(input);
  if (!release) return;
  require(!release->version.empty());
  for (const ReleaseFile& file : release->files) {
    require(!file.file_path.empty() && !file.download_url.empty());
  }
}

void check_path(std::string_view input) {
  const auto decoded = decode_utf8(input);
  if (decoded) require(encode_utf8(*decoded) == input);

  const auto path = safe_relative_path(input);
  if (!path) return;
  require(decoded && *path == *decoded);
  require(!path->empty() && path->front() != u'\\' && path->front() != u'/');
  size_t start = 0;
  for (size_t i = 0; i <= path->size(); ++i) {
    if (i < path->size() && (*path)[i] != u'\\' && (*path)[i] != u'/') {
      require((*path)[i] != u':' && (*path)[i] >= 0x20);
      continue;
    }
    const std::u16string_view element(path->data() + start, i - start);
    const bool dots_and_spaces = element.find_first_not_of(u". ") == std::u16string_view::npos;
    require(element.empty() || element == u"." || !dots_and_spaces);
    start = i + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  check_url(input);
  check_release(input);
  check_path(input);
  return 0;
}
