#include "cookie_file.h"
#include "cookie_store.h"

#include "test_paths.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <cstdio>
#include <random>

namespace standin::cookies {
namespace {

using kelpa::test::MakeTempDir;
using kelpa::test::RemoveTree;

class CookiePersistence : public ::testing::Test {
 protected:
  void SetUp() override { FDir = MakeTempDir(L"cookies-"); }
  void TearDown() override { RemoveTree(FDir); }
  std::wstring File() const { return (std::filesystem::path(FDir) / TCookieStore::kFileName).wstring(); }
  void WriteFileBytes(const std::string& bytes) {
    std::ofstream out(std::filesystem::path(File()), std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  std::wstring FDir;
};

std::vector<TCookie> SampleCookies() {
  std::vector<TCookie> cookies;
  cookies.push_back({"a", "plain", "h.test", "/", false, false, true, 4102444800000000LL, 1, 2, "", "", ""});
  cookies.push_back({"tab\tname", "line\nbreak%25;", ".example.com", "/p q", true, true, false, 0, 3, 4, "Lax", "High",
                     "{\"hasCrossSiteAncestor\":false,\"topLevelSite\":\"https://top.test\"}"});
  cookies.push_back({"", "nameless", "127.0.0.1", "/x", false, true, true, 4102444800000001LL, 5, 6, "None", "Low", ""});
  return cookies;
}

TEST(CookieFile, RoundTripsEveryField) {
  auto cookies = SampleCookies();
  auto parsed = ParseCookieFile(SerializeCookies(cookies));
  ASSERT_TRUE(parsed);
  ASSERT_EQ(parsed->size(), cookies.size());
  for (size_t i = 0; i < cookies.size(); ++i) {
    const TCookie& a = cookies[i];
    const TCookie& b = (*parsed)[i];
    EXPECT_EQ(std::tie(a.name, a.value, a.domain, a.path, a.secure, a.httponly, a.has_expires, a.expires, a.creation,
                       a.last_access, a.same_site, a.priority, a.partition_key),
              std::tie(b.name, b.value, b.domain, b.path, b.secure, b.httponly, b.has_expires, b.expires, b.creation,
                       b.last_access, b.same_site, b.priority, b.partition_key));
  }
  EXPECT_TRUE(ParseCookieFile(SerializeCookies({})));
}

TEST(CookieFile, LoadsTheFirstVersionsFilesOfTenFields) {
  std::string body = "standin-cookie-store 1\na\tplain\th.test\t/\t0\t1\t1\t4102444800000000\t1\t2\n";
  uint64_t hash = 0xcbf29ce484222325ull;
  for (char c : body) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
  char trailer[64];
  std::snprintf(trailer, sizeof trailer, "end 1 %016llx\n", static_cast<unsigned long long>(hash));
  auto parsed = ParseCookieFile(body + trailer);
  ASSERT_TRUE(parsed);
  ASSERT_EQ(parsed->size(), 1u);
  EXPECT_EQ((*parsed)[0].value, "plain");
  EXPECT_TRUE((*parsed)[0].httponly);
  EXPECT_EQ((*parsed)[0].same_site, "");
}

TEST(CookieFile, RejectsEveryTruncationAndEverySingleByteChange) {
  std::string text = SerializeCookies(SampleCookies());
  for (size_t length = 0; length < text.size(); ++length)
    EXPECT_FALSE(ParseCookieFile(std::string_view(text).substr(0, length))) << "length " << length;
  std::mt19937 random(1234);
  for (int round = 0; round < 2000; ++round) {
    std::string damaged = text;
    size_t at = random() % damaged.size();
    char replacement = static_cast<char>(random() % 256);
    if (replacement == damaged[at]) continue;
    damaged[at] = replacement;
    EXPECT_FALSE(ParseCookieFile(damaged)) << "byte " << at;
  }
}

TEST(CookieFile, SurvivesRandomGarbage) {
  std::mt19937 random(99);
  std::string valid = SerializeCookies(SampleCookies());
  for (int round = 0; round < 3000; ++round) {
    std::string garbage;
    size_t length = random() % 400;
    // Half the inputs start like a real file so that the parser gets past the header.
    if (round % 2 == 0) garbage = valid.substr(0, random() % valid.size());
    for (size_t i = 0; i < length; ++i) garbage += static_cast<char>(random() % 256);
    EXPECT_FALSE(ParseCookieFile(garbage)) << round;
  }
}

TEST_F(CookiePersistence, FlushedCookiesComeBackInANewStore) {
  {
    TCookieStore store;
    store.SetStoragePath(FDir, false);
    store.SetFromHeader("http://h.test/", "kept=1; Max-Age=3600");
    store.SetFromHeader("http://h.test/", "session=1");
    TFlushResult flushed = store.Flush();
    EXPECT_TRUE(flushed.written);
    EXPECT_EQ(flushed.count, 1u);
  }
  EXPECT_FALSE(std::filesystem::exists(File() + L".tmp"));
  TCookieStore reopened;
  TStorageOpenResult opened = reopened.SetStoragePath(FDir, false);
  EXPECT_TRUE(opened.file_found);
  EXPECT_EQ(opened.loaded, 1u);
  EXPECT_EQ(reopened.CookieHeader("http://h.test/"), "kept=1");
}

TEST_F(CookiePersistence, SessionCookiesPersistOnlyWithTheFlag) {
  {
    TCookieStore store;
    store.SetStoragePath(FDir, true);
    store.SetFromHeader("http://h.test/", "session=1");
    EXPECT_EQ(store.Flush().count, 1u);
  }
  {
    TCookieStore with_flag;
    EXPECT_EQ(with_flag.SetStoragePath(FDir, true).loaded, 1u);
  }
  TCookieStore without_flag;
  EXPECT_EQ(without_flag.SetStoragePath(FDir, false).loaded, 0u);
}

TEST_F(CookiePersistence, ADamagedFileIsIgnoredAndKeptAside) {
  std::string text;
  {
    TCookieStore store;
    store.SetStoragePath(FDir, true);
    store.SetFromHeader("http://h.test/", "a=1");
    store.Flush();
    text = *ReadWholeFile(File());
  }
  WriteFileBytes(text.substr(0, text.size() / 2));
  std::ofstream(std::filesystem::path(FDir) / L"neighbour.txt") << "untouched";
  TCookieStore store;
  TStorageOpenResult opened = store.SetStoragePath(FDir, true);
  EXPECT_TRUE(opened.file_rejected);
  EXPECT_EQ(store.Count(), 0u);
  EXPECT_TRUE(std::filesystem::exists(File() + L".bad"));
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(FDir) / L"neighbour.txt"));
  store.SetFromHeader("http://h.test/", "b=1");
  EXPECT_TRUE(store.Flush().written);
  TCookieStore again;
  EXPECT_EQ(again.SetStoragePath(FDir, true).loaded, 1u);
}

TEST_F(CookiePersistence, RandomStoreFilesNeverBreakTheStore) {
  std::mt19937 random(7);
  std::string valid;
  {
    TCookieStore store;
    store.SetStoragePath(FDir, true);
    for (int i = 0; i < 20; ++i) store.SetFromHeader("http://h.test/", "c" + std::to_string(i) + "=v");
    store.Flush();
    valid = *ReadWholeFile(File());
  }
  for (int round = 0; round < 300; ++round) {
    std::string bytes = valid.substr(0, random() % (valid.size() + 1));
    if (round % 3 == 0) {
      for (int i = 0; i < 5 && !bytes.empty(); ++i) bytes[random() % bytes.size()] = static_cast<char>(random());
    }
    WriteFileBytes(bytes);
    TCookieStore store;
    TStorageOpenResult opened = store.SetStoragePath(FDir, true);
    EXPECT_TRUE(opened.loaded == 0 || opened.loaded == 20) << round;
    EXPECT_EQ(opened.loaded == 0, opened.file_rejected) << round;
  }
}

TEST_F(CookiePersistence, SwitchingFoldersWritesTheOldStoreAndStartsFromTheNew) {
  std::wstring second = FDir + L"\\second";
  TCookieStore store;
  store.SetStoragePath(FDir, true);
  store.SetFromHeader("http://h.test/", "first=1");
  EXPECT_TRUE(store.SetStoragePath(FDir, true).same_folder);
  EXPECT_EQ(store.Count(), 1u);
  store.SetStoragePath(second, true);
  EXPECT_EQ(store.Count(), 0u);
  EXPECT_TRUE(std::filesystem::exists(File()));
  EXPECT_TRUE(std::filesystem::is_directory(second));
  store.SetStoragePath(FDir, true);
  EXPECT_EQ(store.CookieHeader("http://h.test/"), "first=1");
}

TEST_F(CookiePersistence, WithoutAFolderNothingIsWritten) {
  TCookieStore store;
  store.SetFromHeader("http://h.test/", "a=1");
  EXPECT_FALSE(store.Flush().written);
  EXPECT_TRUE(std::filesystem::is_empty(FDir));
}

}  // namespace
}  // namespace standin::cookies
