// Where a release's file lives in an installation.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// install_dir joined with the file_path as the package step places it; absent for a path that
// would leave the installation (whatever a record or journal says, nothing outside is touched).
std::optional<std::wstring> InstalledPath(const std::wstring& install_dir,
                                          std::string_view file_path);
