#include "net/url.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(ParseUrl, SplitsWhatTheTransportNeeds) {
  const struct {
    std::string url;
    std::wstring host;
    std::wstring path;
    int32_t port;
    bool secure;
  } cases[] = {
      {"https://releases.example", L"releases.example", L"/", 443, true},
      {"http://host:8080/a/b?c=1", L"host", L"/a/b?c=1", 8080, false},
      {"https://h/x", L"h", L"/x", 443, true},
      {"http://h:0/", L"h", L"/", 0, false},
      {"http://h:65535/", L"h", L"/", 65535, false},
      {"http://h: +81/p", L"h", L"/p", 81, false},       // leading space and sign, like stoi
      {"http://h:8080abc/p", L"h", L"/p", 8080, false},  // trailing non-digits ignored
      {"http://h:-0/", L"h", L"/", 0, false},
      {"http://h:00000000000000000080/", L"h", L"/", 80, false},
      {"https://", L"", L"/", 443, true},              // empty host passes on unchanged
      {"http://h/a:b/c", L"h", L"/a:b/c", 80, false},  // a colon in the path is no port
      {"http://user@h/", L"user@h", L"/", 80, false},
      {"http://h?q=1", L"h?q=1", L"/", 80, false},  // no '/' after the scheme: all authority
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.url);
    const std::optional<UrlParts> parts = parse_url(c.url);
    ASSERT_TRUE(parts.has_value());
    EXPECT_EQ(parts->host, c.host);
    EXPECT_EQ(parts->path, c.path);
    EXPECT_EQ(parts->port, c.port);
    EXPECT_EQ(parts->secure, c.secure);
  }
}

TEST(ParseUrl, RefusesWhatIsNotAnHttpUrlOrPort) {
  for (const char* url :
       {"ftp://host/x", "HTTPS://host/x", "Http://host/x", "host/x", "", "https:/host",
        "http://h:/x", "http://h:abc/x", "http://h:65536/x", "http://h:-1/x",
        "http://h:99999999999999999999/x", "http://h: /x", "http://h:+/x"}) {
    SCOPED_TRACE(url);
    EXPECT_FALSE(parse_url(url).has_value());
  }
}

TEST(ParseUrl, WidensEachByteToOneUnit) {
  const std::optional<UrlParts> parts = parse_url("http://h/\xE4\xB8\x80");
  ASSERT_TRUE(parts.has_value());
  EXPECT_EQ(parts->path, (std::wstring{L'/', wchar_t(0xFFE4), wchar_t(0xFFB8), wchar_t(0xFF80)}));
}

}  // namespace
