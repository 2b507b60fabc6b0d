#include "package/installed_path.h"

#include "base/path_text.h"
#include "base/wide.h"
#include "package/package_path.h"

std::optional<std::wstring> InstalledPath(const std::wstring& install_dir,
                                          std::string_view file_path) {
  const std::optional<std::u16string> relative = safe_relative_path(file_path);
  if (!relative) return std::nullopt;
  return join_path(install_dir, to_wide(*relative));
}
