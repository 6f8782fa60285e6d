// TFileScheme: what each kind of address answers, and the body handed over through the
// runtime's own resource-handler struct, with the stand-in runtime's requests and responses.

#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>
#include <sddl.h>

#include <vector>

#include "base/Handle.h"
#include "base/SysUtils.h"
#include "ceffilescheme/FileScheme.h"
#include "ceffilescheme/MimeType.h"
#include "ceflib/cef_callback.h"
#include "ceflib/cef_request.h"
#include "ceflib/cef_response.h"
#include "fake_runtime_object.h"
#include "standin_strings.h"
#include "temp_folder.h"

namespace ceffilescheme {
namespace {

using test::TTempFolder;

RefPtr<TFileScheme> Answer(const std::wstring& url) {
  auto scheme = ceflib::MakeRef<TFileScheme>(nullptr, nullptr, L"local", nullptr);
  scheme->Respond(url);
  return scheme;
}

std::string Body(TFileScheme& scheme) {
  std::string body;
  char chunk[4096];
  int n;
  while ((n = scheme.DataStream()->Read(chunk, sizeof chunk)) > 0) body.append(chunk, n);
  return body;
}

class FileSchemeTest : public ::testing::Test {
 protected:
  test::TRegisteredType Registered;
  TTempFolder Folder;
};

// Associations of a classes root of the test's own, readable only (and deletable, for the
// clean-up), as the machine's own are for a standard user.
class MimeTypeTest : public ::testing::Test {
 protected:
  static void MakeReadOnly(HKEY key) {
    PSECURITY_DESCRIPTOR readOnly = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;KRSD;;;WD)", SDDL_REVISION_1,
                                                                     &readOnly, nullptr));
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, readOnly),
              ERROR_SUCCESS);
    LocalFree(readOnly);
  }
  void SetUp() override {
    HKEY classes, key;
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\KelpaTest\\Classes", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &classes, nullptr);
    RegCreateKeyExW(classes, L".typed", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExW(key, L"Content Type", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"text/x-kelpa"), 26);
    MakeReadOnly(key);
    RegCloseKey(key);
    for (const wchar_t* bare : {L".bare", L".css"}) {
      RegCreateKeyExW(classes, bare, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
      MakeReadOnly(key);
      RegCloseKey(key);
    }
    MakeReadOnly(classes);
    RegCloseKey(classes);
    RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\KelpaTest\\Classes", 0, KEY_READ, &Root);
    ASSERT_EQ(RegOpenKeyExW(Root, L".typed", 0, KEY_ALL_ACCESS, &key), ERROR_ACCESS_DENIED) << "keys not read-only";
  }
  void TearDown() override {
    RegCloseKey(Root);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KelpaTest");
  }
  HKEY Root = nullptr;
};

TEST_F(MimeTypeTest, ReadsTheExtensionsTypeThenFallsBackToWebTypesAndOctetStream) {
  const struct {
    const wchar_t* Path;
    const wchar_t* Mime;
  } cases[] = {
      {L"c:\\a.typed", L"text/x-kelpa"},
      {L"c:\\b.TYPED", L"text/x-kelpa"},
      {L"c:\\c.bare", L"application/octet-stream"},
      {L"c:\\bare.pdf\\d.bare", L"application/octet-stream"},
      {L"c:\\e.PDF", L"application/pdf"},
      {L"c:\\page.Html", L"text/html"},
      {L"c:\\script.js", L"text/javascript"},
      {L"c:\\.css\\page.jsx", L"application/octet-stream"},
      {L"c:\\style.css", L"text/css"},  // a key without a type
      {L"c:\\f.unregistered", L"application/octet-stream"},
      {L"c:\\dir.typed\\no-extension", L"application/octet-stream"},
  };
  for (const auto& c : cases) EXPECT_EQ(MimeTypeOfFile(c.Path, Root), c.Mime) << c.Path;
}

TEST_F(FileSchemeTest, AnswersAFileWithItsType) {
  Folder.Write(L"a.kelpatyped", "content");
  RefPtr<TFileScheme> scheme = Answer(Folder.Url(L"a.kelpatyped"));
  EXPECT_EQ(scheme->Status(), 200);
  EXPECT_EQ(scheme->StatusText(), L"OK");
  EXPECT_EQ(scheme->MimeType(), L"text/x-kelpa");
  EXPECT_EQ(Body(*scheme), "content");
}

TEST_F(FileSchemeTest, FindsTheFileBehindEscapesPlusSignsAndQueries) {
  Folder.Write(L"a b.txt", "1");
  Folder.Write(L"\u03b1 caf\u00e9 %#+.txt", "2");
  const std::wstring base = Folder.Url();
  for (const std::wstring& url : {base + L"a%20b.txt", base + L"a+b.txt", base + L"a b.txt?v=2",
                                 base + L"a b.txt?q=100%", base + L"a+b.txt?a=%zz&b=?"})
    EXPECT_EQ(Body(*Answer(url)), "1") << url;
  // As the listing page links it: encodeURIComponent of the name.
  EXPECT_EQ(Body(*Answer(base + L"%CE%B1%20caf%C3%A9%20%25%23%2B.txt")), "2");
}

TEST_F(FileSchemeTest, ListsAFolderWhetherOrNotTheAddressEndsWithASlash) {
  Folder.MakeFolder(L"sub");
  for (const std::wstring& url : {Folder.Url(L"sub"), Folder.Url(L"sub") + L"/"}) {
    RefPtr<TFileScheme> scheme = Answer(url);
    EXPECT_EQ(scheme->Status(), 200);
    EXPECT_EQ(scheme->MimeType(), L"text/html");
    EXPECT_EQ(scheme->Path(), Folder.Path(L"sub\\"));
    EXPECT_NE(Body(*scheme).find("addRow(\"..\""), std::string::npos);
  }
}

TEST_F(FileSchemeTest, AnswersNotFoundForHiddenLockedMissingAndMalformed) {
  Folder.Write(L"hidden.txt", "x", FILE_ATTRIBUTE_HIDDEN);
  Folder.Write(L"locked.txt", "x");
  TFileHandle lock(CreateFileW(Folder.Path(L"locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(lock.valid());
  for (const std::wstring& url : {Folder.Url(L"hidden.txt"), Folder.Url(L"locked.txt"), Folder.Url(L"missing.txt"),
                                  Folder.Url(L"bad%zz.txt"), std::wstring(L"local://c"), Folder.Url(L"*.txt")}) {
    RefPtr<TFileScheme> scheme = Answer(url);
    EXPECT_EQ(scheme->Status(), 404) << url;
    EXPECT_EQ(scheme->StatusText(), L"Not found");
    EXPECT_EQ(scheme->MimeType(), L"text/html");
  }
}

TEST(NotFoundPage, WritesThePathAsTextInUtf8) {
  EXPECT_EQ(NotFoundPage(L"c:\\x\\<img src=x onerror=\"alert(1)\">&\u03b1"),
            "<html><head><meta http-equiv=\"content-type\" content=\"text/html; charset=UTF-8\"/></head><body><h1>"
            "c:\\x\\&lt;img src=x onerror=&quot;alert(1)&quot;&gt;&amp;\xCE\xB1</h1><h2>not found</h2></body></html>");
}

// The runtime's side: the struct's callbacks, a stand-in request and response, and a
// callback that counts its continues.
int Continues = 0;
void CEF_CALLBACK CountContinue(cef_callback_t*) { ++Continues; }

class RuntimeSideTest : public FileSchemeTest {
 protected:
  void SetUp() override {
    FileSchemeTest::SetUp();
    ceflib::test::UseStandInStrings();
    Callback.Struct.cont = CountContinue;
    Continues = 0;
    Handler = static_cast<cef_resource_handler_t*>(ceflib::CefStructOf(FScheme));
  }
  void TearDown() override { Handler->base.release(&Handler->base); }

  bool Process(const std::wstring& url) {
    RefPtr<ceflib::ICefRequest> request = ceflib::ICefRequest::New();
    request->SetUrl(url);
    return Handler->process_request(Handler, static_cast<cef_request_t*>(ceflib::CefStructOf(request)), &Callback.Struct);
  }
  RefPtr<ceflib::ICefResponse> Headers(int64_t& length) {
    RefPtr<ceflib::ICefResponse> response = ceflib::ICefResponse::New();
    cef_string_t redirect{};
    Handler->get_response_headers(Handler, static_cast<cef_response_t*>(ceflib::CefStructOf(response)), &length,
                                  &redirect);
    EXPECT_EQ(redirect.length, 0u);
    return response;
  }
  // Reads until the handler answers false; the chunk sizes it handed over are in Chunks.
  std::string ReadAll(int chunk) {
    std::vector<char> buffer(chunk);
    std::string body;
    int read = 0;
    while (Handler->read_response(Handler, buffer.data(), chunk, &read, &Callback.Struct)) {
      EXPECT_GT(read, 0);
      EXPECT_LE(read, chunk);
      body.append(buffer.data(), read);
    }
    EXPECT_EQ(read, 0);
    return body;
  }

  RefPtr<TFileScheme> FScheme = ceflib::MakeRef<TFileScheme>(nullptr, nullptr, L"local", nullptr);
  cef_resource_handler_t* Handler = nullptr;
  ceflib::test::TFakeRuntimeObject<cef_callback_t> Callback;
};

TEST_F(RuntimeSideTest, HandsOverStatusTypeExactLengthAndBody) {
  std::string content(100000, 'x');
  Folder.Write(L"page.kelpatyped", content);
  ASSERT_TRUE(Process(Folder.Url(L"page.kelpatyped")));
  EXPECT_EQ(Continues, 1);
  int64_t length = -1;
  RefPtr<ceflib::ICefResponse> response = Headers(length);
  EXPECT_EQ(response->GetStatus(), 200);
  EXPECT_EQ(response->GetStatusText(), L"OK");
  EXPECT_EQ(response->GetMimeType(), L"text/x-kelpa");
  EXPECT_EQ(length, 100000);
  EXPECT_EQ(ReadAll(32768), content);
  EXPECT_EQ(Continues, 1 + 4);
}

TEST_F(RuntimeSideTest, GivesTheNotFoundPageLengthInUtf8Bytes) {
  ASSERT_TRUE(Process(Folder.Url(L"\u03b1\u03b2\u03b3 missing")));
  int64_t length = -1;
  EXPECT_EQ(Headers(length)->GetStatus(), 404);
  std::string body = ReadAll(7);
  EXPECT_EQ(length, static_cast<int64_t>(body.size()));
  EXPECT_EQ(body, NotFoundPage(Folder.Path(L"\u03b1\u03b2\u03b3 missing")));
}

TEST_F(RuntimeSideTest, EndsTheBodyWhenTheFileShrinksAfterTheHeaders) {
  Folder.Write(L"shrinks.txt", std::string(50000, 'y'));
  ASSERT_TRUE(Process(Folder.Url(L"shrinks.txt")));
  int64_t length = 0;
  Headers(length);
  EXPECT_EQ(length, 50000);
  TFileHandle other(CreateFileW(Folder.Path(L"shrinks.txt").c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                nullptr));
  ASSERT_TRUE(other.valid());
  LARGE_INTEGER at{};
  at.QuadPart = 1000;
  SetFilePointerEx(other.get(), at, nullptr, FILE_BEGIN);
  ASSERT_TRUE(SetEndOfFile(other.get()));
  EXPECT_EQ(ReadAll(32768).size(), 1000u);
}

SIZE_T PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  return counters.PrivateUsage;
}

TEST_F(RuntimeSideTest, StreamsA300MegabyteFileInChunksWithConstantMemory) {
  const int64_t size = int64_t(300) << 20;
  {
    // A sparse file with marks at both ends: quick to make, and every byte must be read.
    TFileHandle file(CreateFileW(Folder.Path(L"big.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file.valid());
    DWORD written;
    WriteFile(file.get(), "HEAD", 4, &written, nullptr);
    LARGE_INTEGER at{};
    at.QuadPart = size - 4;
    SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN);
    WriteFile(file.get(), "TAIL", 4, &written, nullptr);
  }
  ASSERT_TRUE(Process(Folder.Url(L"big.bin")));
  int64_t length = 0;
  Headers(length);
  ASSERT_EQ(length, size);
  SIZE_T before = PrivateBytes();
  std::vector<char> buffer(32768);
  int64_t total = 0;
  int read = 0;
  std::string head, tail;
  while (Handler->read_response(Handler, buffer.data(), 32768, &read, &Callback.Struct)) {
    if (total == 0) head.assign(buffer.data(), 4);
    total += read;
    if (total == size) tail.assign(buffer.data() + read - 4, 4);
  }
  EXPECT_EQ(total, size);
  EXPECT_EQ(head, "HEAD");
  EXPECT_EQ(tail, "TAIL");
  SIZE_T after = PrivateBytes();
  EXPECT_LT(after > before ? after - before : 0, SIZE_T(8) << 20) << "the file was held in memory";
}

}  // namespace
}  // namespace ceffilescheme
