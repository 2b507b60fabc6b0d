#include "net/release_terms.h"

#include <gtest/gtest.h>

#include "kAnswerRules.h"
#include "json/json_parse.h"
#include "net/release.h"

#include <algorithm>
#include <optional>
#include <string>
#include <tuple>

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
  const AnswerScope scope{"orvane", "stable", {0, 7}, 0};
  EXPECT_EQ(signed_release_refusal(good, now, scope, 0), std::nullopt);
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
    EXPECT_EQ(signed_release_refusal(release, now, scope, 0), c.refusal) << c.label;
  }
  EXPECT_EQ(signed_release_refusal(std::nullopt, now, scope, 0), kNotARelease);
  // A later answer, or the same one asked again, is taken.
  for (int64_t sequence : {int64_t{7}, int64_t{8}, int64_t{1} << 53}) {
    ReleaseInfo release = good;
    release.sequence = sequence;
    EXPECT_EQ(signed_release_refusal(release, now, scope, 0), std::nullopt) << sequence;
  }
}

// Answer sequences count within one key sequence; a newer key's answers start over, an older
// key's are refused.
TEST(SignedRelease, SequencesCountWithinTheirKeySequence) {
  const int64_t now = *parse_utc_time("2026-12-08T12:00:00Z");
  ReleaseInfo release;
  release.version = "2.0";
  release.expires = "2026-12-09T00:00:00Z";
  release.software_id = "orvane";
  release.channel = "stable";
  const AnswerScope scope{"orvane", "stable", {2, 100}, 2};
  const struct {
    int64_t key_sequence;
    int64_t sequence;
    std::optional<std::string_view> refusal;
  } cases[] = {
      {2, 100, std::nullopt}, {2, 101, std::nullopt},           {2, 99, kReplayed},
      {3, 1, std::nullopt},   {1, int64_t{1} << 53, kReplayed},
  };
  for (const auto& c : cases) {
    release.sequence = c.sequence;
    EXPECT_EQ(signed_release_refusal(release, now, scope, c.key_sequence), c.refusal)
        << c.key_sequence << ":" << c.sequence;
  }
  // A root key's own answer is judged where the newest certificate is; the marks of a user and of
  // an installation combine key sequence first.
  EXPECT_EQ(root_key_sequence(scope), 2);
  EXPECT_EQ(root_key_sequence(AnswerScope{"orvane", "stable", {0, -1}, 4}), 4);
  const SequenceMark marks[][3] = {
      {{1, 5}, {0, 900}, {1, 5}}, {{2, 3}, {2, 9}, {2, 9}}, {{0, -1}, {0, 4}, {0, 4}}};
  for (const auto& [a, b, later] : marks) {
    for (const SequenceMark& got : {later_mark(a, b), later_mark(b, a)}) {
      EXPECT_EQ(std::make_pair(got.key_sequence, got.sequence),
                std::make_pair(later.key_sequence, later.sequence));
    }
  }
}

std::string base64(std::string_view bytes) {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text;
  for (size_t i = 0; i < bytes.size(); i += 3) {
    const size_t n = std::min<size_t>(3, bytes.size() - i);
    uint32_t bits = 0;
    for (size_t k = 0; k < 3; ++k) {
      bits = (bits << 8) | (k < n ? static_cast<uint8_t>(bytes[i + k]) : 0u);
    }
    for (size_t k = 0; k < 4; ++k) text += k <= n ? kAlphabet[(bits >> (18 - 6 * k)) & 63] : '=';
  }
  return text;
}

// What a certificate's text must hold before its signature is even looked at, and what the
// scope refuses of one a root signed.
TEST(KeyCertificate, ReadsTheDocumentAndRefusesWhatTheScopeDoesNot) {
  const std::string key(64, 'k');
  const std::string signature(64, 's');
  const auto certificate = [&](const std::string& document) {
    return base64(document) + "." + base64(signature);
  };
  const auto document = [&](const std::string& members) {
    return R"({"public_key": ")" + base64(key) + R"(", "software_id": "orvane", )" + members + "}";
  };
  const std::optional<KeyCertificate> good = parse_key_certificate(
      certificate(document(R"("key_sequence": 3, "expires": "2027-01-01T00:00:00Z")")));
  ASSERT_TRUE(good.has_value());
  EXPECT_EQ((std::make_tuple(good->public_key, good->software_id, good->key_sequence)),
            std::make_tuple(base64(key), std::string("orvane"), int64_t{3}));
  EXPECT_EQ(good->expires, *parse_utc_time("2027-01-01T00:00:00Z"));
  EXPECT_EQ(std::string(good->signature.begin(), good->signature.end()), signature);
  const std::string refused[] = {
      "",
      "no dot",
      base64(document(R"("key_sequence": 3, "expires": "2027-01-01T00:00:00Z")")) + ".",
      certificate("[]"),
      certificate(document(R"("key_sequence": 0, "expires": "2027-01-01T00:00:00Z")")),
      certificate(document(R"("key_sequence": 1.5, "expires": "2027-01-01T00:00:00Z")")),
      certificate(document(R"("key_sequence": "3", "expires": "2027-01-01T00:00:00Z")")),
      certificate(
          document(R"("key_sequence": 9007199254740994, "expires": "2027-01-01T00:00:00Z")")),
      certificate(document(R"("key_sequence": 3, "expires": "2027-01-01")")),
      certificate(document(R"("key_sequence": 3)")),
      certificate(
          R"({"public_key": "AAAA", "software_id": "orvane", "key_sequence": 3, "expires": "2027-01-01T00:00:00Z"})"),
      base64(document(R"("key_sequence": 3, "expires": "2027-01-01T00:00:00Z")")) + "." +
          base64("short"),
  };
  for (const std::string& text : refused) {
    EXPECT_FALSE(parse_key_certificate(text).has_value()) << text;
  }
  const int64_t now = *parse_utc_time("2026-12-08T12:00:00Z");
  EXPECT_EQ(certificate_refusal(*good, now, AnswerScope{"orvane", "stable", {}, 3}), std::nullopt);
  EXPECT_EQ(certificate_refusal(*good, now, AnswerScope{"orvane", "stable", {}, 4}), kRevokedKey);
  EXPECT_EQ(certificate_refusal(*good, now, AnswerScope{"other", "stable", {}, 0}), kOtherRelease);
  EXPECT_EQ(certificate_refusal(*good, *parse_utc_time("2027-01-01T00:00:00Z"),
                                AnswerScope{"orvane", "stable", {}, 0}),
            kCertificateExpired);
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
    const std::optional<std::string_view> refusal = signed_release_refusal(
        parse_release(body), *now, AnswerScope{software_id, channel, {}, 0}, 0);
    EXPECT_EQ(refusal ? std::optional<std::string>(std::string(*refusal)) : std::nullopt, expected) << name;
  }
}

}  // namespace
