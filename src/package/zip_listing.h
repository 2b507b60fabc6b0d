// The names of the files a zip archive holds, read from its central directory (zip64 too).
// Portable: the archive is read through a callback, so the format is tested on its own.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// `size` bytes of the archive at `offset`; absent when they cannot be read.
using ZipReader = std::function<std::optional<std::string>(uint64_t offset, size_t size)>;

// Every file entry's name as stored (folders, whose names end in "/", left out), in the
// directory's order. A name that is not marked UTF-8 is taken only when it is ASCII: another
// code page's bytes name no file this program could find again. Absent when the archive has
// no readable directory.
std::optional<std::vector<std::string>> zip_file_names(uint64_t archive_size,
                                                       const ZipReader& read_at);

// zip_file_names of the archive file at `path` (Windows).
std::optional<std::vector<std::string>> ListZipFiles(const std::wstring& path);
