#include "ui/window_layout.h"

#include "ui/byte_progress.h"
#include "ui/text_fit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

TEST(WindowLayout, CaptionsAndSubtitlesByState) {
  const struct {
    int32_t state;
    const char16_t* caption;  // nullptr: controls left alone
    const char16_t* install_subtitle;
    const char16_t* update_subtitle;
    bool card;
    bool progress;
  } cases[] = {
      {0, u"开始安装", u"安装向导 — 下载并安装最新版本", u"安装向导 — 下载并安装最新版本", true,
       false},
      {1, u"取消", u"正在安装...", u"正在更新...", true, true},
      {2, u"启动浏览器", u"安装完成", u"更新完成", true, true},
      {3, u"重试", u"出错了", u"出错了", false, false},
      {4, u"立即更新", u"发现新版本", u"发现新版本", true, false},
      {5, nullptr, u"安装向导", u"安装向导", false, false},
      {-1, nullptr, u"安装向导", u"安装向导", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.state);
    const auto state = static_cast<WindowState>(c.state);
    const auto caption = main_caption(state, WindowPurpose::Install);
    EXPECT_EQ(caption.has_value(), c.caption != nullptr);
    if (caption && c.caption) {
      EXPECT_EQ(*caption, c.caption);
    }
    EXPECT_EQ(subtitle(state, WindowPurpose::Install), c.install_subtitle);
    EXPECT_EQ(subtitle(state, WindowPurpose::Update), c.update_subtitle);
    EXPECT_EQ(shows_release_card(state), c.card);
    EXPECT_EQ(shows_progress(state), c.progress);
  }
}

TEST(WindowLayout, UninstallReadsAsSuch) {
  EXPECT_EQ(subtitle(WindowState::Working, WindowPurpose::Uninstall), u"正在卸载...");
  EXPECT_EQ(subtitle(WindowState::Finished, WindowPurpose::Uninstall), u"卸载完成");
  EXPECT_EQ(subtitle(WindowState::Failed, WindowPurpose::Uninstall), u"出错了");
  EXPECT_EQ(main_caption(WindowState::Finished, WindowPurpose::Uninstall), u"完成");
  EXPECT_EQ(main_caption(WindowState::Finished, WindowPurpose::Update), u"启动浏览器");
  EXPECT_EQ(main_caption(WindowState::Failed, WindowPurpose::Uninstall), u"重试");
}

TEST(WindowLayout, FileLine) {
  EXPECT_EQ(file_line(0, 0), u"0 个文件");
  EXPECT_EQ(file_line(3, 1572864), u"3 个文件  ·  1.5 MB");
  EXPECT_EQ(file_line(1, 1), u"1 个文件  ·  0.0 MB");
  EXPECT_EQ(file_line(-2, -5), u"-2 个文件");
  EXPECT_EQ(file_line(12, 1073741824), u"12 个文件  ·  1024.0 MB");
}

TEST(WindowLayout, ProgressShownAndFill) {
  const struct {
    int32_t state;
    int32_t progress;
    int32_t percent;
  } cases[] = {{1, 0, 0},     {1, -5, 0},    {1, 1, 1},   {1, 37, 37},
               {1, 100, 100}, {1, 150, 100}, {2, 0, 100}, {2, 12, 100}};
  for (const auto& c : cases) {
    EXPECT_EQ(shown_percent(static_cast<WindowState>(c.state), c.progress), c.percent)
        << c.state << " " << c.progress;
  }
  EXPECT_EQ(fill_width(37, 434), 160);
  EXPECT_EQ(fill_width(100, 434), 434);
  EXPECT_EQ(fill_width(1, 434), 4);
}

TEST(WindowLayout, HoverTargets) {
  const struct {
    int32_t x, y, state, id;
  } cases[] = {
      {155, 350, 0, 1001}, {364, 391, 0, 1001},  {365, 350, 0, -1}, {155, 392, 1, -1},
      {390, 250, 0, 1004}, {459, 281, 3, 1004},  // hit even while the button is hidden
      {40, 250, 0, 1003},  {379, 281, 0, 1003},  {380, 260, 0, -1}, {39, 260, 0, -1},
      {100, 260, 1, -1},                          // the edit area counts only in Ready
      {-1, 260, 0, -1},    {100, -32768, 0, -1},  // negative never wraps into the area
      {0, 0, 0, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(hover_target(c.x, c.y, static_cast<WindowState>(c.state)), c.id)
        << c.x << "," << c.y << " state " << c.state;
  }
}

TEST(WindowLayout, ScalingAndPlacement) {
  const struct {
    int32_t length, dpi, scaled;
  } cases[] = {{40, 96, 40},  {40, 144, 60},  {40, 192, 80}, {1, 120, 1},  {13, 144, 20},
               {13, 120, 16}, {-3, 144, -5},  {0, 144, 0},   {520, 0, 520}};
  for (const auto& c : cases) {
    EXPECT_EQ(scale(c.length, c.dpi), c.scaled) << c.length << " at " << c.dpi;
  }
  // Neighbours stay neighbours: the right edge is scaled, not the width.
  const Rect edit = scale(kDirEditRect, 120), browse = scale(kBrowseButtonRect, 120);
  EXPECT_EQ(edit.x, 50);
  EXPECT_EQ(edit.x + edit.width, scale(kDirEditRect.x + kDirEditRect.width, 120));
  EXPECT_EQ(browse.x - (edit.x + edit.width), scale(10, 120));
  // A device pixel maps back to the 96-DPI pixel containing it, left of 0 included.
  EXPECT_EQ(unscale(59, 144), 39);
  EXPECT_EQ(unscale(60, 144), 40);
  EXPECT_EQ(unscale(-1, 144), -1);
  EXPECT_EQ(unscale(311, 96), 311);
  EXPECT_EQ(hover_target(unscale(scale(155, 192), 192), unscale(scale(350, 192), 192),
                         WindowState::Ready),
            kMainButtonId);

  const struct {
    Rect work;
    int32_t width, height, x, y;
  } places[] = {
      {{0, 0, 1024, 768}, 520, 500, 252, 134},
      {{0, 0, 1280, 600}, 520, 500, 380, 50},
      {{0, 30, 1280, 570}, 780, 750, 250, 30},  // taller than the work area: top stays on it
      {{-1920, 0, 1920, 1040}, 520, 500, -1220, 270},
      {{100, 0, 400, 300}, 520, 500, 100, 0},
  };
  for (const auto& c : places) {
    const Placement at = centred_on(c.work, c.width, c.height);
    EXPECT_EQ(at.x, c.x) << c.work.x << "," << c.work.y;
    EXPECT_EQ(at.y, c.y) << c.work.x << "," << c.work.y;
  }
}

TEST(TextFit, EllipsisKeepsStartOrPathEnd) {
  // Every character 10 wide: a width of 100 holds ten.
  const MeasureText measure = [](const std::u16string& text) {
    return 10.0f * static_cast<float>(text.size());
  };
  const struct {
    std::u16string text;
    float width;
    std::u16string start, end;
  } cases[] = {
      {u"short", 100, u"short", u"short"},
      {u"0123456789", 100, u"0123456789", u"0123456789"},
      {u"0123456789A", 100, u"012345678…", u"…23456789A"},
      {u"下载: C:\\Orvane\\locales\\zh-CN.pak", 160, u"下载: C:\\Orvane\\l…", u"下载: C…\\zh-CN.pak"},
      {u"下载: C:\\Orvane\\locales\\zh-CN.pak", 110, u"下载: C:\\Orv…", u"…\\zh-CN.pak"},
      {u"下载: C:\\Orvane\\locales\\zh-CN.pak", 100, u"下载: C:\\Or…", u"…zh-CN.pak"},
      {u"a\\b", 0, u"…", u"…"},
      {u"ab\\", 20, u"a…", u"…\\"},
      {u"\\very-long-name", 50, u"\\ver…", u"…name"},
      // A surrogate pair is never split: the cut moves outside it.
      {u"ab😀cd", 40, u"ab…", u"…cd"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fit_keeping_start(c.text, c.width, measure), c.start) << c.width;
    EXPECT_EQ(fit_keeping_end(c.text, c.width, measure), c.end) << c.width;
  }
}

TEST(TextFit, HugeTextsAreCutBeforeTheyAreMeasured) {
  size_t longest = 0;
  const MeasureText measure = [&](const std::u16string& text) {
    longest = std::max(longest, text.size());
    return 10.0f * static_cast<float>(text.size());
  };
  const std::u16string huge(4u << 20, u'x');
  const struct {
    std::u16string text;
    std::u16string start, end;
  } cases[] = {
      {huge, u"xxxxxxxxx…", u"…xxxxxxxxx"},
      {u"下载: " + huge + u"\\zh-CN.pak", u"下载: xxxxx…", u"…zh-CN.pak"},
      {u"下载: C:\\a\\" + huge, u"下载: C:\\a\\…", u"…xxxxxxxxx"},
  };
  for (const auto& c : cases) {
    longest = 0;
    EXPECT_EQ(fit_keeping_start(c.text, 100, measure), c.start);
    EXPECT_EQ(fit_keeping_end(c.text, 100, measure), c.end);
    EXPECT_LE(longest, 1024u);
  }
}

}  // namespace

TEST(ByteProgress, FollowsTheBytesOfTheWholeRelease) {
  constexpr uint64_t kUnknown = ~uint64_t{0};
  struct Event {
    size_t package;
    uint64_t received;  // kUnknown here: the package was placed
    uint64_t expected;
  };
  struct Case {
    const char* label;
    std::vector<int64_t> sizes;
    int32_t to;
    size_t current;  // the package the run is at
    std::vector<Event> events;
    int32_t percent;
  };
  const Case cases[] = {
      {"nothing yet", {100, 300}, 100, 0, {}, 0},
      {"half of the small one: its slice leads", {100, 300}, 100, 0, {{0, 50, 100}}, 12},
      {"small one placed", {100, 300}, 100, 0, {{0, kUnknown, 0}}, 50},
      {"big one downloaded: its slice leads", {100, 300}, 100, 1, {{0, kUnknown, 0}, {1, 300, 300}}, 75},
      {"big one first, downloaded: the bytes lead", {300, 100}, 100, 0, {{0, 300, 300}}, 37},
      {"big one first, placed", {300, 100}, 100, 0, {{0, kUnknown, 0}}, 75},
      {"all placed", {100, 300}, 100, 1, {{0, kUnknown, 0}, {1, kUnknown, 0}}, 100},
      {"the update's share", {100, 300}, 80, 1, {{0, kUnknown, 0}, {1, kUnknown, 0}}, 80},
      {"a server's length beats the release's size", {100}, 100, 0, {{0, 500, 1000}}, 25},
      {"no length: the size stands in", {1000}, 100, 0, {{0, 500, kUnknown}}, 25},
      {"more than announced stays within the package", {100, 100}, 100, 0, {{0, 900, kUnknown}}, 25},
      {"the next package downloading counts", {100, 100, 100}, 100, 0,
       {{0, kUnknown, 0}, {1, 100, 100}}, 50},
      {"sizes that say nothing weigh alike", {0, -5}, 100, 0, {{1, kUnknown, 0}}, 50},
      {"sizes past int64 weigh alike", {INT64_MAX, INT64_MAX}, 100, 0, {{0, kUnknown, 0}}, 50},
      {"no package", {}, 100, 0, {}, 0},
      {"a package the run does not have", {100}, 100, 0, {{3, 100, 100}}, 0},
  };
  for (const Case& c : cases) {
    ByteProgress progress(c.sizes, 0, c.to);
    for (const Event& e : c.events) {
      if (e.received == kUnknown) {
        progress.placed(e.package);
      } else {
        progress.downloaded(e.package, e.received, e.expected);
      }
    }
    EXPECT_EQ(progress.percent(c.current), c.percent) << c.label;
  }
  EXPECT_EQ(byte_count_text(47395635, 125829120), u"45.2 / 120.0 MB");
  EXPECT_EQ(byte_count_text(0, 0), u"0.0 / 0.0 MB");
  EXPECT_EQ(byte_count_text(1048576, ~uint64_t{0}), u"1.0 MB");
  EXPECT_EQ(without_byte_count(u"下载: 2/4  chrome.exe  45.2 / 120.0 MB"), u"下载: 2/4  chrome.exe");
  EXPECT_EQ(without_byte_count(u"下载: 1/1  a.bin  1.0 MB"), u"下载: 1/1  a.bin");
  EXPECT_EQ(without_byte_count(u"下载: 1/1  my  MB"), u"下载: 1/1  my  MB");  // a name, not a count
  EXPECT_EQ(without_byte_count(u"下载: 1/1  chrome.exe"), u"下载: 1/1  chrome.exe");
}
