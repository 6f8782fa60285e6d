#include "app/Runtime.h"

#include "ceflib/cef_loader.h"
#include "ceflib/cef_scheme.h"
#include "ceflib/cef_settings.h"
#include "ceffilescheme/FileScheme.h"

namespace {

// `local:` addresses name files on this computer; the runtime must know the
// scheme before it starts.
void RegisterLocalScheme(const ceflib::RefPtr<ceflib::ICefSchemeRegistrar>& registrar) {
  registrar->AddCustomScheme(L"local", /*isStandard=*/true, /*isLocal=*/true, /*isDisplayIsolated=*/false);
}

}  // namespace

bool StartRuntime() {
  ceflib::CachePath = L"cache";
  ceflib::OnRegisterCustomSchemes = RegisterLocalScheme;
  if (!ceflib::LoadChromiumRuntime()) return false;
  // Every `local:` request gets a handler of its own; a refusal shows only as pages that do
  // not load, which is all the user could be told anyway.
  ceflib::RegisterSchemeHandlerFactory<ceffilescheme::TFileScheme>(L"local", L"");
  return true;
}

void StopRuntime() noexcept {
  try {
    ceflib::UnloadChromiumRuntime();
  } catch (...) {
    // The process is ending; there is nobody left to tell.
  }
  ceflib::OnRegisterCustomSchemes = nullptr;
}
