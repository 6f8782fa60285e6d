// The cookie manager as the program uses it (global manager, storage path, visiting every
// cookie to delete it, flushing), the visitor's conversions, and setting a cookie.

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>

#include "ceflib/cef_cookie.h"
#include "ceflib/cef_time.h"
#include "surface_test.h"

namespace ceflib::test {
namespace {

using M = cef_cookie_manager_t;

class CookieManagerRef : public CefSurface {};

// Swaps one runtime entry point for a test's function for the life of the object.
template <class Fn>
class TEntryPointSwap {
 public:
  TEntryPointSwap(Fn& entry, Fn replacement) : FEntry(entry), FSaved(entry) { entry = replacement; }
  ~TEntryPointSwap() { FEntry = FSaved; }

 private:
  Fn& FEntry;
  Fn FSaved;
};

TFake<M>* GlobalManager = nullptr;
TArgs GlobalArgs;

cef_cookie_manager_t* FakeGlobal(cef_completion_callback_t* callback) {
  GlobalArgs = {Render(callback)};
  if (callback) {
    callback->on_complete(callback);
    callback->base.release(&callback->base);
  }
  return GlobalManager ? GlobalManager->Pass() : nullptr;
}

TEST_F(CookieManagerRef, GlobalWithoutCallbackPassesNullAndWrapsTheManager) {
  TFake<M> manager;
  GlobalManager = &manager;
  TEntryPointSwap swap(cef_cookie_manager_get_global_manager, &FakeGlobal);
  RefPtr<ICefCookieManager> global = ICefCookieManager::Global(nullptr);
  EXPECT_EQ(GlobalArgs, TArgs{L"null"});
  ASSERT_NE(global, nullptr);
  EXPECT_EQ(CefStructOf(global), &manager.Struct);
  manager.Struct.base.release(&manager.Struct.base);
  GlobalManager = nullptr;
}

TEST_F(CookieManagerRef, GlobalOfNullIsNil) {
  GlobalManager = nullptr;
  TEntryPointSwap swap(cef_cookie_manager_get_global_manager, &FakeGlobal);
  EXPECT_EQ(ICefCookieManager::Global(nullptr), nullptr);
}

TEST_F(CookieManagerRef, GlobalProcAlwaysHandsOverACallbackObject) {
  TFake<M> manager;
  GlobalManager = &manager;
  TEntryPointSwap swap(cef_cookie_manager_get_global_manager, &FakeGlobal);
  int completions = 0;
  RefPtr<ICefCookieManager> global = ICefCookieManager::GlobalProc([&] { ++completions; });
  EXPECT_NE(GlobalArgs, TArgs{L"null"});
  EXPECT_EQ(completions, 1);
  GlobalManager = nullptr;
}

TEST_F(CookieManagerRef, NewPassesThePathAndTheFlag) {
  static TArgs seen;
  TEntryPointSwap swap(cef_cookie_manager_create_manager,
                       +[](const cef_string_t* path, int persist, cef_completion_callback_t* callback) {
                         seen = {Render(path), Render(persist), Render(callback)};
                         return static_cast<cef_cookie_manager_t*>(nullptr);
                       });
  EXPECT_EQ(ICefCookieManager::New(L"", true, nullptr), nullptr);
  EXPECT_EQ(seen, (TArgs{L"\"\"", L"1", L"null"}));
}

TEST_F(CookieManagerRef, SetStoragePathPassesAViewTheFlagAndNoCallback) {
  TFake<M> manager;
  manager.Returns<&M::set_storage_path>(1);
  RefPtr<ICefCookieManager> wrapped = ICefCookieManager::UnWrap(manager.Pass());
  EXPECT_TRUE(wrapped->SetStoragePath(L"C:\\Users\\me\\cookies", true, nullptr));
  EXPECT_EQ(manager.ArgsOf(&M::set_storage_path), (TArgs{L"\"C:\\Users\\me\\cookies\"", L"1", L"null"}));
  EXPECT_EQ(Strings->StringSets, 0);  // the path was lent, not copied
}

TEST_F(CookieManagerRef, FlushStoreWithoutCallbackPassesNullAndReportsTheRuntimesResult) {
  TFake<M> manager;
  manager.Returns<&M::flush_store>(0);
  RefPtr<ICefCookieManager> wrapped = ICefCookieManager::UnWrap(manager.Pass());
  EXPECT_FALSE(wrapped->FlushStore(nullptr));
  EXPECT_EQ(manager.ArgsOf(&M::flush_store), TArgs{L"null"});
}

TEST_F(CookieManagerRef, FlushStoreProcCallsTheClosureOnCompletion) {
  TFake<M> manager;
  manager.Does<&M::flush_store>([](cef_completion_callback_t* callback) {
    callback->on_complete(callback);
    return 1;
  });
  RefPtr<ICefCookieManager> wrapped = ICefCookieManager::UnWrap(manager.Pass());
  bool done = false;
  EXPECT_TRUE(wrapped->FlushStoreProc([&] { done = true; }));
  EXPECT_TRUE(done);
}

// A cookie as the runtime passes it to a visitor.
cef_cookie_t RuntimeCookie(const wchar_t* name, bool hasExpires) {
  cef_cookie_t cookie{};
  cookie.name = {const_cast<wchar_t*>(name), wcslen(name), nullptr};
  cookie.value = {const_cast<wchar_t*>(L"v"), 1, nullptr};
  cookie.domain = {const_cast<wchar_t*>(L".example"), 8, nullptr};
  cookie.path = {const_cast<wchar_t*>(L"/"), 1, nullptr};
  cookie.secure = 1;
  cookie.creation = LocalDateTimeToCefTime(EncodeDate(2020, 1, 2));
  cookie.last_access = cookie.creation;
  cookie.has_expires = hasExpires ? 1 : 0;
  if (hasExpires) cookie.expires = LocalDateTimeToCefTime(EncodeDate(2030, 5, 6));
  return cookie;
}

TEST_F(CookieManagerRef, VisitAllCookiesProcMarksEachCookieAsTheClosureSays) {
  TFake<M> manager;
  std::vector<int> deleteFlags, results;
  manager.Does<&M::visit_all_cookies>([&](cef_cookie_visitor_t* visitor) {
    for (int i = 0; i < 2; ++i) {
      cef_cookie_t cookie = RuntimeCookie(i == 0 ? L"a" : L"b", i == 0);
      int deleteCookie = 7;
      results.push_back(visitor->visit(visitor, &cookie, i, 2, &deleteCookie));
      deleteFlags.push_back(deleteCookie);
    }
    return 1;
  });
  RefPtr<ICefCookieManager> wrapped = ICefCookieManager::UnWrap(manager.Pass());
  std::vector<std::wstring> seen;
  EXPECT_TRUE(wrapped->VisitAllCookiesProc([&](const ustring& name, const ustring& value, const ustring& domain,
                                               const ustring& path, bool secure, bool httponly, bool hasExpires,
                                               TDateTime creation, TDateTime, TDateTime expires, int count,
                                               int total, bool& deleteCookie) {
    seen.push_back(name + L"=" + value + L";" + domain + path + (secure ? L"S" : L"") + (httponly ? L"H" : L"") +
                   (hasExpires ? L"E" : L"") + L" " + std::to_wstring(static_cast<int>(creation)) + L" " +
                   std::to_wstring(static_cast<int>(expires)) + L" " + std::to_wstring(count) + L"/" +
                   std::to_wstring(total));
    deleteCookie = name == L"a";
    return name == L"a";
  }));
  const int jan2 = static_cast<int>(EncodeDate(2020, 1, 2)), may6 = static_cast<int>(EncodeDate(2030, 5, 6));
  EXPECT_EQ(seen, (std::vector<std::wstring>{
                      L"a=v;.example/SE " + std::to_wstring(jan2) + L" " + std::to_wstring(may6) + L" 0/2",
                      L"b=v;.example/S " + std::to_wstring(jan2) + L" 0 1/2"}));
  EXPECT_EQ(deleteFlags, (std::vector<int>{1, 0}));
  EXPECT_EQ(results, (std::vector<int>{1, 0}));
}

TEST_F(CookieManagerRef, DefaultVisitorGoesOnAndDeletesNothing) {
  RefPtr<TCefCookieVisitorOwn> visitor = MakeRef<TCefCookieVisitorOwn>();
  auto* data = static_cast<cef_cookie_visitor_t*>(CefStructOf(visitor));
  cef_cookie_t cookie = RuntimeCookie(L"x", false);
  int deleteCookie = 1;
  EXPECT_EQ(data->visit(data, &cookie, 0, 1, &deleteCookie), 1);
  EXPECT_EQ(deleteCookie, 0);
  data->base.release(&data->base);
}

TEST_F(CookieManagerRef, SetCookieSendsZeroExpiryWithoutExpiresWhateverWasPassed) {
  TFake<M> manager;
  std::vector<cef_cookie_t> sent;
  std::vector<std::wstring> names;
  manager.Does<&M::set_cookie>([&](const cef_string_t*, const cef_cookie_t* cookie, cef_set_cookie_callback_t*) {
    sent.push_back(*cookie);
    names.push_back(std::wstring(cookie->name.str, cookie->name.length));
    return 1;
  });
  RefPtr<ICefCookieManager> wrapped = ICefCookieManager::UnWrap(manager.Pass());
  const TDateTime when = EncodeDate(2024, 3, 4) + EncodeTime(5, 6, 7, 0);
  EXPECT_TRUE(wrapped->SetCookie(L"http://a/", L"n", L"v", L"", L"/", false, true, false, when, when, when, nullptr));
  EXPECT_TRUE(wrapped->SetCookie(L"http://a/", L"m", L"v", L"", L"/", true, false, true, when, when, when, nullptr));
  ASSERT_EQ(sent.size(), 2u);
  const cef_time_t zero{};
  EXPECT_EQ(std::memcmp(&sent[0].expires, &zero, sizeof zero), 0);
  EXPECT_EQ(sent[0].has_expires, 0);
  EXPECT_EQ(sent[0].httponly, 1);
  EXPECT_EQ(sent[0].secure, 0);
  EXPECT_EQ(CefTimeToLocalDateTime(sent[0].creation), when);
  EXPECT_EQ(sent[1].has_expires, 1);
  EXPECT_EQ(CefTimeToLocalDateTime(sent[1].expires), when);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"n", L"m"}));
  EXPECT_EQ(manager.CountOf(&M::set_cookie), 2);
}

TEST_F(CookieManagerRef, SetSupportedSchemesHandsAListAndFreesIt) {
  TFake<M> manager;
  std::vector<std::wstring> seen;
  manager.Does<&M::set_supported_schemes>(
      [&](cef_string_list_t schemes, cef_completion_callback_t*) { seen = TextsOf(schemes); });
  RefPtr<ICefCookieManager> wrapped = ICefCookieManager::UnWrap(manager.Pass());
  wrapped->SetSupportedSchemes({}, nullptr);
  EXPECT_TRUE(seen.empty());
  wrapped->SetSupportedSchemesProc({L"http", L"local"}, [] {});
  EXPECT_EQ(seen, (std::vector<std::wstring>{L"http", L"local"}));
  EXPECT_EQ(Strings->ListAllocs, 2);
}

TEST_F(CookieManagerRef, DeleteCookiesProcReportsTheCount) {
  TFake<M> manager;
  manager.Does<&M::delete_cookies>(
      [](const cef_string_t*, const cef_string_t*, cef_delete_cookies_callback_t* callback) {
        callback->on_complete(callback, 3);
        return 1;
      });
  RefPtr<ICefCookieManager> wrapped = ICefCookieManager::UnWrap(manager.Pass());
  int deleted = -1;
  EXPECT_TRUE(wrapped->DeleteCookiesProc(L"", L"", [&](int n) { deleted = n; }));
  EXPECT_EQ(deleted, 3);
  EXPECT_EQ(manager.ArgsOf(&M::delete_cookies).at(0), L"\"\"");
}

}  // namespace
}  // namespace ceflib::test
