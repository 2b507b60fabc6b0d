// What a silent install or update returns to the script that started it. The numbers are
// published (README) and never change meaning.
#pragma once

enum class ExitCode : int {
  Done = 0,                // installed, updated, or already current
  Failed = 1,              // any failure not named below
  ServiceUnavailable = 2,  // the release service could not be reached, or its answer was refused
  PackageFailed = 3,       // a package could not be downloaded or failed its check
  FolderNotWritable = 4,   // the installation could not be written: full, denied, a file in use
  Busy = 5,                // another install, an update or an uninstall of that folder is running
  NotFullPath = 6,         // the directory given is not a full path (or too long)
  Cancelled = 7,           // the process was asked to close
  BrowserRunning = 8,      // a silent update found the browser running and changed nothing
  NoInstallation = 9,      // an update of a folder that holds no installation; nothing changed
};
