#include "journal/journal_file.h"

#include <windows.h>

#include "base/file_system.h"
#include "base/win_handle.h"
#include "state/file_text.h"

namespace {

std::wstring journal_path(const std::wstring& install_dir) {
  return join_path(install_dir, kJournalName);
}

}  // namespace

bool JournalExists(const std::wstring& install_dir) {
  return path_exists(journal_path(install_dir));
}

std::optional<JournalState> ReadJournal(const std::wstring& install_dir) {
  const std::optional<std::string> text = ReadFileText(journal_path(install_dir));
  if (!text) return std::nullopt;
  return parse_journal(*text);
}

bool WriteJournal(const std::wstring& install_dir, const JournalState& journal) {
  return WriteFileText(journal_path(install_dir), journal_text(journal));
}

bool RemoveJournal(const std::wstring& install_dir) {
  return delete_file(journal_path(install_dir));
}

bool AppendJournalStep(const std::wstring& install_dir, const JournalStep& step) {
  const ScopedKernelHandle file(CreateFileW(journal_path(install_dir).c_str(), FILE_APPEND_DATA,
                                            FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  const std::string line = journal_line(step);
  DWORD written = 0;
  return WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
         written == line.size() && FlushFileBuffers(file.get());
}
