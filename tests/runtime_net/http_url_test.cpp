#include "http_url.h"

#include <gtest/gtest.h>

namespace standin::net {
namespace {

TEST(HttpUrl, SplitsHostPortAndTarget) {
  auto url = ParseHttpUrl("HTTP://Example.COM:8080/a/b?x=1#frag");
  ASSERT_TRUE(url);
  EXPECT_EQ(url->scheme, "http");
  EXPECT_EQ(url->host, "example.com");
  EXPECT_EQ(url->port, 8080);
  EXPECT_EQ(url->target, "/a/b?x=1");
  EXPECT_EQ(url->HostHeader(), "example.com:8080");
}

TEST(HttpUrl, DefaultsPortAndTarget) {
  auto url = ParseHttpUrl("http://127.0.0.1");
  ASSERT_TRUE(url);
  EXPECT_EQ(url->port, 80);
  EXPECT_EQ(url->target, "/");
  EXPECT_EQ(url->HostHeader(), "127.0.0.1");
  auto query_only = ParseHttpUrl("http://h?q");
  ASSERT_TRUE(query_only);
  EXPECT_EQ(query_only->target, "/?q");
  auto secure = ParseHttpUrl("https://h/");
  ASSERT_TRUE(secure);
  EXPECT_EQ(secure->port, 443);
}

TEST(HttpUrl, ReadsIpv6LiteralsAndDropsUserInfo) {
  auto url = ParseHttpUrl("http://user:pw@[::1]:81/x");
  ASSERT_TRUE(url);
  EXPECT_EQ(url->host, "::1");
  EXPECT_EQ(url->port, 81);
  EXPECT_EQ(url->HostHeader(), "[::1]:81");
}

TEST(HttpUrl, TakesPortsUpTo65535) {
  auto top = ParseHttpUrl("http://h:65535/");
  ASSERT_TRUE(top);
  EXPECT_EQ(top->port, 65535);
  auto first = ParseHttpUrl("http://h:1/");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->port, 1);
}

TEST(HttpUrl, RejectsOtherSchemesAndBadPorts) {
  EXPECT_FALSE(ParseHttpUrl("ftp://h/"));
  EXPECT_FALSE(ParseHttpUrl("local://c/x"));
  EXPECT_FALSE(ParseHttpUrl("http:/h"));
  EXPECT_FALSE(ParseHttpUrl("http:///path"));
  EXPECT_FALSE(ParseHttpUrl("http://h:0/"));
  EXPECT_FALSE(ParseHttpUrl("http://h:65536/"));
  EXPECT_FALSE(ParseHttpUrl("http://h:99999/"));
  EXPECT_FALSE(ParseHttpUrl("http://h:8a/"));
  EXPECT_FALSE(ParseHttpUrl("http://[::1/"));
}

TEST(HttpUrl, EscapesSpacesInTheTarget) {
  auto url = ParseHttpUrl("http://h/a b");
  ASSERT_TRUE(url);
  EXPECT_EQ(url->target, "/a%20b");
}

TEST(ResolveReference, KeepsAbsoluteAndSchemeRelativeReferences) {
  EXPECT_EQ(ResolveReference("http://a/b/c", "http://x/y"), "http://x/y");
  EXPECT_EQ(ResolveReference("http://a/b/c", "//x/y"), "http://x/y");
}

TEST(ResolveReference, ResolvesPathsAgainstTheBase) {
  EXPECT_EQ(ResolveReference("http://a:81/b/c?q#f", "/d"), "http://a:81/d");
  EXPECT_EQ(ResolveReference("http://a/b/c", "d"), "http://a/b/d");
  EXPECT_EQ(ResolveReference("http://a/b/c/", "d?x"), "http://a/b/c/d?x");
  EXPECT_EQ(ResolveReference("http://a/b/c/d", "../e"), "http://a/b/e");
  EXPECT_EQ(ResolveReference("http://a/b/c/d", "./"), "http://a/b/c/");
  EXPECT_EQ(ResolveReference("http://a/b", "../../../x"), "http://a/x");
  EXPECT_EQ(ResolveReference("http://a", "x"), "http://a/x");
}

TEST(ResolveReference, ResolvesQueryAndFragmentOnlyReferences) {
  EXPECT_EQ(ResolveReference("http://a/b?old#f", "?new"), "http://a/b?new");
  EXPECT_EQ(ResolveReference("http://a/b?q#old", "#new"), "http://a/b?q#new");
  EXPECT_EQ(ResolveReference("http://a/b?q#f", ""), "http://a/b?q");
}

TEST(ResolveReference, GivesNothingForARelativeBase) { EXPECT_EQ(ResolveReference("a/b", "c"), ""); }

}  // namespace
}  // namespace standin::net
