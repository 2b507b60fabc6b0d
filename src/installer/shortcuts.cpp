#include "installer/shortcuts.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "base/com_ptr.h"
#include "base/path_text.h"

namespace {

constexpr DWORD kPathCapacity = MAX_PATH;

// COM for this thread for the life of the scope; balanced only when this scope started it.
class ComForThread {
 public:
  ComForThread() : result_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
  ~ComForThread() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComForThread(const ComForThread&) = delete;
  ComForThread& operator=(const ComForThread&) = delete;
  bool usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

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

bool CreateDesktopShortcut(const std::wstring& target, const std::wstring& name) {
  std::wstring desktop;
  if (!shell_folder(CSIDL_DESKTOPDIRECTORY, desktop)) return false;
  return CreateShellLink(desktop + L"\\" + name + L".lnk", target, kShortcutDescription);
}

bool CreateStartMenuShortcut(const std::wstring& target, const std::wstring& name) {
  std::wstring programs;
  if (!shell_folder(CSIDL_PROGRAMS, programs)) return false;
  const std::wstring folder = programs + L"\\" + kStartMenuFolder;
  CreateDirectoryW(folder.c_str(), nullptr);
  return CreateShellLink(folder + L"\\" + name + L".lnk", target, kShortcutDescription);
}

bool CreateShellLink(const std::wstring& link_path, const std::wstring& target,
                     const std::wstring& description) {
  ComForThread com;
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
