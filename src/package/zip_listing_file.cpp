#include <windows.h>

#include <algorithm>

#include "base/win_handle.h"
#include "package/zip_listing.h"

std::optional<std::vector<std::string>> ListZipFiles(const std::wstring& path) {
  const ScopedKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size)) return std::nullopt;
  const ZipReader read_at = [&file](uint64_t offset, size_t count) -> std::optional<std::string> {
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file.get(), position, nullptr, FILE_BEGIN)) return std::nullopt;
    std::string bytes(count, '\0');
    size_t done = 0;
    while (done < count) {
      DWORD read = 0;
      const auto piece = static_cast<DWORD>(std::min<size_t>(count - done, 1u << 20));
      if (!ReadFile(file.get(), bytes.data() + done, piece, &read, nullptr) || read == 0) {
        return std::nullopt;
      }
      done += read;
    }
    return bytes;
  };
  return zip_file_names(static_cast<uint64_t>(size.QuadPart), read_at);
}
