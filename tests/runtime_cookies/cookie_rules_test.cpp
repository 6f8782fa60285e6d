#include "cookie_rules.h"

#include <gtest/gtest.h>

namespace standin::cookies {
namespace {

TEST(CookieUrl, KeepsSchemeHostAndPathOnly) {
  TCookieUrl url = ParseCookieUrl("HTTP://User@WWW.Example.com:8080/a/b?c#d");
  ASSERT_TRUE(url.valid);
  EXPECT_EQ(url.scheme, "http");
  EXPECT_EQ(url.host, "www.example.com");
  EXPECT_EQ(url.path, "/a/b");
  TCookieUrl bare = ParseCookieUrl("http://[::1]:80");
  ASSERT_TRUE(bare.valid);
  EXPECT_EQ(bare.host, "::1");
  EXPECT_EQ(bare.path, "/");
  EXPECT_FALSE(ParseCookieUrl("about:blank").valid);
  EXPECT_FALSE(ParseCookieUrl("").valid);
}

TEST(CookieRules, MatchesDomainsOnLabelBoundaries) {
  EXPECT_TRUE(DomainMatches("www.example.com", ".example.com"));
  EXPECT_TRUE(DomainMatches("example.com", "example.com"));
  EXPECT_FALSE(DomainMatches("badexample.com", "example.com"));
  EXPECT_FALSE(DomainMatches("example.com", "www.example.com"));
  EXPECT_FALSE(DomainMatches("1.2.3.4", "2.3.4"));
  EXPECT_TRUE(DomainMatches("1.2.3.4", "1.2.3.4"));
  EXPECT_FALSE(DomainMatches("example.com", "."));
}

TEST(CookieRules, MatchesPathsOnSegmentBoundaries) {
  EXPECT_TRUE(PathMatches("/a/b", "/a"));
  EXPECT_TRUE(PathMatches("/a/b", "/a/"));
  EXPECT_TRUE(PathMatches("/a", "/a"));
  EXPECT_TRUE(PathMatches("/anything", "/"));
  EXPECT_FALSE(PathMatches("/ab", "/a"));
  EXPECT_FALSE(PathMatches("/a", "/a/b"));
}

TEST(CookieRules, DefaultPathIsTheFolderOfTheAddress) {
  EXPECT_EQ(DefaultPath("/a/b/c"), "/a/b");
  EXPECT_EQ(DefaultPath("/a"), "/");
  EXPECT_EQ(DefaultPath("/"), "/");
  EXPECT_EQ(DefaultPath(""), "/");
}

TEST(CookieRules, SecureCookiesGoOnlyOverSecureSchemes) {
  TCookie cookie;
  cookie.domain = "h";
  cookie.path = "/";
  cookie.secure = true;
  EXPECT_FALSE(CookieMatchesUrl(cookie, ParseCookieUrl("http://h/")));
  EXPECT_TRUE(CookieMatchesUrl(cookie, ParseCookieUrl("https://h/")));
  cookie.secure = false;
  EXPECT_TRUE(CookieMatchesUrl(cookie, ParseCookieUrl("http://h/x")));
  EXPECT_FALSE(CookieMatchesUrl(cookie, ParseCookieUrl("http://sub.h/x")));  // host cookie
}

}  // namespace
}  // namespace standin::cookies
