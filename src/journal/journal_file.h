// "orvane-update.pending": the journal an update keeps in the installation while it replaces
// files (its text: journal_text.h), read and written whole or a step at a time.
#pragma once

#include <optional>
#include <string>

#include "journal/journal_text.h"

inline constexpr const wchar_t* kJournalName = L"orvane-update.pending";

bool JournalExists(const std::wstring& install_dir);
std::optional<JournalState> ReadJournal(const std::wstring& install_dir);
// Replaced whole and flushed, so a crash leaves the old journal or the new one.
bool WriteJournal(const std::wstring& install_dir, const JournalState& journal);
bool RemoveJournal(const std::wstring& install_dir);
// Adds one entry's line at the end and flushes it: a step is written down in time linear in
// the size of its line, not of the journal. A line cut short by a power loss reads as one
// nobody can undo, which makes the journal untrusted.
bool AppendJournalStep(const std::wstring& install_dir, const JournalStep& step);
