#include "app/Runtime.h"

#include "ceflib/cef_loader.h"
#include "ceflib/cef_scheme.h"
#include "ceflib/cef_settings.h"
#include "ceffilescheme/FileScheme.h"
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
  // Every `local:` request gets a handler of its own; a refusal shows only as pages that do
  // not load, which is all the user could be told anyway.
  ceflib::RegisterSchemeHandlerFactory<ceffilescheme::TFileScheme>(L"local", L"");
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
