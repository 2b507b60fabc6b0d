#include "system/scheduled_check.h"

#include <windows.h>
#include <oleauto.h>
#include <sddl.h>
#include <taskschd.h>

#include <optional>
#include <vector>

#include "base/com_apartment.h"
#include "base/com_ptr.h"
#include "base/file_system.h"
#include "base/user_registry.h"
#include "base/win_handle.h"
#include "system/installation_lock.h"
#include "state/install_layout.h"
#include "state/scheduled_check_task.h"

namespace {

constexpr const wchar_t* kRootFolder = L"\\";
constexpr DWORD kNameCapacity = 256;

// A BSTR owned by the scope that made it.
class Bstr {
 public:
  explicit Bstr(const std::wstring& text)
      : value_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  Bstr() = default;
  ~Bstr() { SysFreeString(value_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const { return value_; }
  BSTR* put() {
    SysFreeString(value_);
    value_ = nullptr;
    return &value_;
  }
  std::wstring text() const {
    return value_ ? std::wstring(value_, SysStringLen(value_)) : std::wstring();
  }

 private:
  BSTR value_ = nullptr;
};

// The Task Scheduler's root folder, connected as the current user; empty when the service does
// not answer (not started, or locked down).
class SchedulerRoot {
 public:
  SchedulerRoot() {
    if (!com_.usable()) return;
    if (FAILED(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER,
                                IID_ITaskService, service_.put_void()))) {
      return;
    }
    VARIANT none;
    VariantInit(&none);
    const Bstr root(kRootFolder);
    if (FAILED(service_->Connect(none, none, none, none)) ||
        FAILED(service_->GetFolder(root.get(), root_.put()))) {
      root_.reset();
    }
  }
  ITaskFolder* get() const { return root_.get(); }

 private:
  ComApartment com_;  // first made, last gone
  ComPtr<ITaskService> service_;
  ComPtr<ITaskFolder> root_;
};

// The SID of the user this process runs as, as text ("S-1-5-21-..."); empty when unknown.
std::wstring current_user_sid() {
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return {};
  const ScopedKernelHandle token(raw);
  DWORD size = 0;
  GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
  std::vector<BYTE> buffer(size);
  wchar_t* text = nullptr;
  if (size == 0 || !GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size) ||
      !ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
    return {};
  }
  const std::wstring sid(text);
  LocalFree(text);
  return sid;
}

// The id of install_dir's installation, as its lock and window tag name it.
std::wstring installation_id(const std::wstring& install_dir) {
  const std::wstring tag = InstallationWindowTag(install_dir);
  return tag.substr(tag.find(L'-') + 1);
}

// The name earlier installs gave the folder's task and Run value, for every user alike.
std::wstring legacy_name(const std::wstring& install_dir) {
  return scheduled_check_name(installation_id(install_dir));
}

// DOMAIN\name of the user this process runs as: whose logon starts the task, and who runs it.
std::wstring current_user_id() {
  HANDLE raw = nullptr;
  if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) {
    const ScopedKernelHandle token(raw);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    wchar_t name[kNameCapacity] = {};
    wchar_t domain[kNameCapacity] = {};
    DWORD name_size = kNameCapacity;
    DWORD domain_size = kNameCapacity;
    SID_NAME_USE use{};
    if (size > 0 && GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size) &&
        LookupAccountSidW(nullptr, reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, name,
                          &name_size, domain, &domain_size, &use)) {
      return domain_size > 0 ? std::wstring(domain) + L"\\" + name : std::wstring(name);
    }
  }
  wchar_t name[kNameCapacity] = {};
  DWORD size = kNameCapacity;
  return GetUserNameW(name, &size) ? std::wstring(name) : std::wstring();
}

std::wstring computer_name() {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  return GetComputerNameW(name, &size) ? std::wstring(name) : std::wstring();
}

ScheduledCheck check_for(const std::wstring& install_dir) {
  ScheduledCheck check;
  check.updater_path = updater_path(install_dir);
  check.user_id = current_user_id();
  check.daily_minute =
      spread_minute(computer_name() + L"|" + check.user_id + L"|" + folded_directory(install_dir));
  return check;
}

// The definition of the task as the Task Scheduler keeps it; absent when there is none.
std::optional<std::wstring> registered_definition(ITaskFolder* root, const std::wstring& name) {
  ComPtr<IRegisteredTask> task;
  const Bstr path(name);
  if (FAILED(root->GetTask(path.get(), task.put()))) return std::nullopt;
  Bstr xml;
  if (FAILED(task->get_Xml(xml.put()))) return std::wstring();
  return xml.text();
}

bool register_task(ITaskFolder* root, const std::wstring& name, const ScheduledCheck& check) {
  const Bstr path(name);
  const Bstr xml(scheduled_check_xml(check));
  VARIANT none;
  VariantInit(&none);
  ComPtr<IRegisteredTask> task;
  // No user or password: the task runs as the user who registers it, only while logged on.
  return SUCCEEDED(root->RegisterTask(path.get(), xml.get(), TASK_CREATE_OR_UPDATE, none, none,
                                      TASK_LOGON_INTERACTIVE_TOKEN, none, task.put()));
}

// Deletes a task by name; true when there is none of that name afterwards.
bool delete_task(ITaskFolder* root, const std::wstring& name) {
  const Bstr path(name);
  const HRESULT deleted = root->DeleteTask(path.get(), 0);
  return SUCCEEDED(deleted) || deleted == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
}

CheckSchedule schedule(const std::wstring& install_dir, bool keep_matching) {
  const std::wstring name = ScheduledCheckName(install_dir);
  const ScheduledCheck check = check_for(install_dir);
  // The task an earlier install named for the folder alone goes (one of another user's stays:
  // it cannot be deleted from here); so does its Run value.
  DeleteUserValue(kRunKeyPath, legacy_name(install_dir));
  if (!task_would_expand(check.updater_path)) {
    const SchedulerRoot root;
    if (root.get() != nullptr) {
      delete_task(root.get(), legacy_name(install_dir));
      const std::optional<std::wstring> definition =
          keep_matching ? registered_definition(root.get(), name) : std::nullopt;
      if ((definition && scheduled_check_matches(*definition, check)) ||
          register_task(root.get(), name, check)) {
        DeleteUserValue(kRunKeyPath, name);
        return CheckSchedule::Task;
      }
    }
  }
  return WriteUserText(kRunKeyPath, name, scheduled_check_command(check.updater_path))
             ? CheckSchedule::RunKey
             : CheckSchedule::None;
}

}  // namespace

std::wstring ScheduledCheckName(const std::wstring& install_dir) {
  return scheduled_check_name(installation_id(install_dir), current_user_sid());
}

CheckSchedule ScheduleChecks(const std::wstring& install_dir) {
  return schedule(install_dir, false);
}

CheckSchedule RefreshScheduledChecks(const std::wstring& install_dir) {
  return schedule(install_dir, true);
}

bool RemoveScheduledChecks(const std::wstring& install_dir, bool task_registered) {
  const std::wstring name = ScheduledCheckName(install_dir);
  // A task the install registered is gone only once the Task Scheduler says so: left behind, it
  // would run <dir>\orvane-updater.exe every day, whoever makes that folder next.
  bool task_gone = !task_registered;
  {
    const SchedulerRoot root;
    if (root.get() != nullptr) {
      task_gone = delete_task(root.get(), name);
      delete_task(root.get(), legacy_name(install_dir));
    }
  }
  const bool values_gone =
      DeleteUserValue(kRunKeyPath, name) && DeleteUserValue(kRunKeyPath, legacy_name(install_dir));
  return values_gone && task_gone;
}
