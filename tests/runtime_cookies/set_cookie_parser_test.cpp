#include "set_cookie_parser.h"

#include "cookie_date.h"

#include <gtest/gtest.h>

namespace standin::cookies {
namespace {

constexpr int64_t kNow = 1700000000LL * 1000000;

std::optional<TCookie> Parse(std::string_view header, std::string_view url = "http://www.example.com/dir/page") {
  return ParseSetCookie(header, ParseCookieUrl(url), kNow);
}

TEST(SetCookie, ReadsNameValueAndFlags) {
  auto cookie = Parse("  sid = abc 123 ; Secure; HttpOnly; Unknown=1");
  ASSERT_TRUE(cookie);
  EXPECT_EQ(cookie->name, "sid");
  EXPECT_EQ(cookie->value, "abc 123");
  EXPECT_TRUE(cookie->secure);
  EXPECT_TRUE(cookie->httponly);
  EXPECT_FALSE(cookie->has_expires);
  EXPECT_EQ(cookie->creation, kNow);
  EXPECT_EQ(cookie->domain, "www.example.com");
  EXPECT_EQ(cookie->path, "/dir");
}

TEST(SetCookie, TakesALoneTokenAsAValueWithoutName) {
  auto cookie = Parse("justavalue");
  ASSERT_TRUE(cookie);
  EXPECT_EQ(cookie->name, "");
  EXPECT_EQ(cookie->value, "justavalue");
  EXPECT_FALSE(Parse("=; Path=/"));
  EXPECT_FALSE(Parse("a=b\x01"));
}

TEST(SetCookie, MaxAgeWinsOverExpires) {
  auto cookie = Parse("a=1; Expires=Wed, 21 Oct 2015 07:28:00 GMT; Max-Age=60");
  ASSERT_TRUE(cookie);
  EXPECT_TRUE(cookie->has_expires);
  EXPECT_EQ(cookie->expires, kNow + 60 * 1000000LL);
}

TEST(SetCookie, ReadsExpiresAndIgnoresBadAttributes) {
  auto cookie = Parse("a=1; Expires=Wed, 21 Oct 2037 07:28:00 GMT; Max-Age=soon");
  ASSERT_TRUE(cookie);
  EXPECT_EQ(cookie->expires, UtcSeconds(2037, 10, 21, 7, 28, 0) * 1000000);
  auto no_date = Parse("a=1; Expires=someday");
  ASSERT_TRUE(no_date);
  EXPECT_FALSE(no_date->has_expires);
}

TEST(SetCookie, PastExpiryGivesAnExpiredCookie) {
  for (const char* header : {"a=1; Max-Age=0", "a=1; Max-Age=-5"}) {
    auto by_age = Parse(header);
    ASSERT_TRUE(by_age);
    EXPECT_TRUE(by_age->has_expires) << header;
    EXPECT_EQ(by_age->expires, 0) << header;  // expired at once, not "now"
  }
  auto by_date = Parse("a=1; Expires=Thu, 01 Jan 1990 00:00:00 GMT");
  ASSERT_TRUE(by_date);
  EXPECT_TRUE(by_date->IsExpiredAt(kNow));
}

TEST(SetCookie, AcceptsTheHostsOwnDomainsOnly) {
  auto parent = Parse("a=1; Domain=.Example.com");
  ASSERT_TRUE(parent);
  EXPECT_EQ(parent->domain, ".example.com");
  auto self = Parse("a=1; domain=www.example.com");
  ASSERT_TRUE(self);
  EXPECT_EQ(self->domain, ".www.example.com");
  EXPECT_FALSE(Parse("a=1; Domain=other.com"));
  EXPECT_FALSE(Parse("a=1; Domain=sub.www.example.com"));
  EXPECT_FALSE(Parse("a=1; Domain=com"));
}

TEST(SetCookie, AddressesAndSingleLabelHostsGetHostCookies) {
  auto ip = Parse("a=1; Domain=127.0.0.1", "http://127.0.0.1:8080/");
  ASSERT_TRUE(ip);
  EXPECT_EQ(ip->domain, "127.0.0.1");
  auto local = Parse("a=1; Domain=localhost", "http://localhost/");
  ASSERT_TRUE(local);
  EXPECT_EQ(local->domain, "localhost");
}

TEST(SetCookie, UsesThePathAttributeOnlyWhenItIsAbsolute) {
  EXPECT_EQ(Parse("a=1; Path=/other")->path, "/other");
  EXPECT_EQ(Parse("a=1; Path=relative")->path, "/dir");
  EXPECT_EQ(Parse("a=1; Path=")->path, "/dir");
}

}  // namespace
}  // namespace standin::cookies
