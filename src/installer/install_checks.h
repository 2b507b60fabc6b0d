// What an install checks before its first download, so that a full disk or a folder it may not
// write into is told at once and not after a long download.
#pragma once

#include <optional>
#include <string>

#include "net/release.h"

// Room for the release (the sum of its file sizes) on the installation's volume, and for the
// two largest downloads in the temporary folder, which can lie there together (both on one
// volume when they share it). The
// failure text ("磁盘空间不足: 需要 X MB，可用 Y MB", for the volume that lacks room), or nothing
// when there is room or the free space cannot be read.
std::optional<std::wstring> CheckRoomFor(const ReleaseInfo& release, const std::wstring& install_dir,
                                         const std::wstring& temp_dir);

// Whether a file can be made in the folder (one is made, and goes again when it is closed).
bool CanWriteInto(const std::wstring& dir);
