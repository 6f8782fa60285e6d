#include "http_message.h"

#include <gtest/gtest.h>

namespace standin::net {
namespace {

TEST(ResponseHead, ReadsStatusAndHeaders) {
  THttpResponseHead head;
  ASSERT_TRUE(ParseResponseHead("HTTP/1.1 302 Found It\r\nLocation: /x\r\nset-cookie: a=1\r\nSet-Cookie: b=2", head));
  EXPECT_EQ(head.status, 302);
  EXPECT_EQ(head.status_text, "Found It");
  EXPECT_EQ(head.Find("location"), "/x");
  EXPECT_EQ(head.FindAll("Set-Cookie"), (std::vector<std::string>{"a=1", "b=2"}));
  EXPECT_FALSE(head.Find("Content-Length"));
}

TEST(ResponseHead, JoinsFoldedLinesAndAcceptsBareLineFeeds) {
  THttpResponseHead head;
  ASSERT_TRUE(ParseResponseHead("HTTP/1.0 200\nX-Long: one\n  two\n", head));
  EXPECT_EQ(head.status, 200);
  EXPECT_EQ(head.status_text, "");
  EXPECT_EQ(head.Find("X-Long"), "one two");
}

TEST(ResponseHead, RejectsMalformedHeads) {
  THttpResponseHead head;
  EXPECT_FALSE(ParseResponseHead("ICY 200 OK", head));
  EXPECT_FALSE(ParseResponseHead("HTTP/1.1 2x0 OK", head));
  EXPECT_FALSE(ParseResponseHead("HTTP/1.1 2000", head));
  EXPECT_FALSE(ParseResponseHead("HTTP/1.1 200 OK\r\nno colon here", head));
  EXPECT_FALSE(ParseResponseHead("HTTP/1.1 200 OK\r\n folded first", head));
}

TEST(ChunkedDecoder, DecodesWhenFedOneByteAtATime) {
  std::string wire = "5;ext=1\r\nhello\r\n1A\r\n abcdefghijklmnopqrstuvwxy\r\n0\r\nTrailer: x\r\n\r\n";
  TChunkedDecoder decoder;
  std::string body;
  for (char c : wire) ASSERT_TRUE(decoder.Feed(std::string_view(&c, 1), body));
  EXPECT_TRUE(decoder.Done());
  EXPECT_EQ(body, "hello abcdefghijklmnopqrstuvwxy");
}

TEST(ChunkedDecoder, DecodesInOnePieceAndIgnoresWhatFollows) {
  TChunkedDecoder decoder;
  std::string body;
  ASSERT_TRUE(decoder.Feed("3\r\nabc\r\n0\r\n\r\nGARBAGE", body));
  EXPECT_TRUE(decoder.Done());
  EXPECT_EQ(body, "abc");
}

TEST(ChunkedDecoder, IsNotDoneBeforeTheLastChunk) {
  TChunkedDecoder decoder;
  std::string body;
  ASSERT_TRUE(decoder.Feed("3\r\nabc\r\n", body));
  EXPECT_FALSE(decoder.Done());
}

TEST(ChunkedDecoder, RejectsMalformedCoding) {
  for (std::string_view wire : {"x\r\n", "\r\n", "3\r\nabcd\r\n", "3\rxabc", "1234567890123456\r\n"}) {
    TChunkedDecoder decoder;
    std::string body;
    EXPECT_FALSE(decoder.Feed(wire, body)) << wire;
  }
}

}  // namespace
}  // namespace standin::net
