#include "ui/folder_picker.h"

#include <shobjidl.h>

#include <atomic>
#include <chrono>
#include <memory>

#include "base/com_apartment.h"
#include "base/com_ptr.h"
#include "base/worker.h"

namespace {

// How long the dialog's start folder may take to answer. A network share that went away or a
// reader without its card can keep a call on it waiting for many seconds, on the window's thread.
constexpr std::chrono::milliseconds kStartFolderWait{800};

// Whether `folder` is an existing folder, asked on a worker of its own: an answer that does not
// come within `limit` counts as no, and the worker is left to finish on its own.
bool folder_answers(const std::wstring& folder, std::chrono::milliseconds limit) {
  const auto is_folder = std::make_shared<std::atomic<bool>>(false);
  const auto asking = std::make_shared<Worker>();
  if (!asking->start([is_folder, folder] {
        const DWORD attributes = GetFileAttributesW(folder.c_str());
        is_folder->store(attributes != INVALID_FILE_ATTRIBUTES &&
                         (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
      })) {
    return false;
  }
  return asking->wait_idle(limit) && is_folder->load();
}

struct CoTaskText {
  PWSTR text = nullptr;
  ~CoTaskText() { CoTaskMemFree(text); }
};

}  // namespace

std::wstring PickFolder(HWND owner, const std::wstring& initial_folder) {
  const ComApartment com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  if (!com.usable()) return {};

  ComPtr<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IFileOpenDialog, dialog.put_void()))) {
    return {};
  }
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_NOCHANGEDIR);
  if (!initial_folder.empty() && folder_answers(initial_folder, kStartFolderWait)) {
    ComPtr<IShellItem> folder;
    // A folder that does not exist yet (or does not answer) is not asked for: the dialog then
    // opens at its default.
    if (SUCCEEDED(SHCreateItemFromParsingName(initial_folder.c_str(), nullptr, IID_IShellItem,
                                              folder.put_void()))) {
      dialog->SetFolder(folder.get());
    }
  }
  dialog->SetTitle(kFolderPickerTitle);
  if (FAILED(dialog->Show(owner))) return {};

  ComPtr<IShellItem> chosen;
  if (FAILED(dialog->GetResult(chosen.put()))) return {};
  CoTaskText path;
  if (FAILED(chosen->GetDisplayName(SIGDN_FILESYSPATH, &path.text)) || path.text == nullptr) {
    return {};
  }
  return path.text;
}
