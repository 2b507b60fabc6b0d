// "orvane-update.pending": the journal an update keeps in the installation while it replaces
// files (its format: state/update_marker_text.h), and what a later run does with it.
#pragma once

#include <optional>
#include <string>

#include "state/update_marker_text.h"
#include "state/version_manifest.h"

inline constexpr const wchar_t* kUpdateMarkerName = L"orvane-update.pending";
inline constexpr const wchar_t* kBackupSuffix = L".bak";

bool UpdateMarkerExists(const std::wstring& install_dir);
std::optional<UpdateMarker> ReadUpdateMarker(const std::wstring& install_dir);
// Replaced whole and flushed, so a crash leaves the old journal or the new one.
bool WriteUpdateMarker(const std::wstring& install_dir, const UpdateMarker& marker);
bool RemoveUpdateMarker(const std::wstring& install_dir);

// Puts back, newest first, what the entries of `marker` changed: a ".bak" over its file, an
// added file removed. True when every entry was undone.
bool UndoEntries(const std::wstring& install_dir, const UpdateMarker& marker);

enum class RepairOutcome {
  NoMarker,   // nothing was interrupted
  Restored,   // the installation is again exactly what it was before; the marker is gone
  Untrusted,  // files and records may disagree: the marker stays, with no entries, until an
              // update that fetched everything has finished
};

// What every updater run does first, before any network: undoes an interrupted update, then
// removes backups a finished update left behind.
RepairOutcome RepairInterruptedUpdate(const std::wstring& install_dir);

// After a complete release was installed over the installation: deletes the ".bak" of every
// path the marker names, then the marker, so that no later run restores an old backup over the
// fresh files. True when no marker is left.
bool RetireInterruptedUpdate(const std::wstring& install_dir);

// Deletes "P.bak" beside every recorded file P (and beside the records themselves) unless that
// name is itself a recorded file: what an update killed after its journal was closed, or whose
// running updater could not delete its own backup, left behind.
void RemoveLeftoverBackups(const std::wstring& install_dir, const VersionManifest& recorded);
