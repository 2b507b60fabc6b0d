// The replacement phase of an update: the staged files and the records into the installation
// through the journal, every step undone on a failure or a cancel.
#pragma once

#include <string>
#include <vector>

#include "net/release.h"
#include "ui/run_context.h"
#include "updater/staged_package.h"

// Everything the replacement does, decided before it begins.
struct ReplacementPlan {
  std::vector<UpdateItem> files;     // in the order of their packages
  size_t packages = 0;               // how many changed packages they came from
  std::vector<std::string> removed;  // recorded zip members the release no longer delivers
  std::vector<UpdateItem> records;   // then the records: zip members (when kept), the manifest
};

// Replaces the installed files with the staged ones, removes what the release dropped, then
// replaces the records, through the journal. Runs after the browser has closed, so the config
// it reads is the one the browser left; `records_folder` is where its product_version is staged.
// False when the run ended early (the reason shown, everything undone as far as it could be).
bool ReplaceFiles(const RunContext& run, const ReplacementPlan& plan,
                  const std::wstring& records_folder, const ReleaseInfo& release, bool untrusted);

// Any spelling of the config's name is the config: one file, one identity.
bool is_config(const std::string& file_path);
