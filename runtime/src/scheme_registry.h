#pragma once
// Custom schemes declared through the registrar, and the scheme handler factories the program
// registered. The IO thread looks factories up while requests load, so both are locked.

#include "held_ref.h"
#include "runtime_object.h"

#include <string>
#include <vector>

namespace standin {

struct TCustomScheme {
  std::wstring name;  // lower case
  bool is_standard;
  bool is_local;
  bool is_display_isolated;
};

// The registrar handed to on_register_custom_schemes. It accepts schemes only until Close,
// which the runtime calls when the callback returns: a registrar kept past that is inert.
class TSchemeRegistrar final : public TRuntimeStruct<TSchemeRegistrar, cef_scheme_registrar_t> {
 public:
  TSchemeRegistrar();
  void Close() { FOpen = false; }

 private:
  static int CEF_CALLBACK AddCustomScheme(cef_scheme_registrar_t* self, const cef_string_t* scheme_name,
                                          int is_standard, int is_local, int is_display_isolated);
  std::atomic<bool> FOpen{true};
};

class TSchemeRegistry {
 public:
  static TSchemeRegistry& Instance();

  bool AddCustomScheme(TCustomScheme scheme);
  std::vector<TCustomScheme> CustomSchemes() const;
  bool IsStandard(std::wstring_view scheme) const;  // built-in standard schemes included

  // Keeps the factory (null removes the entry); a factory it replaces is released.
  void SetFactory(std::wstring_view scheme, std::wstring_view domain, THeld<cef_scheme_handler_factory_t> factory,
                  bool* replaced);
  // The factory for a request's scheme and host (an entry with an empty domain matches any
  // host), with one reference added for the caller; null when there is none.
  cef_scheme_handler_factory_t* FindFactory(std::wstring_view scheme, std::wstring_view host) const;
  size_t FactoryCount() const;
  // Releases every factory.
  void ClearFactories();
  // Forgets the custom schemes and releases the factories (at shutdown).
  void Reset();

 private:
  TSchemeRegistry() = default;
};

}  // namespace standin
