// One step of the cookie scenarios, in a process of its own (the runtime starts once per
// process, and persistence needs a new one). Arguments: <step> <cookie folder> [<n> <s>].
//   set    session cookie and a dated one into the folder's store, flushed
//   clear  visit every cookie deleting each, as the settings dialog's "Clear Cache" does
//   count  visit every cookie; there must be n, s of them without expiry and with the zero date
//   delete set one cookie, delete it by name
// Callbacks must arrive on a runtime thread, not on this one.

#include <windows.h>
#include <shellapi.h>

#include <atomic>
#include <cstdlib>
#include <string>

#include "ceflib/ceflib.h"
#include "child_report.h"

using namespace ceflib;
using kelpa::test::Check;

namespace {

const DWORD MainThread = GetCurrentThreadId();
const ustring Url = L"http://cookies.test/";

// Waits for a callback the runtime makes on its own thread.
class TArrival {
 public:
  TArrival() : FEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~TArrival() { CloseHandle(FEvent); }
  void Arrive() {
    Check(GetCurrentThreadId() != MainThread, "callbacks arrive on the runtime's thread");
    SetEvent(FEvent);
  }
  bool Wait() { return WaitForSingleObject(FEvent, 5000) == WAIT_OBJECT_0; }

 private:
  HANDLE FEvent;
};

RefPtr<ICefCookieManager> Store(const ustring& folder) {
  RefPtr<ICefCookieManager> manager = ICefCookieManager::Global(nullptr);
  Check(manager != nullptr, "the global manager");
  TArrival ready;
  Check(manager->SetStoragePathProc(folder, true, [&] { ready.Arrive(); }), "set_storage_path accepted");
  Check(ready.Wait(), "the store is ready");
  return manager;
}

bool SetCookie(ICefCookieManager& manager, const ustring& name, bool hasExpires) {
  TArrival done;
  std::atomic<bool> success{false};
  const TDateTime now = 45000.5, expires = 60000.0;  // 2023 and 2064
  manager.SetCookieProc(Url, name, L"v-" + name, L"cookies.test", L"/", false, false, hasExpires, now, now, expires,
                        [&](bool ok) {
                          success = ok;
                          done.Arrive();
                        });
  return done.Wait() && success;
}

int VisitAll(ICefCookieManager& manager, bool deleteEach, int& sessionCookies) {
  std::atomic<int> seen{0}, session{0};
  TArrival last;
  bool accepted = manager.VisitAllCookiesProc([&](const ustring&, const ustring&, const ustring&, const ustring&,
                                                  bool, bool, bool hasExpires, TDateTime, TDateTime,
                                                  TDateTime expires, int count, int total, bool& deleteCookie) {
    ++seen;
    if (!hasExpires && expires == 0.0) ++session;
    deleteCookie = deleteEach;
    if (count == total - 1) last.Arrive();
    return true;
  });
  Check(accepted, "visit_all_cookies accepted");
  last.Wait();  // with no cookie nothing arrives
  sessionCookies = session;
  return seen;
}

void Flush(ICefCookieManager& manager) {
  TArrival flushed;
  Check(manager.FlushStoreProc([&] { flushed.Arrive(); }), "flush_store accepted");
  Check(flushed.Wait(), "the flush completed");
}

void Run(const std::wstring& step, const std::wstring& folder, int expected, int expectedSession) {
  RefPtr<ICefCookieManager> manager = Store(folder);
  int session = 0;
  if (step == L"set") {
    Check(SetCookie(*manager, L"session", false), "the session cookie was set");
    Check(SetCookie(*manager, L"dated", true), "the dated cookie was set");
    Flush(*manager);
  } else if (step == L"clear") {
    VisitAll(*manager, true, session);
    Flush(*manager);
  } else if (step == L"count") {
    Check(VisitAll(*manager, false, session) == expected, "the store holds the expected cookies");
    Check(session == expectedSession, "cookies without expiry come with the zero date");
  } else if (step == L"delete") {
    Check(SetCookie(*manager, L"doomed", true), "the cookie was set");
    TArrival done;
    std::atomic<int> deleted{-1};
    manager->DeleteCookiesProc(Url, L"doomed", [&](int n) {
      deleted = n;
      done.Arrive();
    });
    Check(done.Wait() && deleted == 1, "one cookie deleted, reported on completion");
  }
}

}  // namespace

int main() {
  kelpa::test::EndOnCrash();
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  Check(argc >= 3, "usage: cookie_child <step> <folder> [<n> <s>]");
  if (argc < 3) return 2;
  const int expected = argc > 3 ? _wtoi(argv[3]) : 0, expectedSession = argc > 4 ? _wtoi(argv[4]) : 0;
  try {
    CachePath = L"cache";
    Check(LoadChromiumRuntime(), "the runtime started");
    Run(argv[1], argv[2], expected, expectedSession);
  } catch (const std::exception& e) {
    Check(false, e.what());
  }
  UnloadChromiumRuntime();
  return kelpa::test::ChildExitCode();
}
