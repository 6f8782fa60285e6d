#include "scheme_registry.h"

#include "journal.h"
#include "string_record.h"
#include "utf.h"

#include <mutex>

namespace standin {
namespace {

struct TFactoryEntry {
  std::wstring scheme;
  std::wstring domain;
  THeld<cef_scheme_handler_factory_t> factory;
};

struct TRegistryState {
  mutable std::mutex lock;
  std::vector<TCustomScheme> schemes;
  std::vector<TFactoryEntry> factories;
};

TRegistryState& State() {
  static TRegistryState* state = new TRegistryState;
  return *state;
}

constexpr const wchar_t* kBuiltInStandard[] = {L"http", L"https", L"ws", L"wss", L"ftp", L"file",
                                               L"chrome", L"chrome-devtools"};

}  // namespace

TSchemeRegistrar::TSchemeRegistrar() : TRuntimeStruct("scheme_registrar") {
  Members().add_custom_scheme = &AddCustomScheme;
}

int CEF_CALLBACK TSchemeRegistrar::AddCustomScheme(cef_scheme_registrar_t* self, const cef_string_t* scheme_name,
                                                   int is_standard, int is_local, int is_display_isolated) {
  TCustomScheme scheme{AsciiLower(View(scheme_name)), is_standard != 0, is_local != 0, is_display_isolated != 0};
  bool accepted = From(self)->FOpen && !scheme.name.empty() && TSchemeRegistry::Instance().AddCustomScheme(scheme);
  TJournalLine("add_custom_scheme")
      .Text("scheme", View(scheme_name))
      .Int("is_standard", is_standard)
      .Int("is_local", is_local)
      .Int("is_display_isolated", is_display_isolated)
      .Int("result", accepted ? 1 : 0)
      .Write();
  return accepted ? 1 : 0;
}

TSchemeRegistry& TSchemeRegistry::Instance() {
  static TSchemeRegistry instance;
  return instance;
}

bool TSchemeRegistry::AddCustomScheme(TCustomScheme scheme) {
  TRegistryState& s = State();
  std::lock_guard<std::mutex> guard(s.lock);
  for (const auto& existing : s.schemes) {
    if (existing.name == scheme.name) return false;
  }
  s.schemes.push_back(std::move(scheme));
  return true;
}

std::vector<TCustomScheme> TSchemeRegistry::CustomSchemes() const {
  TRegistryState& s = State();
  std::lock_guard<std::mutex> guard(s.lock);
  return s.schemes;
}

bool TSchemeRegistry::IsStandard(std::wstring_view scheme) const {
  std::wstring name = AsciiLower(scheme);
  for (const wchar_t* builtin : kBuiltInStandard) {
    if (name == builtin) return true;
  }
  TRegistryState& s = State();
  std::lock_guard<std::mutex> guard(s.lock);
  for (const auto& custom : s.schemes) {
    if (custom.name == name) return custom.is_standard;
  }
  return false;
}

void TSchemeRegistry::SetFactory(std::wstring_view scheme, std::wstring_view domain,
                                 THeld<cef_scheme_handler_factory_t> factory, bool* replaced) {
  TRegistryState& s = State();
  THeld<cef_scheme_handler_factory_t> previous;
  std::wstring scheme_key = AsciiLower(scheme);
  std::wstring domain_key = AsciiLower(domain);
  {
    std::lock_guard<std::mutex> guard(s.lock);
    for (auto it = s.factories.begin(); it != s.factories.end(); ++it) {
      if (it->scheme == scheme_key && it->domain == domain_key) {
        previous = std::move(it->factory);
        s.factories.erase(it);
        break;
      }
    }
    if (factory) s.factories.push_back({scheme_key, domain_key, std::move(factory)});
  }
  if (replaced) *replaced = static_cast<bool>(previous);
  // previous is released here, outside the lock: its release may call back into the runtime.
}

cef_scheme_handler_factory_t* TSchemeRegistry::FindFactory(std::wstring_view scheme, std::wstring_view host) const {
  TRegistryState& s = State();
  std::wstring scheme_key = AsciiLower(scheme);
  std::wstring host_key = AsciiLower(host);
  std::lock_guard<std::mutex> guard(s.lock);
  const TFactoryEntry* any_domain = nullptr;
  for (const auto& entry : s.factories) {
    if (entry.scheme != scheme_key) continue;
    if (entry.domain == host_key && !entry.domain.empty()) return entry.factory.PassOut();
    if (entry.domain.empty()) any_domain = &entry;
  }
  return any_domain ? any_domain->factory.PassOut() : nullptr;
}

size_t TSchemeRegistry::FactoryCount() const {
  TRegistryState& s = State();
  std::lock_guard<std::mutex> guard(s.lock);
  return s.factories.size();
}

void TSchemeRegistry::ClearFactories() {
  TRegistryState& s = State();
  std::vector<TFactoryEntry> released;
  {
    std::lock_guard<std::mutex> guard(s.lock);
    released.swap(s.factories);
  }
}

void TSchemeRegistry::Reset() {
  ClearFactories();
  TRegistryState& s = State();
  std::lock_guard<std::mutex> guard(s.lock);
  s.schemes.clear();
}

}  // namespace standin
