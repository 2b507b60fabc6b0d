// Where a package's published file_path may land. Portable: no platform headers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The file_path as UTF-16, or absent when it could reach outside the installation directory or
// is not strict UTF-8: empty, a leading `\` or `/` (root, UNC), any `:` (drive, stream), an
// element made only of dots and spaces (`..`, `...`, `.. `; a lone `.` is fine) or ending in a
// dot or a space (Windows drops those: "x.bin." is "x.bin"), a control
// character, or an element that names a device (CON, PRN, AUX, NUL, COM0-9, LPT0-9 and their
// superscript-digit forms, CONIN$, CONOUT$: before its first dot, any case, trailing spaces
// dropped: "COM1.pak", "a/nul", "con .txt").
std::optional<std::u16string> safe_relative_path(std::string_view file_path);

// The file a safe relative path names, spelled one way: elements joined by one backslash, "."
// and empty elements dropped, trailing dots and spaces of each element dropped (Windows drops
// them too), ASCII letters upper-cased. Two paths with the same identity name one file; the
// comparison of other letters without regard to case is the platform's (path_conflicts).
std::u16string path_identity(std::u16string_view relative_path);
