#include "system/declined_update.h"

#include "base/file_system.h"
#include "base/user_registry.h"

std::wstring DeclinedVersion(const std::wstring& install_dir) {
  return ReadUserText(kDeclinedUpdatesKeyPath, folded_directory(install_dir))
      .value_or(std::wstring());
}

bool RecordDeclinedVersion(const std::wstring& install_dir, const std::wstring& version) {
  return WriteUserText(kDeclinedUpdatesKeyPath, folded_directory(install_dir), version);
}

bool ForgetDeclinedVersion(const std::wstring& install_dir) {
  return DeleteUserValue(kDeclinedUpdatesKeyPath, folded_directory(install_dir));
}
