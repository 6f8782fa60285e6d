#include "settings/CookieCleaner.h"

#include "base/Exceptions.h"
#include "ceflib/cef_cookie.h"

using namespace ceflib;

namespace {

// Runs on the runtime's cookie thread, so it touches nothing but its out flag.
bool DeleteEach(const ustring&, const ustring&, const ustring&, const ustring&, bool, bool, bool, TDateTime,
                TDateTime, TDateTime, int, int, bool& deleteCookie) {
  deleteCookie = true;
  return true;
}

}  // namespace

void DeleteAllCookies(const std::wstring& cookieFolder) {
  RefPtr<ICefCookieManager> manager = ICefCookieManager::Global(nullptr);
  if (manager) manager->SetStoragePath(cookieFolder, /*persistSessionCookies=*/true, nullptr);
  if (!manager || !manager->VisitAllCookiesProc(DeleteEach))
    throw Exception(L"The cookies could not be cleared: the browser runtime refused to visit them.");
}
