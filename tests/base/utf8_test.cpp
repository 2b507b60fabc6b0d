#include "base/utf8.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using namespace std::string_literals;

TEST(Utf8, DecodesAndEncodesEveryLength) {
  const struct {
    std::string bytes;
    std::u16string text;
  } cases[] = {
      {"", u""},
      {"a\0b"s, u"a\0b"s},
      {"\x7F", u"\x7F"},
      {"\xC2\x80", u"\u0080"},
      {"\xDF\xBF", u"\u07FF"},
      {"\xE0\xA0\x80", u"\u0800"},
      {"\xE4\xB8\x80\xE5\x9B\xBD", u"一国"},
      {"\xEF\xBF\xBF", u"\uFFFF"},
      {"\xF0\x90\x80\x80", u"\U00010000"},
      {"\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    EXPECT_EQ(decode_utf8(c.bytes), c.text);
    EXPECT_EQ(encode_utf8(c.text), c.bytes);
  }
}

TEST(Utf8, RejectsEveryMalformedSequence) {
  for (const std::string& bytes :
       {"\x80"s, "\xBF"s, "\xC0\x80"s, "\xC1\xBF"s, "\xE0\x9F\xBF"s, "\xF0\x8F\xBF\xBF"s,
        "\xED\xA0\x80"s, "\xED\xBF\xBF"s, "\xF4\x90\x80\x80"s, "\xF8\x88\x80\x80\x80"s, "\xFE"s,
        "\xFF"s, "\xC2"s, "\xE4\xB8"s, "\xF0\x90\x80"s, "\xC2\x41"s, "a\xE4\xB8"s}) {
    SCOPED_TRACE(testing::PrintToString(bytes));
    EXPECT_FALSE(decode_utf8(bytes).has_value());
  }
}

TEST(Utf8, WidensBytesBySignExtensionAndShowsInvalidTextThatWay) {
  EXPECT_EQ(widen_bytes("A\x80\xFF"), (std::u16string{u'A', 0xFF80, 0xFFFF}));
  EXPECT_EQ(display_text("\xE4\xB8\x80"), u"一");
  EXPECT_EQ(display_text("\xE4\xB8"), (std::u16string{0xFFE4, 0xFFB8}));
  EXPECT_EQ(encode_utf8(std::u16string{0xD800, u'a'}),
            "\xEF\xBF\xBD"
            "a");
}

}  // namespace
