// The body of a download on its way to disk. Pieces are gathered into batches of kSinkBatch
// bytes; a thread of its own writes each batch and feeds it to the SHA-256, so that receiving
// the next bytes never waits for the disk or the digest. At most kSinkBatches batches wait.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "base/sha256.h"

inline constexpr size_t kSinkBatch = 512 * 1024;
inline constexpr size_t kSinkBatches = 2;

class FileSink {
 public:
  // `file` is open for writing at its start; the caller keeps it open longer than this.
  explicit FileSink(HANDLE file);
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;
  // Writes what is queued, then ends the thread.
  ~FileSink();

  // False once any write failed.
  bool write(const char* data, size_t size);
  // Waits until every byte so far is in the file; false when any write failed.
  bool flush();
  // Empties the file and starts the digest over, for a body that starts again.
  bool restart();
  // The digest of every byte since the start (or the last restart); call after flush().
  std::optional<Sha256Digest> digest();

 private:
  void run();
  bool write_batch(const std::vector<char>& batch);  // on the thread (or inline without one)
  void hand_over();                                  // the filling batch joins the queue

  HANDLE file_;
  std::vector<char> filling_;
  std::optional<Sha256> hash_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::vector<char>> queued_;
  std::vector<std::vector<char>> spare_;
  bool writing_ = false;
  bool stopping_ = false;
  bool failed_ = false;
  std::thread thread_;
};
