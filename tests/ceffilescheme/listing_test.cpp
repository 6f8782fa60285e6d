// The listing page: entry order, the entries that are listed, and the page's frame.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ceffilescheme/ListingPage.h"
#include "ceffilescheme/MessagePage.h"
#include "temp_folder.h"

namespace ceffilescheme {
namespace {

std::vector<std::wstring> Names(const std::vector<TFileInfo>& entries) {
  std::vector<std::wstring> names;
  for (const TFileInfo& e : entries) names.push_back(e.name);
  return names;
}

TEST(SortEntries, PutsFoldersFirstThenComparesNamesIgnoringCase) {
  const DWORD D = FILE_ATTRIBUTE_DIRECTORY, F = FILE_ATTRIBUTE_NORMAL;
  const std::pair<const wchar_t*, DWORD> given[] = {
      {L"alpha.txt", F}, {L"zeta", D}, {L"Beta", D}, {L"0digits", D}, {L"..", D}, {L"alpha", D},
      {L"-dash", D},     {L"!bang", D}, {L"B.txt", F}, {L"a.TXT", F},  {L"_under", D}, {L"Zulu", F},
  };
  // ".." sorts among the folders by its code: after '!' and '-', before digits and letters;
  // '_' comes after the upper-cased letters.
  const std::vector<std::wstring> expected = {L"!bang", L"-dash", L"..",   L"0digits", L"alpha", L"Beta",
                                              L"zeta",  L"_under", L"a.TXT", L"alpha.txt", L"B.txt", L"Zulu"};
  std::vector<TFileInfo> entries;
  for (auto [name, attr] : given) entries.emplace_back(name, 0, FILETIME{}, attr);
  for (int round = 0; round < 3; ++round) {
    std::rotate(entries.begin(), entries.begin() + 5, entries.end());
    SortEntries(entries);
    EXPECT_EQ(Names(entries), expected);
  }
}

TEST(ListFolder, ListsHiddenEntriesAndParentButNotItself) {
  test::TTempFolder folder;
  folder.Write(L"shown.txt", "x");
  folder.Write(L"secret.txt", "x", FILE_ATTRIBUTE_HIDDEN);
  folder.Write(L"system.dat", "x", FILE_ATTRIBUTE_SYSTEM);
  folder.MakeFolder(L"sub");
  std::vector<std::wstring> names = Names(ListFolder(folder.Path()).value());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::wstring>{L"..", L"secret.txt", L"shown.txt", L"sub", L"system.dat"}));
}

TEST(ListFolder, ReportsEachEntrysSizeTimeAndAttributesAsTheFindLoopDoes) {
  test::TTempFolder folder;
  // Enough long names to fill more than one read of the folder.
  for (int i = 0; i < 3000; ++i)
    folder.Write(L"entry-with-a-long-name-to-fill-the-batches-" + std::to_wstring(i) + L".txt", std::string(i % 7, 'x'));
  folder.MakeFolder(L"sub");
  std::vector<TFileInfo> listed = ListFolder(folder.Path()).value();
  ASSERT_EQ(listed.size(), 3002u);
  for (const TFileInfo& entry : listed) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(folder.Path(entry.name).c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE) << entry.name;
    FindClose(search);
    if (entry.name == L"..") continue;
    EXPECT_EQ(entry.size, found.nFileSizeLow) << entry.name;
    EXPECT_EQ(entry.attr, found.dwFileAttributes) << entry.name;
    EXPECT_EQ(CompareFileTime(&entry.date, &found.ftLastWriteTime), 0) << entry.name;
  }
}

TEST(ListFolder, ADriveRootHasNoParentEntry) {
  std::vector<TFileInfo> listed = ListFolder(L"C:\\").value();
  for (const TFileInfo& entry : listed) EXPECT_NE(entry.name, L"..");
}

std::string PageOf(const std::wstring& folder) {
  TMemoryStream page;
  BuildListingPage(folder, page);
  return page.Bytes();
}

TEST(BuildListingPage, AFolderWithOnlyItselfAndItsParentHasOneRow) {
  test::TTempFolder folder;
  folder.MakeFolder(L"empty");
  std::string page = PageOf(folder.Path(L"empty\\"));
  std::string_view rows = std::string_view(page).substr(ListingTemplate().size());
  EXPECT_EQ(rows.find("<script>start(\""), 0u);
  size_t first = rows.find("addRow(");
  EXPECT_EQ(rows.substr(first, 20), "addRow(\"..\",\"..\",1,\"");
  EXPECT_EQ(rows.find("addRow(", first + 1), std::string::npos) << rows;
}

TEST(BuildListingPage, IsTheTemplateThenTheFolderThenTheRowsAllInAscii) {
  ASSERT_GT(ListingTemplate().size(), 1000u) << "the program carries the listing template";
  test::TTempFolder folder;
  folder.Write(L"\u03b1\u00e9.txt", "abc");
  std::string page = PageOf(folder.Path());
  EXPECT_EQ(page.compare(0, ListingTemplate().size(), ListingTemplate()), 0);
  EXPECT_TRUE(std::all_of(page.begin(), page.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
  EXPECT_NE(page.find("addRow(\"\\u03B1\\u00E9.txt\",\"\\u03B1\\u00E9.txt\",0,\"3 B\","), std::string::npos);
}

TEST(BuildListingPage, AFolderThatCannotBeReadHasNoRows) {
  std::string page = PageOf(L"Z:\\no\\such\\folder\\");
  EXPECT_EQ(page.substr(ListingTemplate().size()), "<script>start(\"Z:\\\\no\\\\such\\\\folder\\\\\");</script>\r\n");
}

TEST(BuildListingPage, AFolderWhosePageWouldPassTheLimitGetsAPageSayingSo) {
  test::TTempFolder folder;
  for (int i = 0; i < 20; ++i) folder.Write(L"file-" + std::to_wstring(i) + L".txt", "x");
  const std::string whole = PageOf(folder.Path());
  const std::string tooLarge = MessagePage(folder.Path(), L"too large to list");
  for (size_t limit : {whole.size(), whole.size() - 1, size_t{100}}) {
    TMemoryStream page;
    BuildListingPage(folder.Path(), page, limit);
    EXPECT_EQ(page.Bytes(), limit == whole.size() ? whole : tooLarge) << limit;
  }
  // Twenty rows cannot fit in 100 bytes: the reading stops before the page is built.
  EXPECT_FALSE(ListFolder(folder.Path(), 100));
  EXPECT_TRUE(ListFolder(folder.Path(), whole.size()));
}

}  // namespace
}  // namespace ceffilescheme
