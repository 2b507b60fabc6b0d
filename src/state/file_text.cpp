#include "state/file_text.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <system_error>

#ifdef _WIN32
#include <windows.h>

#include "base/win_handle.h"
#endif

namespace {

constexpr const char* kTemporarySuffix = ".orvane-tmp";

std::atomic<WriteFileTextHook> g_hook{nullptr};

#ifdef _WIN32
// Written through one handle and flushed: the bytes are on the disk before the move.
bool write_durably(const std::filesystem::path& path, std::string_view text) {
  ScopedKernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  size_t offset = 0;
  while (offset < text.size()) {
    const DWORD piece = static_cast<DWORD>(std::min<size_t>(text.size() - offset, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file.get(), text.data() + offset, piece, &written, nullptr) ||
        written != piece) {
      return false;
    }
    offset += piece;
  }
  return FlushFileBuffers(file.get()) != 0;
}

bool replace_file(const std::filesystem::path& from, const std::filesystem::path& to) {
  return MoveFileExW(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
#else
bool write_durably(const std::filesystem::path& path, std::string_view text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.flush();
  return out.good();
}

bool replace_file(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code ec;
  std::filesystem::rename(from, to, ec);  // atomic replace on POSIX
  return !ec;
}
#endif

}  // namespace

std::filesystem::path FileInDirectory(const std::filesystem::path::string_type& dir,
                                      std::string_view name) {
  using Char = std::filesystem::path::value_type;
#ifdef _WIN32
  constexpr Char kSeparator = L'\\';
#else
  constexpr Char kSeparator = '/';
#endif
  const std::filesystem::path::string_type file = std::filesystem::path(name).native();
  if (dir.empty()) return file;
  const Char last = dir.back();
  if (last == Char('\\') || last == Char('/')) return dir + file;
  return dir + kSeparator + file;
}

std::optional<std::string> ReadFileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return text;
}

bool WriteFileText(const std::filesystem::path& path, std::string_view text) {
  std::filesystem::path temporary = path;
  temporary += kTemporarySuffix;
  std::error_code ec;
  if (!write_durably(temporary, text)) {
    std::filesystem::remove(temporary, ec);
    return false;
  }
  if (const WriteFileTextHook hook = g_hook.load(); hook != nullptr && !hook(temporary)) {
    return false;
  }
  if (!replace_file(temporary, path)) {
    std::filesystem::remove(temporary, ec);
    return false;
  }
  return true;
}

void SetWriteFileTextHook(WriteFileTextHook hook) {
  g_hook.store(hook);
}
