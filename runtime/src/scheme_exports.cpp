// cef_register_scheme_handler_factory and cef_clear_scheme_handler_factories. The runtime
// keeps a factory with the one reference it was handed, and releases it when another factory
// replaces it, when the factories are cleared, or at shutdown.

#include "held_ref.h"
#include "journal.h"
#include "runtime_state.h"
#include "scheme_registry.h"
#include "string_record.h"

using namespace standin;

int cef_register_scheme_handler_factory(const cef_string_t* scheme_name, const cef_string_t* domain_name,
                                        cef_scheme_handler_factory_t* factory) {
  auto held = THeld<cef_scheme_handler_factory_t>::Adopt(factory, "scheme_handler_factory");
  bool accepted = TRuntimeState::Instance().Initialized() && !View(scheme_name).empty();
  bool replaced = false;
  if (accepted) TSchemeRegistry::Instance().SetFactory(View(scheme_name), View(domain_name), std::move(held), &replaced);
  TJournalLine("register_scheme_handler_factory")
      .Text("scheme", View(scheme_name))
      .Text("domain", View(domain_name))
      .Word("factory", factory ? "object" : "null")
      .Int("replaced", replaced ? 1 : 0)
      .Int("result", accepted ? 1 : 0)
      .Write();
  return accepted ? 1 : 0;
}

int cef_clear_scheme_handler_factories(void) {
  if (!TRuntimeState::Instance().Initialized()) return 0;
  size_t count = TSchemeRegistry::Instance().FactoryCount();
  TSchemeRegistry::Instance().ClearFactories();
  TJournalLine("clear_scheme_handler_factories").Unsigned("count", count).Write();
  return 1;
}
