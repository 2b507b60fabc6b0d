// The last step of an uninstall run by the installation's own updater, which cannot delete its
// own file while it runs.
#pragma once

#include <string>

// Starts the system's command processor to delete `updater` once this process has ended (it
// tries for a few seconds) and then the installation folder if that is empty. The
// paths travel in environment variables, never through the command line's parsing. False when
// it cannot be started.
bool HandOverFinalRemoval(const std::wstring& updater, const std::wstring& install_dir);
