#include "app/Runtime.h"

#include "ceflib/cef_loader.h"
#include "ceflib/cef_scheme.h"
#include "ceflib/cef_settings.h"
#include "toolkit/Application.h"

namespace {

// `local:` addresses name files on this computer; the runtime must know the
// scheme before it starts.
void RegisterLocalScheme(const ceflib::RefPtr<ceflib::ICefSchemeRegistrar>& registrar) {
  registrar->AddCustomScheme(L"local", /*isStandard=*/true, /*isLocal=*/true, /*isDisplayIsolated=*/false);
}

}  // namespace

std::unique_ptr<TRuntimeSession> TRuntimeSession::Start() {
  ceflib::CachePath = L"cache";
  ceflib::OnRegisterCustomSchemes = RegisterLocalScheme;
  // Made before loading, so that a failing load still unloads what it left loaded.
  auto session = std::make_unique<TRuntimeSession>(TStartKey{});
  if (!ceflib::LoadChromiumRuntime()) return nullptr;
  // TODO: serve `local:` requests with
  //   ceflib::RegisterSchemeHandlerFactory<TFileScheme>(L"local", L"");
  // once the file scheme's resource handler exists.
  return session;
}

TRuntimeSession::~TRuntimeSession() {
  Application.DestroyForms();
  try {
    ceflib::UnloadChromiumRuntime();
  } catch (...) {
    // The process is ending; there is nobody left to tell.
  }
  ceflib::OnRegisterCustomSchemes = nullptr;
}
