#include "cookie_store.h"

#include <gtest/gtest.h>

namespace standin::cookies {
namespace {

constexpr int64_t kSecond = 1000000;
constexpr int64_t kNow = 1700000000LL * kSecond;

TCookie Make(std::string name, std::string value, std::string domain = {}, std::string path = {}) {
  TCookie cookie;
  cookie.name = std::move(name);
  cookie.value = std::move(value);
  cookie.domain = std::move(domain);
  cookie.path = std::move(path);
  return cookie;
}

std::vector<std::string> Names(const std::vector<TCookie>& cookies) {
  std::vector<std::string> names;
  for (const TCookie& c : cookies) names.push_back(c.name);
  return names;
}

TEST(CookieStore, SendsMatchingCookiesMostSpecificPathFirst) {
  TCookieStore store;
  ASSERT_TRUE(store.SetFromHeader("http://www.example.com/", "root=1; Path=/", kNow));
  ASSERT_TRUE(store.SetFromHeader("http://www.example.com/", "deep=2; Path=/a/b", kNow + 1));
  ASSERT_TRUE(store.SetFromHeader("http://www.example.com/", "mid=3; Path=/a; Domain=example.com", kNow + 2));
  ASSERT_TRUE(store.SetFromHeader("http://www.example.com/", "other=4; Path=/z", kNow + 3));
  EXPECT_EQ(store.CookieHeader("http://www.example.com/a/b/c", kNow + 4), "deep=2; mid=3; root=1");
  EXPECT_EQ(store.CookieHeader("http://example.com/a", kNow + 4), "mid=3");
  EXPECT_EQ(store.CookieHeader("http://elsewhere.com/", kNow + 4), "");
}

TEST(CookieStore, ReplacesACookieOfTheSameNameDomainAndPathKeepingItsCreation) {
  TCookieStore store;
  store.SetFromHeader("http://h.test/", "a=1", kNow);
  store.SetFromHeader("http://h.test/", "a=2", kNow + kSecond);
  auto all = store.AllCookies(kNow + 2 * kSecond);
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].value, "2");
  EXPECT_EQ(all[0].creation, kNow);
}

TEST(CookieStore, ReplacingAllKeepsTheCreationOfCookiesItHeldAndDropsTheRest) {
  TCookieStore store;
  store.SetFromHeader("http://h.test/", "kept=1", kNow);
  store.SetFromHeader("http://h.test/", "gone=1", kNow);
  TCookie kept = Make("kept", "2", "h.test", "/");
  TCookie added = Make("added", "3", ".h.test", "/");
  store.ReplaceAll({kept, added}, kNow + kSecond);
  auto all = store.AllCookies(kNow + 2 * kSecond);
  ASSERT_EQ(Names(all), (std::vector<std::string>{"kept", "added"}));
  EXPECT_EQ(all[0].creation, kNow);
  EXPECT_EQ(all[0].value, "2");
  EXPECT_EQ(all[1].creation, kNow + kSecond);
}

TEST(CookieStore, AnExpiredCookieDeletesTheOneItReplaces) {
  TCookieStore store;
  store.SetFromHeader("http://h.test/", "a=1", kNow);
  store.SetFromHeader("http://h.test/", "a=; Max-Age=0", kNow + 1);
  EXPECT_EQ(store.Count(), 0u);
}

TEST(CookieStore, ForgetsCookiesOnceTheyExpire) {
  TCookieStore store;
  store.SetFromHeader("http://h.test/", "short=1; Max-Age=10", kNow);
  store.SetFromHeader("http://h.test/", "session=1", kNow);
  EXPECT_EQ(store.AllCookies(kNow + 9 * kSecond).size(), 2u);
  EXPECT_EQ(Names(store.AllCookies(kNow + 10 * kSecond)), (std::vector<std::string>{"session"}));
}

TEST(CookieStore, HidesHttpOnlyCookiesWhenAsked) {
  TCookieStore store;
  store.SetFromHeader("http://h.test/", "plain=1", kNow);
  store.SetFromHeader("http://h.test/", "hidden=1; HttpOnly", kNow);
  EXPECT_EQ(store.UrlCookies("http://h.test/", false, kNow).size(), 1u);
  EXPECT_EQ(store.UrlCookies("http://h.test/", true, kNow).size(), 2u);
}

TEST(CookieStore, CarriesCookiesOnlyForSupportedSchemes) {
  TCookieStore store;
  EXPECT_FALSE(store.SetFromHeader("local://c/x", "a=1", kNow));
  store.SetSupportedSchemes({"LOCAL"});
  EXPECT_TRUE(store.SetFromHeader("local://c/x", "a=1", kNow));
  EXPECT_TRUE(store.SetFromHeader("https://h.test/", "b=1", kNow));
  EXPECT_EQ(store.Count(), 2u);
}

TEST(CookieStore, SetCookieFillsDomainAndPathFromTheAddress) {
  TCookieStore store;
  TCookie host = Make("h", "1");
  host.creation = 5;
  ASSERT_TRUE(store.SetCookie("http://www.example.com/a/b", host, kNow));
  TCookie domain = Make("d", "1", "example.com", "/");
  ASSERT_TRUE(store.SetCookie("http://www.example.com/", domain, kNow));
  TCookie foreign = Make("f", "1", "other.com");
  EXPECT_FALSE(store.SetCookie("http://www.example.com/", foreign, kNow));
  TCookie bad = Make("x;y", "1");
  EXPECT_FALSE(store.SetCookie("http://www.example.com/", bad, kNow));
  EXPECT_FALSE(store.SetCookie("not an address", host, kNow));
  auto all = store.AllCookies(kNow);
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].domain, ".example.com");
  EXPECT_EQ(all[1].domain, "www.example.com");
  EXPECT_EQ(all[1].path, "/a");
  EXPECT_EQ(all[1].creation, kNow);
}

TEST(CookieStore, DeletesByAddressAndName) {
  TCookieStore store;
  store.SetFromHeader("http://www.example.com/", "a=1; Path=/x", kNow);
  store.SetFromHeader("http://www.example.com/", "b=1", kNow);
  store.SetFromHeader("http://www.example.com/", "a=2; Domain=example.com", kNow);
  store.SetFromHeader("http://other.com/", "a=3", kNow);
  EXPECT_EQ(store.DeleteCookies("http://www.example.com/x", "a"), 2);
  EXPECT_EQ(Names(store.AllCookies(kNow)), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(store.DeleteCookies("http://www.example.com/", ""), 1);
  EXPECT_EQ(store.DeleteCookies("::bad::", ""), -1);
  EXPECT_EQ(store.DeleteCookies("", ""), 1);
  EXPECT_EQ(store.Count(), 0u);
}

TEST(CookieStore, DeletesOneCookieExactly) {
  TCookieStore store;
  store.SetFromHeader("http://h.test/", "a=1; Path=/p", kNow);
  store.SetFromHeader("http://h.test/", "a=1; Path=/q", kNow);
  auto all = store.AllCookies(kNow);
  ASSERT_TRUE(store.DeleteExact(all[0]));
  EXPECT_FALSE(store.DeleteExact(all[0]));
  EXPECT_EQ(store.Count(), 1u);
}

TEST(CookieStore, KeepsABoundedNumberOfCookiesDroppingTheLeastRecentlyUsed) {
  TCookieStore store;
  for (size_t i = 0; i <= TCookieStore::kMaxCookies; ++i)
    store.SetFromHeader("http://h.test/", "c" + std::to_string(i) + "=1", kNow + static_cast<int64_t>(i));
  EXPECT_EQ(store.Count(), TCookieStore::kMaxCookies);
  EXPECT_EQ(store.UrlCookies("http://h.test/", true, kNow + 10000).front().name, "c1");
}

}  // namespace
}  // namespace standin::cookies
