// The last step of an uninstall run by the installation's own updater, which cannot delete its
// own file while it runs.
#pragma once

#include <string>

// Renames `updater` (the running image) to a name of this process's beside it and starts the
// system's command processor to delete that file once this process has ended (it tries for a
// few seconds) and then the installation folder if that is empty: an install into the folder in
// those seconds keeps its own updater. The paths travel in environment variables, never through
// the command line's parsing. False when it cannot be started (the updater keeps its name).
bool HandOverFinalRemoval(const std::wstring& updater, const std::wstring& install_dir);
