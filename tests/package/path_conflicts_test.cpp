#include "package/path_conflicts.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "json/json_parse.h"
#include "kFilePathRules.h"

namespace {

// The table the release tool's tests read too: the first package the program refuses as naming
// a file an earlier one names, another's backup name, or one of the installation's records.
TEST(FindConflictingPath, JudgesTheSharedTableAsTheReleaseTool) {
  const std::optional<JsonValue> table = json_parse(kFilePathRules);
  ASSERT_TRUE(table.has_value());
  const std::vector<JsonValue>* cases = table->get_array("conflicts");
  ASSERT_NE(cases, nullptr);
  for (const JsonValue& c : *cases) {
    std::vector<ReleaseFile> files;
    std::string shown;
    for (const JsonValue& path : *c.get_array("paths")) {
      files.push_back({path.string_value, 1, "aa", "bb", "u", false, 0, {}});
      shown += path.string_value + " ";
    }
    const std::optional<double> expected = c.get_number("conflict_at");
    const std::optional<size_t> found = find_conflicting_path(files);
    EXPECT_EQ(found.has_value(), expected.has_value()) << shown;
    if (found && expected) {
      EXPECT_EQ(*found, static_cast<size_t>(*expected)) << shown;
    }
  }
}

}  // namespace
