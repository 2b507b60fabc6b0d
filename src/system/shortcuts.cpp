#include "system/shortcuts.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "base/com_apartment.h"
#include "base/com_ptr.h"
#include "base/path_text.h"

namespace {

constexpr DWORD kPathCapacity = MAX_PATH;
constexpr const wchar_t* kLinkSuffix = L".lnk";

bool shell_folder(int csidl, std::wstring& out) {
  wchar_t buffer[kPathCapacity] = {};
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer))) return false;
  out = buffer;
  return true;
}

}  // namespace

bool CopySelfAsUpdater(const std::wstring& dest_path) {
  wchar_t self[kPathCapacity] = {};
  if (GetModuleFileNameW(nullptr, self, kPathCapacity) == 0) return false;
  return CopyFileW(self, dest_path.c_str(), FALSE) != 0;
}

std::wstring DesktopShortcutPath(const std::wstring& name) {
  std::wstring desktop;
  if (!shell_folder(CSIDL_DESKTOPDIRECTORY, desktop)) return {};
  return desktop + L"\\" + name + kLinkSuffix;
}

std::wstring StartMenuFolderPath() {
  std::wstring programs;
  if (!shell_folder(CSIDL_PROGRAMS, programs)) return {};
  return programs + L"\\" + kStartMenuFolder;
}

std::wstring StartMenuShortcutPath(const std::wstring& name) {
  const std::wstring folder = StartMenuFolderPath();
  return folder.empty() ? folder : folder + L"\\" + name + kLinkSuffix;
}

bool CreateDesktopShortcut(const std::wstring& target, const std::wstring& name) {
  const std::wstring link = DesktopShortcutPath(name);
  return !link.empty() && CreateShellLink(link, target, kShortcutDescription);
}

bool CreateStartMenuShortcut(const std::wstring& target, const std::wstring& name) {
  const std::wstring link = StartMenuShortcutPath(name);
  if (link.empty()) return false;
  CreateDirectoryW(StartMenuFolderPath().c_str(), nullptr);
  return CreateShellLink(link, target, kShortcutDescription);
}

std::wstring ReadShellLinkTarget(const std::wstring& link_path) {
  const ComApartment com;
  if (!com.usable()) return {};
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> file;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              link.put_void())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, file.put_void())) ||
      FAILED(file->Load(link_path.c_str(), STGM_READ))) {
    return {};
  }
  wchar_t target[kPathCapacity] = {};
  // SLGP_RAWPATH: the path as stored, without expanding or resolving it anew.
  if (FAILED(link->GetPath(target, kPathCapacity, nullptr, SLGP_RAWPATH))) return {};
  return target;
}

bool CreateShellLink(const std::wstring& link_path, const std::wstring& target,
                     const std::wstring& description) {
  const ComApartment com;
  if (!com.usable()) return false;
  ComPtr<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              link.put_void()))) {
    return false;
  }
  link->SetPath(target.c_str());
  // The target's folder; a root keeps its separator ("D:\", not the drive-relative "D:").
  if (const std::wstring folder = parent_directory(target); !folder.empty()) {
    link->SetWorkingDirectory(folder.c_str());
  }
  if (!description.empty()) link->SetDescription(description.c_str());
  link->SetIconLocation(target.c_str(), 0);
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.put_void()))) return false;
  return SUCCEEDED(file->Save(link_path.c_str(), TRUE));
}
