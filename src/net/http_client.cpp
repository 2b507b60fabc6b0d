#include "net/http_client.h"

#include <algorithm>
#include <cstdlib>
#include <thread>
#include <utility>
#include <vector>

#include "base/pause_point.h"
#include "base/sha256.h"
#include "base/wide.h"
#include "base/win_handle.h"
#include "net/file_sink.h"
#include "net/tls_policy.h"
#include "net/url.h"

namespace {

constexpr DWORD kFirstFailingStatus = 300;
// What one read asks for: under Wine a download costs what its calls cost, so they are few and
// large (a FileSink gathers the pieces for the disk).
constexpr DWORD kReadPiece = 256 * 1024;
constexpr DWORD kContentLengthChars = 32;
// A signature header is 88 characters, a key certificate a few hundred; anything far longer is
// not one of ours. ETags and dates fit as well.
constexpr DWORD kCustomHeaderChars = 1024;
// How often a back-off looks at the cancel flag.
constexpr std::chrono::milliseconds kBackOffTick{50};
constexpr DWORD kPartialContent = 206;
constexpr DWORD kRequestTimeout = 408;
constexpr DWORD kTooManyRequests = 429;
constexpr DWORD kFirstServerError = 500;

using Clock = std::chrono::steady_clock;

// What each operation tells the platform to ignore: nothing where certificates are verified.
DWORD get_security_flags() {
  return verify_certificates() ? 0 : kGetSecurityFlags;
}
DWORD download_security_flags() {
  return verify_certificates() ? 0 : kDownloadSecurityFlags;
}

// The platform's errors for a secure channel that could not be made: a certificate refused
// (Windows says which check failed; Wine 8 reports any of them as the channel's error) or a
// handshake that failed. Trying again does not change the answer.
bool secure_channel_error(DWORD error) {
  switch (error) {
    case ERROR_WINHTTP_SECURE_FAILURE:
    case ERROR_WINHTTP_SECURE_CHANNEL_ERROR:
    case ERROR_WINHTTP_SECURE_CERT_DATE_INVALID:
    case ERROR_WINHTTP_SECURE_CERT_CN_INVALID:
    case ERROR_WINHTTP_SECURE_INVALID_CA:
    case ERROR_WINHTTP_SECURE_CERT_REV_FAILED:
    case ERROR_WINHTTP_SECURE_INVALID_CERT:
    case ERROR_WINHTTP_SECURE_CERT_REVOKED:
    case ERROR_WINHTTP_SECURE_CERT_WRONG_USAGE: return true;
    default: return false;
  }
}

// A wait of at most `longest`, and never past the deadline (at least a millisecond, so that it
// is a wait and not "none").
int bounded_wait(std::chrono::milliseconds longest, std::optional<Clock::time_point> deadline) {
  std::chrono::milliseconds wait = longest;
  if (deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(*deadline - Clock::now());
    wait = std::max(std::chrono::milliseconds(1), std::min(wait, left));
  }
  return static_cast<int>(wait.count());
}

// A status that says "not now" rather than "no": the request may pass when tried again.
bool passing_status(DWORD status) {
  return status >= kFirstServerError || status == kRequestTimeout || status == kTooManyRequests;
}

std::string status_error(DWORD status) {
  return "HTTP " + std::to_string(status);
}

DWORD query_status(HINTERNET request) {
  DWORD status = 0;  // stays 0 when the platform cannot tell; that counts as success
  DWORD size = sizeof(status);
  WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                      WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX);
  return status;
}

// A header's text, empty when absent (or larger than any header we read needs). `name` is used
// with WINHTTP_QUERY_CUSTOM only.
std::wstring query_header(HINTERNET request, DWORD which, const wchar_t* name = nullptr) {
  wchar_t text[kCustomHeaderChars] = {};
  DWORD size = sizeof(text);
  if (!WinHttpQueryHeaders(request, which, name ? name : WINHTTP_HEADER_NAME_BY_INDEX, text, &size,
                           WINHTTP_NO_HEADER_INDEX)) {
    return {};
  }
  return std::wstring(text, size / sizeof(wchar_t));
}

std::string query_custom_header(HINTERNET request, const wchar_t* name) {
  return wide_to_utf8(query_header(request, WINHTTP_QUERY_CUSTOM, name));
}

// What a resumed request names in If-Range: the ETag, else the Last-Modified date; empty when
// the answer has neither (then the rest cannot be asked for safely and the file starts over).
std::wstring query_validator(HINTERNET request) {
  std::wstring validator = query_header(request, WINHTTP_QUERY_ETAG);
  // A weak ETag may name other bytes: it never guards a range.
  if (validator.rfind(L"W/", 0) == 0) validator.clear();
  if (validator.empty()) validator = query_header(request, WINHTTP_QUERY_LAST_MODIFIED);
  return validator;
}

// Whether a 206 answer holds the bytes from `from` to the end of a body of `total` bytes
// ("bytes FROM-LAST/TOTAL").
bool range_continues(HINTERNET request, uint64_t from, uint64_t total) {
  const std::wstring range = query_header(request, WINHTTP_QUERY_CONTENT_RANGE);
  const std::wstring expected_text = L"bytes " + std::to_wstring(from) + L"-" +
                                     std::to_wstring(total - 1) + L"/" + std::to_wstring(total);
  return range == expected_text;
}

// Content-Length read as text: the numeric query form is 32 bits wide and would misreport
// packages of 4 GiB and more. Absent: no length given (kUnknownLength); present but not a
// number: nothing (a broken answer, whose end could not be checked).
std::optional<uint64_t> query_content_length(HINTERNET request) {
  wchar_t text[kContentLengthChars] = {};
  DWORD size = sizeof(text);
  if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_CONTENT_LENGTH, WINHTTP_HEADER_NAME_BY_INDEX,
                           text, &size, WINHTTP_NO_HEADER_INDEX)) {
    return GetLastError() == ERROR_WINHTTP_HEADER_NOT_FOUND ? std::optional(kUnknownLength)
                                                            : std::nullopt;
  }
  if (text[0] < L'0' || text[0] > L'9') return std::nullopt;
  wchar_t* end = nullptr;
  const unsigned long long value = std::wcstoull(text, &end, 10);
  if (*end != L'\0' || value == kUnknownLength) return std::nullopt;
  return value;
}

// How fast a body must come: every kStallBytes within the window after the last kStallBytes (a
// body dripping a byte at a time keeps each read alive, not the transfer), and all of it before
// the deadline when there is one.
class BodyPace {
 public:
  BodyPace(std::chrono::milliseconds window, std::optional<Clock::time_point> deadline,
           std::optional<std::chrono::milliseconds> longest_read = std::nullopt)
      : window_(window), deadline_(deadline), longest_read_(longest_read) {}

  // How long the next read may wait: until the window closes on the bytes so far, or the
  // deadline (at least a millisecond).
  std::chrono::milliseconds next_wait() const {
    const Clock::time_point now = Clock::now();
    Clock::time_point until = mark_ + window_;
    if (deadline_ && *deadline_ < until) until = *deadline_;
    std::chrono::milliseconds wait =
        std::chrono::duration_cast<std::chrono::milliseconds>(until - now);
    if (longest_read_) wait = std::min(wait, *longest_read_);
    return std::max(std::chrono::milliseconds(1), wait);
  }

  // After `bytes` more arrived: nothing while the body keeps its pace, else how it failed.
  std::optional<BodyEnd> after(size_t bytes) {
    const Clock::time_point now = Clock::now();
    if (deadline_ && now > *deadline_) return BodyEnd::Late;
    moved_ += bytes;
    if (moved_ >= kStallBytes) {
      mark_ = now;
      moved_ = 0;
    } else if (now - mark_ > window_) {
      return BodyEnd::Stalled;
    }
    return std::nullopt;
  }

 private:
  std::chrono::milliseconds window_;
  std::optional<Clock::time_point> deadline_;
  std::optional<std::chrono::milliseconds> longest_read_;
  Clock::time_point mark_ = Clock::now();
  uint64_t moved_ = 0;
};

// Calls `sink(data, size)` for every non-empty piece of the body, until the platform reports
// nothing more (Complete), a call fails (Broken), the body falls behind `pace` (Stalled, Late)
// or the sink returns false (Stopped). Each read
// takes what the platform holds (up to kReadPiece), never waiting for more: Wine's
// WinHttpReadData waits until the whole buffer is filled, which would keep a cancel waiting
// for a slow body.
//
// A failed call ends the body at once: WinHTTP on Windows fails WinHttpQueryDataAvailable /
// WinHttpReadData (ERROR_WINHTTP_CONNECTION_ERROR) when the connection breaks mid-body, also in
// the middle of a chunked answer, which has no length to check against, and
// ERROR_WINHTTP_TIMEOUT when nothing came for the receive timeout. Wine 8's WinHTTP does not
// fail a chunked body cut mid-chunk, or reset: it simply ends there, and so does one whose
// Content-Length is not reached (caught by the length check of download).
template <typename Sink>
BodyEnd read_body(HINTERNET request, BodyPace& pace, std::vector<char>& buffer, Sink&& sink) {
  buffer.resize(kReadPiece);
  for (;;) {
    // A read that would wait past the window (or the deadline) times out there instead, so a
    // body that stops is seen when its time is up, not a read timeout later.
    DWORD wait = static_cast<DWORD>(pace.next_wait().count());
    WinHttpSetOption(request, WINHTTP_OPTION_RECEIVE_TIMEOUT, &wait, sizeof(wait));
    DWORD available = 0;
    if (!WinHttpQueryDataAvailable(request, &available)) return BodyEnd::Broken;
    if (available == 0) return BodyEnd::Complete;
    DWORD read = 0;
    const DWORD asked = available < kReadPiece ? available : kReadPiece;
    if (!WinHttpReadData(request, buffer.data(), asked, &read)) return BodyEnd::Broken;
    if (read == 0) return BodyEnd::Complete;
    if (const std::optional<BodyEnd> behind = pace.after(read)) return *behind;
    if (!sink(buffer.data(), read)) return BodyEnd::Stopped;
  }
}

}  // namespace

struct HttpClient::OpenRequest {
  ScopedInternetHandle connection;
  ScopedInternetHandle request;
};

HttpClient::HttpClient()
    : stall_window_(test_milliseconds(L"ORVANE_TEST_STALL_WINDOW_MS", kStallWindow)) {
  // The proxy the user set for the system and the browser (PAC scripts included) where the
  // system can do that (Windows 8.1 and later); elsewhere WinHTTP's own default setting.
  session_.reset(WinHttpOpen(kUserAgent, WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY, WINHTTP_NO_PROXY_NAME,
                             WINHTTP_NO_PROXY_BYPASS, 0));
  access_type_ = WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY;
  if (!session_) {
    session_.reset(WinHttpOpen(kUserAgent, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                               WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    access_type_ = WINHTTP_ACCESS_TYPE_DEFAULT_PROXY;
  }
}

bool HttpClient::back_off(std::chrono::milliseconds delay) const {
  for (std::chrono::milliseconds waited{0}; waited < delay; waited += kBackOffTick) {
    if (cancelled()) return false;
    std::this_thread::sleep_for(kBackOffTick);
  }
  return !cancelled();
}

void HttpClient::configure(HINTERNET request, DWORD security_flags,
                           std::optional<std::chrono::steady_clock::time_point> deadline,
                           std::optional<std::chrono::milliseconds> read_wait) {
  // Without them a name that never resolves, or a peer that sends nothing, holds the request
  // for ever; the receive timeout is also how long one read of the body may wait.
  WinHttpSetTimeouts(
      request, bounded_wait(kResolveTimeout, deadline), bounded_wait(kConnectTimeout, deadline),
      bounded_wait(kSendTimeout, deadline),
      bounded_wait(std::min(stall_window_, read_wait.value_or(stall_window_)), deadline));
  DWORD flags = security_flags;
  WinHttpSetOption(request, WINHTTP_OPTION_SECURITY_FLAGS, &flags, sizeof(flags));
  // Remember what the platform holds now, not what was asked for.
  DWORD held = 0;
  DWORD held_size = sizeof(held);
  last_security_flags_ =
      WinHttpQueryOption(request, WINHTTP_OPTION_SECURITY_FLAGS, &held, &held_size)
          ? held
          : security_flags;
}

std::optional<HttpClient::OpenRequest> HttpClient::start_request(
    std::string_view url, DWORD security_flags, const std::wstring& headers, DWORD* status,
    std::optional<std::chrono::steady_clock::time_point> deadline,
    std::optional<std::chrono::milliseconds> read_wait) {
  if (status != nullptr) *status = 0;
  const std::optional<UrlParts> parts = parse_url(url);
  if (!parts) {
    last_error_ = "invalid URL";
    return std::nullopt;
  }
  OpenRequest open;
  if (session_) {
    open.connection.reset(WinHttpConnect(session_.get(), parts->host.c_str(),
                                         static_cast<INTERNET_PORT>(parts->port), 0));
  }
  if (!open.connection) {
    last_error_ = "connect failed";
    return std::nullopt;
  }
  open.request.reset(WinHttpOpenRequest(open.connection.get(), L"GET", parts->path.c_str(), nullptr,
                                        WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                        parts->secure ? WINHTTP_FLAG_SECURE : 0));
  if (!open.request) {
    last_error_ = "open request failed";
    return std::nullopt;
  }
  configure(open.request.get(), security_flags, deadline, read_wait);
  if (!WinHttpSendRequest(open.request.get(),
                          headers.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : headers.c_str(),
                          headers.empty() ? 0 : static_cast<DWORD>(-1L), WINHTTP_NO_REQUEST_DATA,
                          0, 0, 0)) {
    last_error_ =
        secure_channel_error(GetLastError()) ? kSecureConnectionError : "send request failed";
    return std::nullopt;
  }
  if (!WinHttpReceiveResponse(open.request.get(), nullptr)) {
    last_error_ =
        secure_channel_error(GetLastError()) ? kSecureConnectionError : "receive response failed";
    return std::nullopt;
  }
  const DWORD answered = query_status(open.request.get());
  if (status != nullptr) *status = answered;
  if (answered >= kFirstFailingStatus) {
    last_error_ = status_error(answered);
    return std::nullopt;
  }
  return open;
}

std::optional<HttpClient::OpenRequest> HttpClient::start_download(std::string_view url) {
  for (int attempt = 0;; ++attempt) {
    DWORD status = 0;
    std::optional<OpenRequest> open = start_request(url, download_security_flags(), {}, &status);
    if (open) return open;
    // No status: the request never got an answer (connect, send, receive), which may pass too;
    // a URL that cannot be parsed, a request that cannot be made or a certificate refused never
    // does.
    const bool transport = status == 0 && last_error_ != "invalid URL" &&
                           last_error_ != "open request failed" &&
                           last_error_ != kSecureConnectionError;
    if (!(transport || passing_status(status)) || attempt == kMaxRetries) return std::nullopt;
    if (!back_off(kFirstBackOff * (1 << attempt))) return std::nullopt;
  }
}

std::optional<std::string> HttpClient::get(std::string_view url,
                                           const std::vector<const wchar_t*>& header_names,
                                           std::vector<std::string>* header_values) {
  const Clock::time_point deadline =
      Clock::now() + test_milliseconds(L"ORVANE_TEST_ANSWER_DEADLINE_MS", kAnswerDeadline);
  std::optional<OpenRequest> open =
      start_request(url, get_security_flags(), {}, nullptr, deadline, kAnswerReadTimeout);
  if (!open) {
    // A wait cut short by the deadline is the deadline's failure, whichever step it was.
    if (Clock::now() >= deadline && last_error_ != kSecureConnectionError) {
      last_error_ = kAnswerTimeoutError;
    }
    return std::nullopt;
  }
  if (header_values != nullptr) {
    header_values->clear();
    for (const wchar_t* name : header_names) {
      header_values->push_back(query_custom_header(open->request.get(), name));
    }
  }
  std::string body;
  BodyPace pace(stall_window_, deadline, kAnswerReadTimeout);
  const BodyEnd end =
      read_body(open->request.get(), pace, read_buffer_, [&body](const char* data, DWORD size) {
        if (body.size() + size > kMaxGetBodyBytes) return false;
        body.append(data, size);
        return true;
      });
  if (end == BodyEnd::Stopped) {
    last_error_ = "response too large";
    return std::nullopt;
  }
  if (end == BodyEnd::Stalled || end == BodyEnd::Late ||
      (end == BodyEnd::Broken && Clock::now() >= deadline)) {
    last_error_ = kAnswerTimeoutError;
    return std::nullopt;
  }
  // A body cut short of its Content-Length ends without any error of the platform's own; a
  // release answer missing its tail must not pass for the whole answer.
  const std::optional<uint64_t> length = query_content_length(open->request.get());
  const bool short_of_length = length && *length != kUnknownLength && body.size() != *length;
  if (end == BodyEnd::Broken || short_of_length) {
    last_error_ = "incomplete response";
    return std::nullopt;
  }
  return body;
}

// One download under way: what it has, what its answer announced, and how to check the next.
struct HttpClient::Transfer {
  FileSink* writer = nullptr;  // made once the first answer is judged
  DownloadProgress report;
  uint64_t max_bytes = 0;
  uint64_t total = 0;
  uint64_t expected = kUnknownLength;
  std::wstring validator;  // names the first answer in a resumed request's If-Range

  // An answer that announces more than the release said is refused before a byte is written.
  bool announces_too_much(uint64_t length) const {
    return max_bytes > 0 && length != kUnknownLength && length > max_bytes;
  }
};

// The answer's length and validator taken as the transfer's (a first answer, or a whole body
// again); false with last_error set when the length is none or more than announced.
bool HttpClient::take_answer(HINTERNET request, Transfer& transfer) {
  const std::optional<uint64_t> length = query_content_length(request);
  if (!length) {
    last_error_ = "invalid content length";
    return false;
  }
  if (transfer.announces_too_much(*length)) {
    last_error_ = kTooLargeError;
    return false;
  }
  transfer.expected = *length;
  transfer.validator = query_validator(request);
  return true;
}

// The body of one answer into the file. Complete or Broken; Stopped with last_error set when the
// download ends here (a cancel, a write that failed, more bytes than announced).
BodyEnd HttpClient::read_into(OpenRequest& open, Transfer& transfer) {
  bool write_failed = false;
  bool stopped = false;
  bool too_large = false;
  BodyPace pace(stall_window_, std::nullopt);
  const BodyEnd end =
      read_body(open.request.get(), pace, read_buffer_, [&](const char* data, DWORD size) {
        if (cancelled()) return !(stopped = true);
        if (transfer.max_bytes > 0 && transfer.total + size > transfer.max_bytes)
          return !(too_large = true);
        if (!transfer.writer->write(data, size)) return !(write_failed = true);
        transfer.total += size;
        if (transfer.report) transfer.report(transfer.total, transfer.expected);
        return true;
      });
  if (!write_failed) write_failed = !transfer.writer->flush();
  if (stopped || write_failed || too_large) {
    last_error_ = stopped        ? "cancelled"
                  : write_failed ? "cannot write output file"
                                 : kTooLargeError;
    return BodyEnd::Stopped;
  }
  return end;
}

// Asks for the rest of a broken body after the back-off of resume `attempt`: the open request
// (nothing when it did not pass, or its range does not continue the file), or false with
// last_error set when the download ends here.
bool HttpClient::resume(std::string_view url, Transfer& transfer, int attempt,
                        std::optional<OpenRequest>& open) {
  open.reset();
  if (!back_off(kFirstBackOff * (1 << attempt))) {
    last_error_ = "cancelled";
    return false;
  }
  // Without a validator the rest cannot be asked for safely: the plain request starts over.
  const std::wstring headers = transfer.validator.empty()
                                   ? std::wstring()
                                   : L"Range: bytes=" + std::to_wstring(transfer.total) +
                                         L"-\r\nIf-Range: " + transfer.validator;
  DWORD status = 0;
  open = start_request(url, download_security_flags(), headers, &status);
  if (!open) return true;
  if (status == kPartialContent) {
    if (!range_continues(open->request.get(), transfer.total, transfer.expected)) open.reset();
    return true;
  }
  // The whole body again (a changed file, or a server that ignores ranges).
  if (!take_answer(open->request.get(), transfer)) return false;
  if (!transfer.writer->restart()) {
    last_error_ = "cannot write output file";
    return false;
  }
  transfer.total = 0;
  if (transfer.report) transfer.report(transfer.total, transfer.expected);
  return true;
}

bool HttpClient::download(std::string_view url, const std::wstring& path, DownloadProgress progress,
                          std::string* sha256, uint64_t max_bytes) {
  std::optional<OpenRequest> open = start_download(url);
  if (!open) return false;
  // The first answer is judged before the file is made.
  Transfer transfer{nullptr, std::move(progress), max_bytes, 0, kUnknownLength, {}};
  if (!take_answer(open->request.get(), transfer)) return false;
  // Delete sharing lets a clean-up remove the temporary folder while a stalled read holds this.
  const ScopedKernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE,
                                            FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    last_error_ = "cannot create output file";
    return false;
  }
  // Hashes the bytes as it writes them, so that the file is never read again to check it.
  FileSink writer(file.get());
  transfer.writer = &writer;
  for (int resumes = 0;;) {
    // A resume whose request failed brings nothing.
    const BodyEnd end = open ? read_into(*open, transfer) : BodyEnd::Broken;
    if (end == BodyEnd::Stopped) return false;
    if (end == BodyEnd::Complete &&
        (transfer.expected == kUnknownLength || transfer.total >= transfer.expected)) {
      break;
    }
    // Broken off (Wine ends a body cut short of its Content-Length without an error of its
    // own). Without a length the end could not be told from a break: nothing to resume.
    if (transfer.expected == kUnknownLength || resumes == kMaxResumes) {
      last_error_ = "incomplete download";
      return false;
    }
    if (!resume(url, transfer, resumes++, open)) return false;
  }
  return finish_download(transfer, sha256);
}

// A body that came whole: its length as announced, and its digest.
bool HttpClient::finish_download(Transfer& transfer, std::string* sha256) {
  const std::optional<Sha256Digest> digest = transfer.writer->digest();
  if (transfer.total == 0) {
    last_error_ = "no data received";
    return false;
  }
  if (transfer.expected != kUnknownLength && transfer.total != transfer.expected) {
    last_error_ = "incomplete download";
    return false;
  }
  if (sha256 != nullptr) {
    if (!digest) {
      last_error_ = "cannot compute digest";
      return false;
    }
    *sha256 = digest_hex(*digest);
  }
  return true;
}
