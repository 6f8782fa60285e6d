#include "html_entities.h"
#include "html_text.h"
#include "meta_refresh.h"

#include <gtest/gtest.h>

namespace standin::page {
namespace {

using TParagraphs = std::vector<std::wstring>;

TEST(HtmlEntities, DecodesNamedAndNumericReferences) {
  EXPECT_EQ(DecodeEntities(L"a &amp; b &lt;c&gt; &quot;d&quot; &#39;e&#39;"), L"a & b <c> \"d\" 'e'");
  EXPECT_EQ(DecodeEntities(L"x&nbsp;y"), L"x\u00A0y");
  EXPECT_EQ(DecodeEntities(L"&#65;&#x42;&#X43;&#68"), L"ABCD");
  EXPECT_EQ(DecodeEntities(L"&#x1F600;"), L"\U0001F600");
}

TEST(HtmlEntities, LeavesUnknownAndBrokenReferencesAlone) {
  EXPECT_EQ(DecodeEntities(L"&bogus; & &amp &#; &#x;"), L"&bogus; & &amp &#; &#x;");
  EXPECT_EQ(DecodeEntities(L"&#0;&#xD800;&#99999999;"), L"\uFFFD\uFFFD\uFFFD");
}

TEST(HtmlText, TakesTheTitleAndTheTextOfTheBody) {
  TPageText page = ExtractPageText(
      L"<!DOCTYPE html><html><head><title> My  &amp; Page </title>"
      L"<style>p { color: red }</style><script>var x = '<p>no</p>';</script></head>"
      L"<body><h1>Head line</h1><p>First <b>bold</b>\n   text.</p><!-- <p>hidden</p> -->"
      L"<div>Second<br>Third</div></body></html>");
  EXPECT_EQ(page.title, L"My & Page");
  EXPECT_EQ(page.paragraphs, (TParagraphs{L"Head line", L"First bold text.", L"Second", L"Third"}));
  EXPECT_FALSE(page.refresh);
}

TEST(HtmlText, KeepsStrayLessThanSignsAndUsesTheFirstTitle) {
  TPageText page = ExtractPageText(L"<title>One</title><title>Two</title>a < b and 3<4 <  >");
  EXPECT_EQ(page.title, L"One");
  EXPECT_EQ(page.paragraphs, (TParagraphs{L"a < b and 3<4 < >"}));
}

TEST(HtmlText, SurvivesUnterminatedConstructs) {
  EXPECT_EQ(ExtractPageText(L"text<script>never closed").paragraphs, (TParagraphs{L"text"}));
  EXPECT_EQ(ExtractPageText(L"<title>open").title, L"open");
  EXPECT_EQ(ExtractPageText(L"a<!-- open").paragraphs, (TParagraphs{L"a"}));
  EXPECT_EQ(ExtractPageText(L"a<p class=\"x").paragraphs, (TParagraphs{L"a"}));
  EXPECT_TRUE(ExtractPageText(L"").paragraphs.empty());
}

TEST(HtmlText, SeparatesTableCellsAndShowsImageText) {
  TPageText page = ExtractPageText(L"<table><tr><td>a</td><td>b</td></tr><tr><td>c</td></tr></table><img alt=\"logo\">");
  EXPECT_EQ(page.paragraphs, (TParagraphs{L"a b", L"c", L"logo"}));
}

TEST(HtmlText, FindsTheMetaRefresh) {
  TPageText page = ExtractPageText(
      L"<meta charset=utf-8><META HTTP-EQUIV='Refresh' CONTENT=\"3; URL=next.html?a=1&amp;b=2\"><p>x");
  ASSERT_TRUE(page.refresh);
  EXPECT_EQ(page.refresh->seconds, 3);
  EXPECT_EQ(page.refresh->url, L"next.html?a=1&b=2");
}

TEST(MetaRefresh, ReadsTheCommonSpellings) {
  auto plain = ParseRefreshContent(L"0;url=http://h/x");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->seconds, 0);
  EXPECT_EQ(plain->url, L"http://h/x");
  auto spaced = ParseRefreshContent(L"  1.5 , Url = 'quoted.html' ");
  ASSERT_TRUE(spaced);
  EXPECT_DOUBLE_EQ(spaced->seconds, 1.5);
  EXPECT_EQ(spaced->url, L"quoted.html");
  auto bare = ParseRefreshContent(L"5; other.html");
  ASSERT_TRUE(bare);
  EXPECT_EQ(bare->url, L"other.html");
  auto reload = ParseRefreshContent(L"10");
  ASSERT_TRUE(reload);
  EXPECT_EQ(reload->url, L"");
}

TEST(MetaRefresh, RejectsContentWithoutADelay) {
  EXPECT_FALSE(ParseRefreshContent(L""));
  EXPECT_FALSE(ParseRefreshContent(L"url=x"));
  EXPECT_FALSE(ParseRefreshContent(L"-1; url=x"));
  EXPECT_FALSE(ParseRefreshContent(L"5x; url=x"));
}

TEST(PlainText, MakesOneParagraphPerNonEmptyLine) {
  EXPECT_EQ(PlainTextParagraphs(L"one\r\n\r\n  two   words \nthree"), (TParagraphs{L"one", L"two words", L"three"}));
}

}  // namespace
}  // namespace standin::page
