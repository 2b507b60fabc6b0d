#include "ui/folder_picker.h"

#include <shobjidl.h>

#include "base/com_ptr.h"

namespace {

// Balances a successful CoInitializeEx when the scope ends.
class ComApartment {
 public:
  ComApartment()
      : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  // Already initialised in the other model is usable too.
  bool usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

struct CoTaskText {
  PWSTR text = nullptr;
  ~CoTaskText() { CoTaskMemFree(text); }
};

}  // namespace

std::wstring PickFolder(HWND owner, const std::wstring& initial_folder) {
  ComApartment com;
  if (!com.usable()) return {};

  ComPtr<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IFileOpenDialog, dialog.put_void()))) {
    return {};
  }
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_NOCHANGEDIR);
  if (!initial_folder.empty()) {
    ComPtr<IShellItem> folder;
    // A folder that does not exist yet cannot be parsed; the dialog then opens at its default.
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
