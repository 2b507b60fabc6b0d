#include "net/release_terms.h"

#include <gtest/gtest.h>

#include "kAnswerRules.h"
#include "json/json_parse.h"
#include "net/release.h"

#include <optional>
#include <string>

namespace {

TEST(Base64, StrictStandardAlphabetWithPadding) {
  EXPECT_EQ(decode_base64("  TWFu\t"), (std::vector<uint8_t>{'M', 'a', 'n'}));
  EXPECT_EQ(decode_base64("TWE="), (std::vector<uint8_t>{'M', 'a'}));
  EXPECT_EQ(decode_base64("TQ=="), (std::vector<uint8_t>{'M'}));
  EXPECT_EQ(decode_base64(""), std::vector<uint8_t>{});
  for (const char* bad : {"TWE", "TW=u", "TQ=", "T===", "TW-u", "TW_u", "TW u", "TWFu\n", "====",
                          "TWFuTQ==TWFu"}) {
    EXPECT_FALSE(decode_base64(bad).has_value()) << bad;
  }
}

TEST(UtcTime, OnlyTheOneFormAndRealDates) {
  EXPECT_EQ(parse_utc_time("1970-01-01T00:00:00Z"), 0);
  EXPECT_EQ(parse_utc_time("2000-03-01T00:00:01Z"), 951868801);
  EXPECT_EQ(parse_utc_time("2024-02-29T23:59:59Z"), 1709251199);
  for (const char* bad : {"2023-02-29T00:00:00Z", "2024-13-01T00:00:00Z", "2024-01-01T24:00:00Z",
                          "2024-01-01T00:00:60Z", "2024-01-01 00:00:00Z", "2024-01-01T00:00:00",
                          "2024-01-01T00:00:00+00:00", "2024-01-01T00:00:00.5Z", "", "2024-1-01T00:00:00Z",
                          "0000-01-01T00:00:00Z"}) {
    EXPECT_FALSE(parse_utc_time(bad).has_value()) << bad;
  }
}

TEST(SignedRelease, RefusedForEachMissingTerm) {
  const int64_t now = *parse_utc_time("2026-12-08T12:00:00Z");
  ReleaseInfo good;
  good.version = "2.0";
  good.expires = "2026-12-08T12:00:01Z";
  good.files.push_back({"a.pak", 1, "aa", "bb", "u", false, 0, {{"b0", "d", 1, "dd"}}});
  good.software_id = "orvane";
  good.channel = "stable";
  good.sequence = 7;
  const AnswerScope scope{"orvane", "stable", 7};
  EXPECT_EQ(signed_release_refusal(good, now, scope), std::nullopt);
  const struct {
    const char* label;
    void (*change)(ReleaseInfo&);
    std::string_view refusal;
  } cases[] = {
      {"no expiry", [](ReleaseInfo& r) { r.expires.clear(); }, kNoExpiry},
      {"odd expiry", [](ReleaseInfo& r) { r.expires = "tomorrow"; }, kNoExpiry},
      {"expires now", [](ReleaseInfo& r) { r.expires = "2026-12-08T12:00:00Z"; }, kExpired},
      {"empty file digest", [](ReleaseInfo& r) { r.files[0].checksum_sha256.clear(); },
       kEmptyChecksum},
      {"empty download digest", [](ReleaseInfo& r) { r.files[0].zip_checksum.clear(); },
       kEmptyChecksum},
      {"empty delta digest", [](ReleaseInfo& r) { r.files[0].deltas[0].sha256.clear(); },
       kEmptyChecksum},
      {"empty delta base", [](ReleaseInfo& r) { r.files[0].deltas[0].base_sha256.clear(); },
       kEmptyChecksum},
      {"another product", [](ReleaseInfo& r) { r.software_id = "orvane_beta"; }, kOtherRelease},
      {"no product", [](ReleaseInfo& r) { r.software_id.clear(); }, kOtherRelease},
      {"another channel", [](ReleaseInfo& r) { r.channel = "beta"; }, kOtherRelease},
      {"no sequence", [](ReleaseInfo& r) { r.sequence.reset(); }, kNoSequence},
      {"older than the highest taken", [](ReleaseInfo& r) { r.sequence = 6; }, kReplayed},
  };
  for (const auto& c : cases) {
    ReleaseInfo release = good;
    c.change(release);
    EXPECT_EQ(signed_release_refusal(release, now, scope), c.refusal) << c.label;
  }
  EXPECT_EQ(signed_release_refusal(std::nullopt, now, scope), kNotARelease);
  // A later answer, or the same one asked again, is taken.
  for (int64_t sequence : {int64_t{7}, int64_t{8}, int64_t{1} << 53}) {
    ReleaseInfo release = good;
    release.sequence = sequence;
    EXPECT_EQ(signed_release_refusal(release, now, scope), std::nullopt) << sequence;
  }
}

// The table the release tool's tests read too: each answer, judged as a signed build judges it
// (signature aside), gets the refusal the table names.
TEST(SignedRelease, JudgesTheSharedTableAsTheReleaseTool) {
  const std::optional<JsonValue> table = json_parse(kAnswerRules);
  ASSERT_TRUE(table.has_value());
  const std::string software_id = table->get_string("software_id").value_or("");
  const std::string channel = table->get_string("channel").value_or("");
  const std::optional<int64_t> now = parse_utc_time(table->get_string("now").value_or(""));
  ASSERT_TRUE(now.has_value());
  const std::vector<JsonValue>* cases = table->get_array("cases");
  ASSERT_NE(cases, nullptr);
  EXPECT_GT(cases->size(), 20u);
  for (const JsonValue& c : *cases) {
    const std::string name = c.get_string("name").value_or("");
    std::string body = c.get_string("body").value_or("");
    if (const std::optional<std::string> hex = c.get_string("body_hex")) {
      body.clear();
      for (size_t i = 0; i + 1 < hex->size(); i += 2) {
        body.push_back(static_cast<char>(std::stoi(hex->substr(i, 2), nullptr, 16)));
      }
    }
    const std::optional<std::string> expected = c.get_string("refusal");
    const std::optional<std::string_view> refusal =
        signed_release_refusal(parse_release(body), *now, AnswerScope{software_id, channel, -1});
    EXPECT_EQ(refusal ? std::optional<std::string>(std::string(*refusal)) : std::nullopt, expected) << name;
  }
}

}  // namespace
