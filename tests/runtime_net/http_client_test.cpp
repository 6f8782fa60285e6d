#include "http_client.h"

#include "loopback_server.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace standin::net {
namespace {

using kelpa::test::TLoopbackServer;
using kelpa::test::TServedRequest;
using kelpa::test::TServerReply;

THttpResult Get(const std::string& url) {
  THttpRequest request;
  request.url = url;
  request.connect_timeout_ms = 5000;
  request.read_timeout_ms = 5000;
  return HttpGet(request, nullptr);
}

TEST(HttpClient, ReadsAContentLengthBody) {
  TLoopbackServer server([](const TServedRequest&) { return TServerReply::Html(200, "<p>hello</p>"); });
  THttpResult result = Get(server.Url("/page?x=1"));
  ASSERT_EQ(result.error, TNetError::None) << NetErrorName(result.error);
  EXPECT_EQ(result.head.status, 200);
  EXPECT_EQ(result.body, "<p>hello</p>");
  EXPECT_EQ(result.final_url, server.Url("/page?x=1"));
  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].method, "GET");
  EXPECT_EQ(requests[0].target, "/page?x=1");
  EXPECT_EQ(requests[0].Header("Host"), "127.0.0.1:" + std::to_string(server.Port()));
}

TEST(HttpClient, ReadsChunkedAndReadToCloseBodies) {
  TLoopbackServer server([](const TServedRequest& request) {
    TServerReply reply;
    if (request.target == "/chunked") {
      reply.raw = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n4\r\nWiki\r\n6\r\npedia \r\n0\r\n\r\n";
    } else {
      reply.raw = "HTTP/1.0 404 Not Found\r\n\r\nno length here";
    }
    return reply;
  });
  THttpResult chunked = Get(server.Url("/chunked"));
  ASSERT_EQ(chunked.error, TNetError::None) << NetErrorName(chunked.error);
  EXPECT_EQ(chunked.body, "Wikipedia ");
  THttpResult to_close = Get(server.Url("/close"));
  ASSERT_EQ(to_close.error, TNetError::None) << NetErrorName(to_close.error);
  EXPECT_EQ(to_close.head.status, 404);
  EXPECT_EQ(to_close.body, "no length here");
}

TEST(HttpClient, FollowsEveryRedirectKindAndReportsTheFinalAddress) {
  TLoopbackServer server([](const TServedRequest& request) {
    if (request.target == "/301") return TServerReply::Redirect(301, "/302");
    if (request.target == "/302") return TServerReply::Redirect(302, "303");
    if (request.target == "/303") return TServerReply::Redirect(303, "/dir/307");
    if (request.target == "/dir/307") return TServerReply::Redirect(307, "../308?q=1");
    if (request.target == "/308?q=1") return TServerReply::Redirect(308, "/final");
    return TServerReply::Html(200, "done");
  });
  THttpResult result = Get(server.Url("/301"));
  ASSERT_EQ(result.error, TNetError::None) << NetErrorName(result.error);
  EXPECT_EQ(result.redirects, 5);
  EXPECT_EQ(result.final_url, server.Url("/final"));
  EXPECT_EQ(result.body, "done");
}

TEST(HttpClient, GivesUpOnEndlessRedirects) {
  TLoopbackServer server([](const TServedRequest&) { return TServerReply::Redirect(302, "/again"); });
  THttpRequest request;
  request.url = server.Url("/");
  request.max_redirects = 3;
  THttpResult result = HttpGet(request, nullptr);
  EXPECT_EQ(result.error, TNetError::TooManyRedirects);
  EXPECT_EQ(server.Requests().size(), 4u);
}

TEST(HttpClient, LetsTheCallerRedirectElsewhere) {
  TLoopbackServer server([](const TServedRequest& request) {
    if (request.target == "/start") return TServerReply::Redirect(302, "/planned");
    return TServerReply::Html(200, request.target);
  });
  THttpRequest request;
  request.url = server.Url("/start");
  std::string seen_from, seen_to;
  request.on_redirect = [&](const std::string& from, std::string& to) {
    seen_from = from;
    seen_to = to;
    to = server.Url("/chosen");
  };
  THttpResult result = HttpGet(request, nullptr);
  ASSERT_EQ(result.error, TNetError::None);
  EXPECT_EQ(seen_from, server.Url("/start"));
  EXPECT_EQ(seen_to, server.Url("/planned"));
  EXPECT_EQ(result.body, "/chosen");
  EXPECT_EQ(result.final_url, server.Url("/chosen"));
}

TEST(HttpClient, SendsCookiesAndPassesOnEverySetCookieOfEveryHop) {
  TLoopbackServer server([](const TServedRequest& request) {
    if (request.target == "/login") return TServerReply::Redirect(302, "/home", "Set-Cookie: session=abc; Path=/\r\n");
    return TServerReply::Html(200, "cookie:" + request.Header("Cookie"), "Set-Cookie: seen=1\r\nSet-Cookie: more=2\r\n");
  });
  THttpRequest request;
  request.url = server.Url("/login");
  std::vector<std::pair<std::string, std::string>> stored;
  std::vector<std::string> asked;
  request.cookie_header_for = [&](const std::string& url) {
    asked.push_back(url);
    return stored.empty() ? std::string() : std::string("session=abc");
  };
  request.store_cookie = [&](const std::string& url, const std::string& cookie) { stored.emplace_back(url, cookie); };
  THttpResult result = HttpGet(request, nullptr);
  ASSERT_EQ(result.error, TNetError::None);
  EXPECT_EQ(result.body, "cookie:session=abc");
  EXPECT_EQ(asked, (std::vector<std::string>{server.Url("/login"), server.Url("/home")}));
  ASSERT_EQ(stored.size(), 3u);
  EXPECT_EQ(stored[0], std::make_pair(server.Url("/login"), std::string("session=abc; Path=/")));
  EXPECT_EQ(stored[2].second, "more=2");
  EXPECT_EQ(server.Requests()[0].Header("Cookie"), "");
}

TEST(HttpClient, ReportsARefusedConnection) {
  uint16_t port;
  {
    TLoopbackServer closed([](const TServedRequest&) { return TServerReply(); });
    port = closed.Port();
  }
  THttpResult result = Get("http://127.0.0.1:" + std::to_string(port) + "/");
  EXPECT_EQ(result.error, TNetError::ConnectionRefused) << NetErrorName(result.error);
}

TEST(HttpClient, TimesOutOnASilentServer) {
  TLoopbackServer server([](const TServedRequest&) {
    TServerReply reply;
    reply.send_nothing = true;
    return reply;
  });
  THttpRequest request;
  request.url = server.Url("/");
  request.read_timeout_ms = 300;
  THttpResult result = HttpGet(request, nullptr);
  EXPECT_EQ(result.error, TNetError::TimedOut) << NetErrorName(result.error);
}

TEST(HttpClient, StopsWhenCancelledFromAnotherThread) {
  TLoopbackServer server([](const TServedRequest&) {
    TServerReply reply;
    reply.send_nothing = true;
    return reply;
  });
  TCancelFlag cancel;
  THttpResult result;
  std::thread transfer([&] {
    THttpRequest request;
    request.url = server.Url("/");
    result = HttpGet(request, &cancel);
  });
  while (server.Requests().empty()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  cancel.Cancel();
  transfer.join();
  EXPECT_EQ(result.error, TNetError::Aborted) << NetErrorName(result.error);
}

TEST(HttpClient, ReportsBrokenResponses) {
  TLoopbackServer server([](const TServedRequest& request) {
    TServerReply reply;
    if (request.target == "/short") reply.raw = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nonly this";
    if (request.target == "/garbage") reply.raw = "SMTP ready\r\n\r\n";
    if (request.target == "/chunks") reply.raw = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n";
    return reply;  // "/empty": closed without a byte
  });
  EXPECT_EQ(Get(server.Url("/short")).error, TNetError::ConnectionClosed);
  EXPECT_EQ(Get(server.Url("/garbage")).error, TNetError::InvalidResponse);
  EXPECT_EQ(Get(server.Url("/chunks")).error, TNetError::InvalidChunkedEncoding);
  EXPECT_EQ(Get(server.Url("/empty")).error, TNetError::EmptyResponse);
}

TEST(HttpClient, RefusesAddressesItCannotFetch) {
  EXPECT_EQ(Get("https://127.0.0.1:1/").error, TNetError::NotImplemented);
  EXPECT_EQ(Get("not a url").error, TNetError::InvalidUrl);
}

}  // namespace
}  // namespace standin::net
