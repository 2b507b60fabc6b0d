#include "net/release_signature.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "json/json_parse.h"
#include "kAnswerRules.h"
#include "net/release.h"
#include "net/release_terms.h"

namespace {

std::optional<std::string> text(const std::optional<std::string_view>& refusal) {
  return refusal ? std::optional<std::string>(std::string(*refusal)) : std::nullopt;
}

// The key cases of the table the release tool's tests read too: each answer with its signature
// and certificate, judged through CNG by a build with the row's root keys that had taken the
// row's mark before, gets the row's refusal, or is taken under the row's key sequence.
TEST(ReleaseSignature, JudgesRootAndOnlineKeysAsTheReleaseTool) {
  const std::optional<JsonValue> table = json_parse(kAnswerRules);
  ASSERT_TRUE(table.has_value());
  const std::string software_id = table->get_string("software_id").value_or("");
  const std::string channel = table->get_string("channel").value_or("");
  const std::optional<int64_t> now = parse_utc_time(table->get_string("now").value_or(""));
  const std::vector<JsonValue>* cases = table->get_array("key_cases");
  ASSERT_TRUE(now && cases != nullptr);
  EXPECT_GT(cases->size(), 12u);
  for (const JsonValue& c : *cases) {
    const std::string name = c.get_string("name").value_or("");
    const std::string body = c.get_string("body").value_or("");
    std::vector<std::string_view> roots;
    for (const JsonValue& root : *c.get_array("roots")) roots.push_back(root.string_value);
    const std::vector<JsonValue>& taken = *c.get_array("taken");
    const SequenceMark mark{static_cast<int64_t>(taken[0].number_value),
                            static_cast<int64_t>(taken[1].number_value)};
    const AnswerScope scope{software_id, channel, mark, mark.key_sequence};
    const SignerCheck signer =
        check_signer(body, c.get_string("signature").value_or(""),
                     c.get_string("certificate").value_or(""), roots, *now, scope);
    std::optional<std::string> refusal = text(signer.refusal);
    if (!refusal)
      refusal = text(signed_release_refusal(parse_release(body), *now, scope, signer.key_sequence));
    EXPECT_EQ(refusal, c.get_string("refusal")) << name;
    if (!refusal) {
      EXPECT_EQ(signer.key_sequence,
                static_cast<int64_t>(c.get_number("key_sequence").value_or(-1)))
          << name;
    }
  }
}

}  // namespace
