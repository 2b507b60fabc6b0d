// Whether the drives a run writes to have room for it, asked before its first download so that
// a full disk is told at once and not after a long download.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Bytes a run will have written into a folder's drive at its fullest.
struct RoomNeed {
  std::wstring dir;
  uint64_t bytes = 0;
};

// The failure text ("磁盘空间不足: 需要 X MB，可用 Y MB") for the first drive among `needs` that
// lacks room, needs on one drive added up; nothing when each has room or its free space cannot
// be read.
std::optional<std::wstring> MissingRoom(const std::vector<RoomNeed>& needs);

// Whether two folders lie on one volume (a move between them is a rename, not a copy).
bool SameVolume(const std::wstring& a, const std::wstring& b);

// The sum of the two largest sizes: what a folder holds at once when one download lies there
// while the next one arrives.
uint64_t TwoLargest(const std::vector<uint64_t>& sizes);
