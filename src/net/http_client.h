// Synchronous HTTP(S) GET over WinHTTP, into memory or into a file.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/winhttp_handle.h"

// (bytes received so far, bytes expected); expected is all bits set when the answer has no
// Content-Length.
using DownloadProgress = std::function<void(uint64_t, uint64_t)>;

inline constexpr uint64_t kUnknownLength = ~uint64_t{0};
inline constexpr const wchar_t* kUserAgent = L"Orvane-Setup/1.0";
// The release answer is a few KiB; one far larger is refused unread ("response too large")
// rather than held in memory whole.
inline constexpr size_t kMaxGetBodyBytes = 16 * 1024 * 1024;
// A download moves on from where a broken connection left it at most this many times, and a
// request that failed before any body (connect, send, receive, 5xx, 408, 429) is tried this many
// more times; each waits a little longer first.
inline constexpr int kMaxResumes = 3;
inline constexpr int kMaxRetries = 2;
inline constexpr std::chrono::milliseconds kFirstBackOff{250};
// A name that does not resolve or a peer that does not answer ends a request after these. A body
// that brings less than kStallBytes in kStallWindow (a drip keeps each read alive, not the
// transfer) is broken: a download is resumed, a release answer fails. The window is also how
// long the answer's headers may take.
inline constexpr std::chrono::milliseconds kResolveTimeout{15000};
inline constexpr std::chrono::milliseconds kConnectTimeout{15000};
inline constexpr std::chrono::milliseconds kSendTimeout{30000};
inline constexpr std::chrono::milliseconds kStallWindow{60000};
inline constexpr uint64_t kStallBytes = 1024;
// A release answer gives up after this, from the first connect to its last byte; no read of it
// waits longer than kAnswerReadTimeout (a few KiB come at once), so that where the platform
// does not shorten a read under way (Wine) the deadline is passed by no more than that.
inline constexpr std::chrono::milliseconds kAnswerDeadline{120000};
inline constexpr std::chrono::milliseconds kAnswerReadTimeout{30000};
#ifndef WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY
#define WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY 4
#endif

// Certificate errors each operation tells the platform to ignore where certificates are not
// verified (tls_policy.h): a test build's loopback service, or a shipping build that takes an
// unverifiable service and relies on signed answers. Downloads keep the key-usage check.
inline constexpr DWORD kGetSecurityFlags =
    SECURITY_FLAG_IGNORE_UNKNOWN_CA | SECURITY_FLAG_IGNORE_CERT_WRONG_USAGE |
    SECURITY_FLAG_IGNORE_CERT_CN_INVALID | SECURITY_FLAG_IGNORE_CERT_DATE_INVALID;
inline constexpr DWORD kDownloadSecurityFlags = SECURITY_FLAG_IGNORE_UNKNOWN_CA |
                                                SECURITY_FLAG_IGNORE_CERT_CN_INVALID |
                                                SECURITY_FLAG_IGNORE_CERT_DATE_INVALID;
static_assert(kGetSecurityFlags == 0x3300 && kDownloadSecurityFlags == 0x3100);

// Texts of failures callers tell apart.
inline constexpr const char* kSecureConnectionError = "secure connection failed";
inline constexpr const char* kTooLargeError = "larger than announced";
inline constexpr const char* kAnswerTimeoutError = "timed out";

// How the body of one answer ended: all of it came, it broke off, it fell behind its pace (too
// slow, or past a deadline), or the taker stopped it.
enum class BodyEnd { Complete, Broken, Stalled, Late, Stopped };

// One client per thread. Every failing call leaves a short English text in last_error(); a
// successful call leaves it as it was, so it always names the most recent failure.
class HttpClient {
 public:
  HttpClient();
  HttpClient(const HttpClient&) = delete;
  HttpClient& operator=(const HttpClient&) = delete;

  // The whole body (possibly empty) of a status below 300; nothing for a body over
  // kMaxGetBodyBytes or one the platform reports broken. With header names, each header's
  // value (UTF-8; empty when the answer has none) goes to *header_values, in their order.
  std::optional<std::string> get(std::string_view url,
                                 const std::vector<const wchar_t*>& header_names = {},
                                 std::vector<std::string>* header_values = nullptr);

  // Streams the body into `path` (created or truncated). No file is created for a status of 300
  // or more; an empty, short or overlong body leaves what arrived on disk and returns false.
  // With `max_bytes` above 0, a Content-Length above it fails before the file is made, and a
  // body that would pass it fails before those bytes are written (kTooLargeError).
  // A body that breaks off (an error, a stall, fewer bytes than its Content-Length) is asked
  // for again from where it stopped, with If-Range naming the first answer's ETag or
  // Last-Modified; an answer of 200 instead of 206 starts the file over. Failures before any
  // body that may pass (see kMaxRetries) are tried again. With `sha256`, the digest of the
  // file's bytes, computed as they are written, goes there on success.
  bool download(std::string_view url, const std::wstring& path, DownloadProgress progress,
                std::string* sha256 = nullptr, uint64_t max_bytes = 0);

  const std::string& last_error() const { return last_error_; }

  // Flags that, once either is set, stop a download between two reads ("cancelled"); their
  // owners keep them alive as long as the client.
  void set_cancel_flag(const std::atomic<bool>* cancel, const std::atomic<bool>* also = nullptr) {
    cancel_ = cancel;
    also_cancel_ = also;
  }

  // The window in which a body must bring kStallBytes; kStallWindow unless a test needs to see a
  // stall sooner.
  void set_stall_window(std::chrono::milliseconds window) { stall_window_ = window; }

  // How the session finds a proxy: WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY where the system offers
  // it, else WINHTTP_ACCESS_TYPE_DEFAULT_PROXY.
  DWORD access_type() const { return access_type_; }

  // The flag word of the last request this client opened (what the platform was told to ignore).
  DWORD last_security_flags() const { return last_security_flags_; }

 private:
  struct OpenRequest;
  struct Transfer;
  // The request after its headers came with a status below 300, else nothing with last_error
  // set; `status` gets the status seen (0 when none came).
  // `deadline`, when given, bounds each of its waits, and `read_wait` how long one read may wait.
  std::optional<OpenRequest> start_request(
      std::string_view url, DWORD security_flags, const std::wstring& headers = {},
      DWORD* status = nullptr,
      std::optional<std::chrono::steady_clock::time_point> deadline = std::nullopt,
      std::optional<std::chrono::milliseconds> read_wait = std::nullopt);
  // A request's timeouts (within the deadline) and certificate-error flags.
  void configure(HINTERNET request, DWORD security_flags,
                 std::optional<std::chrono::steady_clock::time_point> deadline,
                 std::optional<std::chrono::milliseconds> read_wait);
  // The first answer of a download, with the retries a passing failure earns.
  std::optional<OpenRequest> start_download(std::string_view url);
  // The steps of download (http_client.cpp says what each does).
  bool take_answer(HINTERNET request, Transfer& transfer);
  BodyEnd read_into(OpenRequest& open, Transfer& transfer);
  bool resume(std::string_view url, Transfer& transfer, int attempt,
              std::optional<OpenRequest>& open);
  bool finish_download(Transfer& transfer, std::string* sha256);
  // Waits `delay` unless the cancel flag is set first; false when it was.
  bool back_off(std::chrono::milliseconds delay) const;
  bool cancelled() const {
    return (cancel_ != nullptr && cancel_->load()) || (also_cancel_ != nullptr && also_cancel_->load());
  }

  ScopedInternetHandle session_;
  std::string last_error_;
  DWORD last_security_flags_ = 0;
  const std::atomic<bool>* cancel_ = nullptr;
  const std::atomic<bool>* also_cancel_ = nullptr;
  DWORD access_type_ = 0;
  std::chrono::milliseconds stall_window_;
  // What a read takes the body into; the client's own, made at its first read (not a
  // thread_local: winpthreads deadlocks when a thread ends with one while the process exits).
  std::vector<char> read_buffer_;
};
