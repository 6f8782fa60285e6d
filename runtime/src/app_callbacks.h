#pragma once
// Calls into the program's application object. Every object argument carries one reference
// for the program; every object a getter returns is released once it has been looked at.

#include "command_line.h"

#include <cef_capi.h>

#include <string_view>

namespace standin {

void CallBeforeCommandLineProcessing(cef_app_t* app, std::wstring_view process_type, TCommandLine& command_line);
// Hands a registrar to on_register_custom_schemes; it stops accepting schemes afterwards.
void CallRegisterCustomSchemes(cef_app_t* app);
void AskResourceBundleHandler(cef_app_t* app);
void AskBrowserProcessHandler(cef_app_t* app);
void AskRenderProcessHandler(cef_app_t* app);

}  // namespace standin
