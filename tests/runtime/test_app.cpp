#include "test_app.h"

namespace standin_test {
namespace {

TTestApp* App(cef_app_t* self) { return reinterpret_cast<TTestApp*>(self); }

void CEF_CALLBACK OnBeforeCommandLineProcessing(cef_app_t* self, const cef_string_t* process_type,
                                                cef_command_line_t* command_line) {
  TTestApp* app = App(self);
  ++app->command_line_calls;
  app->process_type = process_type && process_type->str ? std::wstring(process_type->str, process_type->length) : L"";
  if (command_line) {
    app->command_line_read_only = command_line->is_read_only(command_line);
    if (!app->switch_to_append.empty()) {
      cef_string_t name = {app->switch_to_append.data(), app->switch_to_append.size(), nullptr};
      command_line->append_switch(command_line, &name);
    }
    command_line->base.release(&command_line->base);
  }
}

void CEF_CALLBACK OnRegisterCustomSchemes(cef_app_t* self, cef_scheme_registrar_t* registrar) {
  TTestApp* app = App(self);
  ++app->register_calls;
  for (auto& scheme : app->schemes) {
    cef_string_t name = {scheme.name.data(), scheme.name.size(), nullptr};
    app->add_results.push_back(registrar->add_custom_scheme(registrar, &name, scheme.is_standard, scheme.is_local,
                                                            scheme.is_display_isolated));
  }
  if (app->keep_registrar) {
    app->kept_registrar = registrar;
  } else {
    registrar->base.release(&registrar->base);
  }
}

cef_resource_bundle_handler_t* CEF_CALLBACK GetResourceBundleHandler(cef_app_t* self) {
  ++App(self)->bundle_asks;
  return nullptr;
}

cef_browser_process_handler_t* CEF_CALLBACK GetBrowserProcessHandler(cef_app_t* self) {
  TTestApp* app = App(self);
  ++app->browser_asks;
  return app->browser_handler ? app->browser_handler->Hand() : nullptr;
}

cef_render_process_handler_t* CEF_CALLBACK GetRenderProcessHandler(cef_app_t* self) {
  TTestApp* app = App(self);
  ++app->render_asks;
  return app->render_handler ? app->render_handler->Hand() : nullptr;
}

}  // namespace

TTestApp::TTestApp() {
  counted.data.on_before_command_line_processing = &OnBeforeCommandLineProcessing;
  counted.data.on_register_custom_schemes = &OnRegisterCustomSchemes;
  counted.data.get_resource_bundle_handler = &GetResourceBundleHandler;
  counted.data.get_browser_process_handler = &GetBrowserProcessHandler;
  counted.data.get_render_process_handler = &GetRenderProcessHandler;
}

}  // namespace standin_test
