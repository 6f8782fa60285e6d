#pragma once
// The runtime's own copy of the settings record handed to cef_initialize: every field, texts
// copied out of the caller's buffers (which need only live for the call).

#include <cef_capi.h>

#include <string>

namespace standin {

struct TRuntimeSettings {
  size_t size = 0;  // as the caller declared it
  int single_process = 0;
  int no_sandbox = 0;
  std::wstring browser_subprocess_path;
  int multi_threaded_message_loop = 0;
  int windowless_rendering_enabled = 0;
  int command_line_args_disabled = 0;
  std::wstring cache_path;
  std::wstring user_data_path;
  int persist_session_cookies = 0;
  std::wstring user_agent;
  std::wstring product_version;
  std::wstring locale;
  std::wstring log_file;
  int log_severity = 0;
  std::wstring javascript_flags;
  std::wstring resources_dir_path;
  std::wstring locales_dir_path;
  int pack_loading_disabled = 0;
  int remote_debugging_port = 0;
  int uncaught_exception_stack_size = 0;
  int context_safety_implementation = 0;
  int ignore_certificate_errors = 0;
  cef_color_t background_color = 0;
  std::wstring accept_language_list;
};

// Copies the fields that lie within the record's declared size; the rest stay zero.
TRuntimeSettings CopySettings(const cef_settings_t* settings);

// Writes the "initialize" journal line: every field, texts with their lengths.
void JournalSettings(const TRuntimeSettings& settings, const void* instance, const void* sandbox_info);

}  // namespace standin
