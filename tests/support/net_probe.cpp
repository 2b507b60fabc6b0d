// Test driver: runs the transport, digest, extraction and package operations named in a JSON
// script and writes what each returned as JSON, so that scripts can check real outcomes against
// a real server and real tools.
//
//   orvane-probe.exe <script.json> <results.json>
//
// The script is an array of operations; all of them share one HttpClient unless an operation
// asks for a new one. Strings and paths are UTF-8.
#include <windows.h>
#include <psapi.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "base/wide.h"
#include "base/win_handle.h"
#include "system/browser_processes.h"
#include "system/installation_lock.h"
#include "journal/journal_repair.h"
#include "installer/install_pipeline.h"
#include "installer/install_thread.h"
#include "json/json_dump.h"
#include "json/json_parse.h"
#include "json/json_value.h"
#include "net/http_client.h"
#include "net/release_fetch.h"
#include "package/extract_archive.h"
#include "package/fetch_package.h"
#include "package/path_conflicts.h"
#include "package/sha256_file.h"
#include "ui/progress_window.h"
#include "ui/window_model.h"
#include "updater/update_pipeline.h"
#include "updater/update_query.h"

namespace {

using Members = std::map<std::string, JsonValue>;

std::wstring wide_path(const JsonValue& op, const char* key) {
  const std::string text = op.get_string(key).value_or("");
  return to_wide(decode_utf8(text).value_or(widen_bytes(text)));
}

JsonValue number(uint64_t value) {
  return JsonValue(static_cast<double>(value));
}

ReleaseFile release_file(const JsonValue& entry) {
  ReleaseFile file;
  file.file_path = entry.get_string("file_path").value_or("");
  file.checksum_sha256 = entry.get_string("checksum_sha256").value_or("");
  file.zip_checksum = entry.get_string("zip_checksum").value_or("");
  file.download_url = entry.get_string("download_url").value_or("");
  file.compressed = entry.get_bool("compressed").value_or(true);
  return file;
}

JsonValue release_json(const ReleaseInfo& release) {
  std::vector<JsonValue> files;
  for (const ReleaseFile& f : release.files) {
    files.emplace_back(Members{{"file_path", JsonValue(f.file_path)},
                               {"file_size", JsonValue(static_cast<double>(f.file_size))},
                               {"checksum_sha256", JsonValue(f.checksum_sha256)},
                               {"zip_checksum", JsonValue(f.zip_checksum)},
                               {"download_url", JsonValue(f.download_url)},
                               {"compressed", JsonValue(f.compressed)},
                               {"sort_order", JsonValue(static_cast<double>(f.sort_order))}});
  }
  Members members{{"version", JsonValue(release.version)},
                  {"changelog", JsonValue(release.changelog)},
                  {"channel", JsonValue(release.channel)},
                  {"min_os_version", JsonValue(release.min_os_version)},
                  {"files", JsonValue(std::move(files))}};
  if (!release.expires.empty()) members["expires"] = JsonValue(release.expires);
  return JsonValue(std::move(members));
}

const char* message_name(UINT message) {
  switch (message) {
    case kMsgStateChanged: return "state";
    case kMsgProgress: return "progress";
    case kMsgStatus: return "status";
    case kMsgError: return "error";
    case kMsgReleaseSummary: return "summary";
  }
  return "?";
}

// The temporary folder the operation's "temp" names (as a user's TMP would), for the rest of
// the operation: Wine takes TMP and TEMP from the prefix's registry, not from the environment a
// test starts the probe with.
class TempFolder {
 public:
  explicit TempFolder(const JsonValue& op) {
    const std::string temp = op.get_string("temp").value_or("");
    if (temp.empty()) return;
    for (const wchar_t* name : {L"TMP", L"TEMP"}) {
      wchar_t old[MAX_PATH] = {};
      const DWORD size = GetEnvironmentVariableW(name, old, MAX_PATH);
      kept_.emplace_back(
          name, size > 0 && size < MAX_PATH ? std::optional<std::wstring>(old) : std::nullopt);
      SetEnvironmentVariableW(name, to_wide(decode_utf8(temp).value_or(widen_bytes(temp))).c_str());
    }
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    for (const auto& [name, value] : kept_)
      SetEnvironmentVariableW(name, value ? value->c_str() : nullptr);
  }

 private:
  std::vector<std::pair<const wchar_t*, std::optional<std::wstring>>> kept_;
};

// A pipeline (install or update) on a window model that is never shown: every setter call, in
// order. cancel_at_status=N sets the cancel flag when the N-th status line (1-based, byte lines
// not counted) is posted. With "thread", the install runs as the install worker runs it, the
// release query included (and its failure shown).
JsonValue run_pipeline(const JsonValue& op, bool update) {
  const TempFolder temp(op);
  const std::string base_url = op.get_string("base_url").value_or(std::string(kReleaseBaseUrl));
  const bool thread = op.get_bool("thread").value_or(false);
  std::string why;
  std::optional<ReleaseInfo> release;
  if (!thread) {
    release = update ? FetchUpdateRelease(wide_path(op, "install_dir"), base_url, &why)
                     : fetch_latest_release(base_url, kSoftwareId, kReleaseChannel, &why);
  }
  if (!release && !thread)
    return JsonValue(Members{{"fetched", JsonValue(false)}, {"why", JsonValue(why)}});
  WindowModel model;
  std::atomic<bool> cancel{false};
  const auto cancel_at = static_cast<int>(op.get_number("cancel_at_status").value_or(0));
  int statuses = 0;
  std::vector<JsonValue> calls;
  // With "timed", each call carries the milliseconds since the pipeline began: the benchmark's
  // phases.
  const bool timed = op.get_bool("timed").value_or(false);
  const auto began = std::chrono::steady_clock::now();
  model.set_observer([&](const WindowNotification& n) {
    Members call{{"call", JsonValue(message_name(n.message))}};
    if (timed) {
      call["ms"] = JsonValue(static_cast<double>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                     std::chrono::steady_clock::now() - began)
                                                     .count()));
    }
    if (n.message == kMsgProgress) call["value"] = JsonValue(static_cast<double>(n.progress));
    if (n.message == kMsgStateChanged) call["value"] = JsonValue(static_cast<double>(n.state));
    if (n.message == kMsgStatus || n.message == kMsgError)
      call["value"] = JsonValue(wide_to_utf8(n.text));
    calls.emplace_back(std::move(call));
    // A download's byte lines come as its bytes do: they are not counted.
    const bool byte_line = n.text.size() > 3 && n.text.compare(n.text.size() - 3, 3, L" MB") == 0;
    if (n.message == kMsgStatus && !byte_line && ++statuses == cancel_at) cancel = true;
  });
  const std::wstring dir = wide_path(op, "install_dir");
  RepairOutcome repair = RepairOutcome::NoJournal;
  WriteGate gate;
  if (update) {
    repair = RepairInterruptedUpdate(dir).outcome;
    RunUpdate(model, cancel, gate, dir, *release, dir + L"\\chrome.exe",
              repair == RepairOutcome::Untrusted);
  } else if (thread) {
    // The worker holds the model as the window's controller does.
    const auto shared = std::shared_ptr<WindowModel>(&model, [](WindowModel*) {});
    InstallThread(shared, cancel, gate, dir, {}, base_url);
  } else {
    RunInstall(model, cancel, gate, dir, *release);
  }
  return JsonValue(Members{{"fetched", JsonValue(true)},
                           {"repaired", JsonValue(repair != RepairOutcome::NoJournal)},
                           {"blocked", JsonValue(repair == RepairOutcome::Blocked)},
                           {"untrusted", JsonValue(repair == RepairOutcome::Untrusted)},
                           {"calls", JsonValue(std::move(calls))}});
}

JsonValue peak_memory() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
  // Private bytes (the commit charge) beside the working set: what the process itself holds,
  // whatever of it is paged in.
  return JsonValue(Members{{"peak_working_set", number(counters.PeakWorkingSetSize)},
                           {"working_set", number(counters.WorkingSetSize)},
                           {"peak_private", number(counters.PeakPagefileUsage)},
                           {"private", number(counters.PagefileUsage)}});
}

// The child windows of the open progress window in z-order, the order in which a screen reader
// meets them: id, class, text and whether it is shown.
JsonValue window_children() {
  std::vector<JsonValue> children;
  HWND window = FindWindowW(kWindowClassName, nullptr);
  for (HWND child = window ? GetWindow(window, GW_CHILD) : nullptr; child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t class_name[64] = {};
    GetClassNameW(child, class_name, 64);
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(child, text.data(), static_cast<int>(text.size()))));
    children.push_back(JsonValue(Members{{"id", number(static_cast<uint64_t>(GetDlgCtrlID(child)))},
                                         {"class", JsonValue(wide_to_utf8(class_name))},
                                         {"text", JsonValue(wide_to_utf8(text))},
                                         {"visible", JsonValue(IsWindowVisible(child) != FALSE)}}));
  }
  return JsonValue(std::move(children));
}

JsonValue run(const JsonValue& op, std::unique_ptr<HttpClient>& http) {
  const std::string name = op.get_string("op").value_or("");
  Members result{{"op", JsonValue(name)}};
  if (name == "new_client") {
    http = std::make_unique<HttpClient>();
  } else if (name == "get") {
    const std::optional<std::string> body = http->get(op.get_string("url").value_or(""));
    result["ok"] = JsonValue(body.has_value());
    if (body) {
      result["size"] = number(body->size());
      result["body"] = JsonValue(*body);
    }
  } else if (name == "download") {
    uint64_t calls = 0, last_total = 0, last_expected = 0;
    if (const std::optional<double> stall = op.get_number("stall_ms")) {
      http->set_stall_window(std::chrono::milliseconds(static_cast<int64_t>(*stall)));
    }
    std::string digest;
    const bool ok = http->download(op.get_string("url").value_or(""), wide_path(op, "path"),
                                   [&](uint64_t total, uint64_t expected) {
                                     ++calls, last_total = total, last_expected = expected;
                                   }, &digest);
    result["ok"] = JsonValue(ok);
    result["digest"] = JsonValue(digest);
    result["progress_calls"] = number(calls);
    result["progress_total"] = number(last_total);
    result["progress_expected_unknown"] = JsonValue(last_expected == kUnknownLength);
    result["progress_expected"] = number(last_expected == kUnknownLength ? 0 : last_expected);
  } else if (name == "sha256") {
    result["digest"] = JsonValue(Sha256File(wide_path(op, "path")));
  } else if (name == "extract") {
    result["ok"] = JsonValue(ExtractArchive(wide_path(op, "zip"), wide_path(op, "dest")));
  } else if (name == "fetch_package") {
    const JsonValue* file = op.find("file");
    const PackageOutcome<PlacedPackage> placed =
        FetchPackage(file ? release_file(*file) : ReleaseFile{},
                     static_cast<size_t>(op.get_number("position").value_or(0)),
                     wide_path(op, "install_dir"), *http);
    result["ok"] = JsonValue(static_cast<bool>(placed));
    result["temp_dir"] = JsonValue(wide_to_utf8(install_temp_dir()));
    // The package's own reason (the client's text for a transfer), "" when it was placed.
    result["last_error"] = JsonValue(placed ? std::string() : failure_reason(placed.error));
    result["security_flags"] = number(http->last_security_flags());
    result["access_type"] = number(http->access_type());
    return JsonValue(std::move(result));
  } else if (name == "fetch_release") {
    std::string why;
    const std::optional<ReleaseInfo> release =
        fetch_latest_release(op.get_string("base_url").value_or(std::string(kReleaseBaseUrl)),
                             op.get_string("software_id").value_or(std::string(kSoftwareId)),
                             op.get_string("channel").value_or(std::string(kReleaseChannel)),
                             &why);
    result["ok"] = JsonValue(release.has_value());
    if (!release) result["why"] = JsonValue(why);
    if (release) result["release"] = release_json(*release);
  } else if (name == "judge_release") {
    // What an update does with an answer before any download: parse it, then look for unsafe
    // and doubled paths; how long each took.
    const ULONGLONG start = GetTickCount64();
    const std::optional<ReleaseInfo> release =
        fetch_latest_release(op.get_string("base_url").value_or(std::string(kReleaseBaseUrl)),
                             kSoftwareId, kReleaseChannel);
    const ULONGLONG fetched = GetTickCount64();
    result["ok"] = JsonValue(release.has_value());
    if (release) {
      const bool refused = find_unsafe_path(release->files) || find_conflicting_path(release->files);
      result["files"] = number(release->files.size());
      result["refused"] = JsonValue(refused);
    }
    result["fetch_ms"] = number(fetched - start);
    result["judge_ms"] = number(GetTickCount64() - fetched);
  } else if (name == "update_staging") {
    result["path"] = JsonValue(wide_to_utf8(UpdateStagingFolder(wide_path(op, "install_dir"))));
  } else if (name == "window_children") {
    result["children"] = window_children();
  } else if (name == "memory") {
    return peak_memory();
  } else if (name == "run_install") {
    return run_pipeline(op, false);
  } else if (name == "run_update") {
    return run_pipeline(op, true);
  } else if (name == "hold_file") {
    // Keeps a file open without delete sharing, as a program using it would, for some seconds.
    ScopedKernelHandle held(CreateFileW(wide_path(op, "path").c_str(), GENERIC_READ,
                                        FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    result["ok"] = JsonValue(static_cast<bool>(held));
    // The mark tells a waiting test the file is held from now on.
    if (held && op.get_string("mark")) {
      ScopedKernelHandle mark(CreateFileW(wide_path(op, "mark").c_str(), GENERIC_WRITE, 0, nullptr,
                                          CREATE_ALWAYS, 0, nullptr));
    }
    Sleep(static_cast<DWORD>(op.get_number("ms").value_or(0)));
  } else if (name == "find_browsers") {
    std::vector<JsonValue> found;
    for (DWORD id : FindBrowserProcesses()) {
      found.emplace_back(
          Members{{"id", number(id)}, {"path", JsonValue(wide_to_utf8(GetProcessImagePath(id)))}});
    }
    result["processes"] = JsonValue(std::move(found));
  } else if (name == "close_browser") {
    const ULONGLONG start = GetTickCount64();
    result["ok"] = JsonValue(CloseRunningBrowser(wide_path(op, "path")));
    result["elapsed_ms"] = number(GetTickCount64() - start);
  } else {
    result["unknown"] = JsonValue(true);
  }
  result["last_error"] = JsonValue(http->last_error());
  result["security_flags"] = number(http->last_security_flags());
  result["access_type"] = number(http->access_type());
  return JsonValue(std::move(result));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fputs("usage: orvane-probe <script.json> <results.json>\n", stderr);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  const std::optional<JsonValue> script = json_parse(text.str());
  if (!script || script->kind != JsonKind::Array) {
    std::fputs("script is not a JSON array\n", stderr);
    return 2;
  }
  auto http = std::make_unique<HttpClient>();
  std::vector<JsonValue> results;
  for (const JsonValue& op : script->items) results.push_back(run(op, http));
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out << json_dump(JsonValue(std::move(results)), 0);
  return out.good() ? 0 : 1;
}
