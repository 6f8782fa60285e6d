// A browser of the stand-in runtime loads `local:` addresses of a file, a folder and a missing
// path (scheme_e2e_child); each load's status, MIME type and byte count are in the journal.

#include <gtest/gtest.h>

#include "base/SysUtils.h"
#include "ceffilescheme/FileScheme.h"
#include "ceffilescheme/ListingPage.h"
#include "child_run.h"
#include "temp_folder.h"

namespace ceffilescheme {
namespace {

TEST(LocalSchemeInABrowser, AnswersAFileAFolderAndAMissingPath) {
  test::TRegisteredType registered;
  test::TTempFolder folder;
  folder.Write(L"report \u03b1.kelpatyped", std::string(70000, 'r'));
  folder.MakeFolder(L"sub");
  const std::wstring file = folder.Url(L"report \u03b1.kelpatyped"), list = folder.Url(), missing = folder.Url(L"gone");
  TMemoryStream page;
  BuildListingPage(folder.Path(), page);

  kelpa::test::TChildRun run = kelpa::test::RunJournalledChild(L"ceffilescheme_e2e_child.exe",
                                                               L"\"" + file + L"\" \"" + list + L"\" \"" + missing + L"\"");
  const kelpa::test::TJournal& journal = run.Journal;
  ASSERT_EQ(run.ExitCode, 0u) << run.Report << "\njournal:\n" << journal.Text();

  const struct {
    std::wstring Url;
    const char* Status;
    const char* Mime;
    size_t Length;
  } expected[] = {
      {file, "200", "text/x-kelpa", 70000},
      {list, "200", "text/html", page.Bytes().size()},
      {missing, "404", "text/html", NotFoundPage(folder.Path(L"gone")).size()},
  };
  for (const auto& e : expected) {
    int at = journal.IndexOf("load_end", "url", WideToUtf8(e.Url));
    ASSERT_GE(at, 0) << WideToUtf8(e.Url) << "\n" << journal.Text();
    const auto& event = journal.Events()[at];
    EXPECT_TRUE(event.Has("status", e.Status)) << journal.Text();
    EXPECT_TRUE(event.Has("mime_type", e.Mime)) << journal.Text();
    EXPECT_TRUE(event.Has("length", std::to_string(e.Length))) << journal.Text();
  }
  auto leaks = journal.All("leaks");
  ASSERT_EQ(leaks.size(), 1u) << journal.Text();
  EXPECT_TRUE(leaks[0].Has("total", "0")) << journal.Text();
}

}  // namespace
}  // namespace ceffilescheme
