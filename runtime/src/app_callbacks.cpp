#include "app_callbacks.h"

#include "held_ref.h"
#include "journal.h"
#include "scheme_registry.h"

#include <type_traits>

namespace standin {
namespace {

// The handler is not used further here, so the reference that came with it goes straight back.
template <class Getter>
void AskGetter(cef_app_t* app, Getter cef_app_t::*getter, const char* name, const char* kind) {
  if (!app || !(app->*getter)) return;
  using Struct = std::remove_pointer_t<decltype((app->*getter)(app))>;
  THeld<Struct> handler = THeld<Struct>::Adopt((app->*getter)(app), kind);
  TJournalLine("app_callback").Word("name", name).Word("result", handler ? "object" : "null").Write();
}

}  // namespace

void CallBeforeCommandLineProcessing(cef_app_t* app, std::wstring_view process_type, TCommandLine& command_line) {
  if (!app || !app->on_before_command_line_processing) return;
  TJournalLine("app_callback").Word("name", "on_before_command_line_processing").Text("process_type", process_type).Write();
  cef_string_t type = {};
  type.str = const_cast<char16*>(process_type.data());
  type.length = process_type.size();
  app->on_before_command_line_processing(app, &type, command_line.PassOut());
}

void CallRegisterCustomSchemes(cef_app_t* app) {
  if (!app || !app->on_register_custom_schemes) return;
  TJournalLine("app_callback").Word("name", "on_register_custom_schemes").Write();
  auto registrar = MakeRuntimeObject<TSchemeRegistrar>();
  app->on_register_custom_schemes(app, registrar->PassOut());
  registrar->Close();
}

void AskResourceBundleHandler(cef_app_t* app) {
  AskGetter(app, &cef_app_t::get_resource_bundle_handler, "get_resource_bundle_handler",
                                           "resource_bundle_handler");
}

void AskBrowserProcessHandler(cef_app_t* app) {
  AskGetter(app, &cef_app_t::get_browser_process_handler, "get_browser_process_handler",
                                           "browser_process_handler");
}

void AskRenderProcessHandler(cef_app_t* app) {
  AskGetter(app, &cef_app_t::get_render_process_handler, "get_render_process_handler",
                                          "render_process_handler");
}

}  // namespace standin
