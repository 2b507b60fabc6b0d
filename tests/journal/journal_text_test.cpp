#include "journal/journal_text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

// The update journal: what a later run reads back is what the update wrote; a journal of the
// earlier format (paths only, no records among them), or with a line that is not whole (cut
// short by a power cut, or not of its kind's fields), counts as untrusted and that line is never
// acted on; a committed one keeps its steps for their backups.
TEST(JournalText, ReadsBackWhatWasWrittenAndTheEarlierFormat) {
  using Kind = JournalStepKind;
  const JournalState written{
      false,
      false,
      {{Kind::Replaced, "locales/zh-CN.pak", "locales/zh-CN.pak.bak", "locales/zh-CN.pak.new"},
       {Kind::Added, "资源/新.pak", "", "资源/新.pak.new"},
       {Kind::Replaced, "orvane-config.json", "orvane-config.json.bak2", "orvane-config.json.new"},
       {Kind::Removed, "locales/old.pak", "locales/old.pak.bak", ""}}};
  const std::string text = journal_text(written);
  EXPECT_EQ(text,
            "orvane-update 2\n"
            "replaced\tlocales/zh-CN.pak\tlocales/zh-CN.pak.bak\tlocales/zh-CN.pak.new\n"
            "added\t\xE8\xB5\x84\xE6\xBA\x90/\xE6\x96\xB0.pak\t\t"
            "\xE8\xB5\x84\xE6\xBA\x90/\xE6\x96\xB0.pak.new\n"
            "replaced\torvane-config.json\torvane-config.json.bak2\torvane-config.json.new\n"
            "removed\tlocales/old.pak\tlocales/old.pak.bak\n");
  using Entry = std::tuple<Kind, std::string, std::string, std::string>;
  const std::vector<Entry> all = {
      {Kind::Replaced, "locales/zh-CN.pak", "locales/zh-CN.pak.bak", "locales/zh-CN.pak.new"},
      {Kind::Added, "\xE8\xB5\x84\xE6\xBA\x90/\xE6\x96\xB0.pak", "",
       "\xE8\xB5\x84\xE6\xBA\x90/\xE6\x96\xB0.pak.new"},
      {Kind::Replaced, "orvane-config.json", "orvane-config.json.bak2", "orvane-config.json.new"},
      {Kind::Removed, "locales/old.pak", "locales/old.pak.bak", ""}};
  const std::vector<Entry> first_three(all.begin(), all.begin() + 3);
  const std::string before_last = text.substr(0, text.rfind("removed"));
  const struct {
    std::string text;
    bool untrusted;
    bool committed;
    std::vector<Entry> entries;
  } cases[] = {
      {text, false, false, all},
      {journal_text({true, false, {}}), true, false, {}},
      {journal_text({false, true, {{Kind::Replaced, "a", "a.bak", "a.new"}}}),
       false,
       true,
       {{Kind::Replaced, "a", "a.bak", "a.new"}}},
      // The last line cut short wherever the power went: never a step, never trusted. Cut after
      // "x.bak" of "x.bak2", it would name a person's x.bak as the backup to put back.
      {before_last + "removed\tlocales/old.pak\tlocales/old.pak.b", true, false, first_three},
      {before_last + "removed\tlocales/old.pak", true, false, first_three},
      {before_last + "removed", true, false, first_three},
      {"orvane-update 2\nreplaced\tx\tx.bak", true, false, {}},
      {"orvane-update 2\nreplaced\tx\tx.bak2\tx.ne", true, false, {}},
      {"orvane-update 2", true, false, {}},
      {text + "leftover\torvane-updater.exe.removing-1", true, false, all},
      // Lines of another kind's fields, or none nobody can undo: whatever they named, nothing
      // installed is trusted.
      {"orvane-update 2\nmoved\tx\nreplaced y\n\nreplaced\tz\tz.bak\tz.new\n",
       true,
       false,
       {{Kind::Replaced, "z", "z.bak", "z.new"}}},
      {journal_text({true, true, {{Kind::Leftover, "orvane-updater.exe.new", "", ""}}}),
       true,
       true,
       {{Kind::Leftover, "orvane-updater.exe.new", "", ""}}},
      {"orvane-update 2\nadded\tx\tx.bak\n", true, false, {}},
      {"orvane-update 2\nadded\tx\tx.bak\tx.new\n", true, false, {}},
      {"orvane-update 2\nadded\tx\n", true, false, {}},
      {"orvane-update 2\nreplaced\ty\n", true, false, {}},
      {"orvane-update 2\nreplaced\ty\ty.bak\n", true, false, {}},
      {"orvane-update 2\nreplaced\ty\t\ty.new\n", true, false, {}},
      {"orvane-update 2\nremoved\ty\n", true, false, {}},
      {"orvane-update 2\nremoved\ty\ty.bak\tn\n", true, false, {}},
      {"orvane-update 2\nleftover\tx\tx.bak\n", true, false, {}},
      {"orvane-update 2\nreplaced\t\n", true, false, {}},
      {"orvane-update 2\nreplaced\ta\tb\tc\td\n", true, false, {}},
      {"a.dll\nlocales/en.pak\n",
       true,
       false,
       {{Kind::Replaced, "a.dll", "a.dll.bak", ""},
        {Kind::Replaced, "locales/en.pak", "locales/en.pak.bak", ""}}},
      {"", true, false, {}},
  };
  for (const auto& c : cases) {
    const JournalState journal = parse_journal(c.text);
    EXPECT_EQ(journal.untrusted, c.untrusted) << c.text;
    EXPECT_EQ(journal.committed, c.committed) << c.text;
    std::vector<Entry> entries;
    for (const JournalStep& e : journal.steps)
      entries.emplace_back(e.kind, e.file_path, e.backup, e.incoming);
    EXPECT_EQ(entries, c.entries) << c.text;
  }
}

}  // namespace
