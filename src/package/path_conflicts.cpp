#include "package/path_conflicts.h"

#include <windows.h>

#include <set>
#include <string>

#include "package/package_path.h"

namespace {

constexpr std::u16string_view kBackupIdentitySuffix = u".BAK";
// What an installation keeps of its own, as file keys: no package, and no file of a package's
// archive, may land there. A record is replaced through the journal beside itself (".new"), and
// kept as ".bak" until the update is committed.
constexpr std::u16string_view kReservedIdentities[] = {
    u"ORVANE-VERSION.JSON",         u"ORVANE-VERSION.JSON.BAK",     u"ORVANE-VERSION.JSON.NEW",
    u"ORVANE-UPDATE.PENDING",       u"ORVANE-UPDATE.PENDING.BAK",   u"ORVANE-UPDATE.PENDING.NEW",
    u"ORVANE-CONFIG.JSON.BAK",      u"ORVANE-CONFIG.JSON.NEW",      u"ORVANE-ZIP-MEMBERS.JSON",
    u"ORVANE-ZIP-MEMBERS.JSON.BAK", u"ORVANE-ZIP-MEMBERS.JSON.NEW",
};

bool is_reserved(const std::u16string& key) {
  for (std::u16string_view reserved : kReservedIdentities) {
    if (key == reserved) return true;
  }
  return false;
}

}  // namespace

bool is_record_path(std::string_view file_path) {
  const std::u16string key = file_key(file_path);
  return !key.empty() && is_reserved(key);
}

std::optional<std::string> find_record_member(const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    if (is_record_path(name)) return name;
  }
  return std::nullopt;
}

bool same_installed_file(std::u16string_view a, std::u16string_view b) {
  return CompareStringOrdinal(reinterpret_cast<const wchar_t*>(a.data()), static_cast<int>(a.size()),
                              reinterpret_cast<const wchar_t*>(b.data()), static_cast<int>(b.size()),
                              TRUE) == CSTR_EQUAL;
}

std::u16string file_key(std::string_view file_path) {
  const std::optional<std::u16string> relative = safe_relative_path(file_path);
  if (!relative) return {};
  std::u16string key = path_identity(*relative);
  if (!key.empty()) CharUpperBuffW(reinterpret_cast<wchar_t*>(key.data()), static_cast<DWORD>(key.size()));
  return key;
}

bool same_file_path(std::string_view a, std::string_view b) {
  const std::optional<std::u16string> first = safe_relative_path(a);
  const std::optional<std::u16string> second = safe_relative_path(b);
  return first && second && same_installed_file(path_identity(*first), path_identity(*second));
}

std::optional<size_t> find_unsafe_path(const std::vector<ReleaseFile>& files) {
  for (size_t i = 0; i < files.size(); ++i) {
    if (!safe_relative_path(files[i].file_path)) return i;
  }
  return std::nullopt;
}

std::optional<size_t> find_conflicting_path(const std::vector<ReleaseFile>& files) {
  // Keys in sets: linear in the size of the release, however many files it names.
  std::set<std::u16string> paths;    // the files earlier packages name
  std::set<std::u16string> backups;  // the ".bak" names of those
  for (size_t i = 0; i < files.size(); ++i) {
    const std::u16string key = file_key(files[i].file_path);
    if (key.empty()) continue;  // refused on its own, as an unsafe path
    const std::u16string backup = key + std::u16string(kBackupIdentitySuffix);
    if (is_reserved(key) || paths.count(key) || backups.count(key) || paths.count(backup)) {
      return i;
    }
    paths.insert(key);
    backups.insert(backup);
  }
  return std::nullopt;
}

std::optional<RefusedPath> find_refused_path(const std::vector<ReleaseFile>& files) {
  if (const std::optional<size_t> unsafe = find_unsafe_path(files)) {
    return RefusedPath{*unsafe, {PackageFailure::InvalidPath, {}}};
  }
  if (const std::optional<size_t> conflict = find_conflicting_path(files)) {
    return RefusedPath{*conflict, {PackageFailure::ConflictingPath, {}}};
  }
  return std::nullopt;
}
