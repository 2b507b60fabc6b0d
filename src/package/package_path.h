// Where a package's published file_path may land. Portable: no platform headers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The file_path as UTF-16, or absent when it could reach outside the installation directory or
// is not strict UTF-8: empty, a leading `\` or `/` (root, UNC), any `:` (drive, stream), an
// element made only of dots and spaces (`..`, `...`, `.. `; a lone `.` is fine), or a control
// character.
std::optional<std::u16string> safe_relative_path(std::string_view file_path);
