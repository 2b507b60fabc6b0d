// Whole-file reads and writes of raw bytes. Portable.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// `name` inside `dir`, with one separator between unless `dir` is empty or already ends in one.
std::filesystem::path FileInDirectory(const std::filesystem::path::string_type& dir,
                                      std::string_view name);

// The whole file; absent when it cannot be opened (an empty file gives "").
std::optional<std::string> ReadFileText(const std::filesystem::path& path);

// Replaces the file with exactly `text` (no BOM, no newline translation). The text goes to a
// temporary file beside it, is flushed to the disk, and is then moved over the old file in one
// step, so a crash leaves the old file or the new one, never a truncated one.
bool WriteFileText(const std::filesystem::path& path, std::string_view text);

// Tests: a hook called after the temporary file is complete and before it replaces the target;
// returning false abandons the write there, as a crash at that moment would.
using WriteFileTextHook = bool (*)(const std::filesystem::path& temporary);
void SetWriteFileTextHook(WriteFileTextHook hook);
