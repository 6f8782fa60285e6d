#include "runtime_settings.h"

#include "journal.h"
#include "string_record.h"

#include <cstring>

namespace standin {

TRuntimeSettings CopySettings(const cef_settings_t* settings) {
  TRuntimeSettings copy;
  if (!settings) return copy;
  // A caller built against an older, smaller record leaves the later fields out.
  cef_settings_t record;
  std::memset(&record, 0, sizeof record);
  size_t declared = settings->size;
  std::memcpy(&record, settings, declared < sizeof record ? declared : sizeof record);
  copy.size = declared;
  copy.single_process = record.single_process;
  copy.no_sandbox = record.no_sandbox;
  copy.browser_subprocess_path = Read(&record.browser_subprocess_path);
  copy.multi_threaded_message_loop = record.multi_threaded_message_loop;
  copy.windowless_rendering_enabled = record.windowless_rendering_enabled;
  copy.command_line_args_disabled = record.command_line_args_disabled;
  copy.cache_path = Read(&record.cache_path);
  copy.user_data_path = Read(&record.user_data_path);
  copy.persist_session_cookies = record.persist_session_cookies;
  copy.user_agent = Read(&record.user_agent);
  copy.product_version = Read(&record.product_version);
  copy.locale = Read(&record.locale);
  copy.log_file = Read(&record.log_file);
  copy.log_severity = record.log_severity;
  copy.javascript_flags = Read(&record.javascript_flags);
  copy.resources_dir_path = Read(&record.resources_dir_path);
  copy.locales_dir_path = Read(&record.locales_dir_path);
  copy.pack_loading_disabled = record.pack_loading_disabled;
  copy.remote_debugging_port = record.remote_debugging_port;
  copy.uncaught_exception_stack_size = record.uncaught_exception_stack_size;
  copy.context_safety_implementation = record.context_safety_implementation;
  copy.ignore_certificate_errors = record.ignore_certificate_errors;
  copy.background_color = record.background_color;
  copy.accept_language_list = Read(&record.accept_language_list);
  return copy;
}

void JournalSettings(const TRuntimeSettings& s, const void* instance, const void* sandbox_info) {
  TJournalLine("initialize")
      .Unsigned("size", s.size)
      .Int("single_process", s.single_process)
      .Int("no_sandbox", s.no_sandbox)
      .TextWithLength("browser_subprocess_path", s.browser_subprocess_path)
      .Int("multi_threaded_message_loop", s.multi_threaded_message_loop)
      .Int("windowless_rendering_enabled", s.windowless_rendering_enabled)
      .Int("command_line_args_disabled", s.command_line_args_disabled)
      .TextWithLength("cache_path", s.cache_path)
      .TextWithLength("user_data_path", s.user_data_path)
      .Int("persist_session_cookies", s.persist_session_cookies)
      .TextWithLength("user_agent", s.user_agent)
      .TextWithLength("product_version", s.product_version)
      .TextWithLength("locale", s.locale)
      .TextWithLength("log_file", s.log_file)
      .Int("log_severity", s.log_severity)
      .TextWithLength("javascript_flags", s.javascript_flags)
      .TextWithLength("resources_dir_path", s.resources_dir_path)
      .TextWithLength("locales_dir_path", s.locales_dir_path)
      .Int("pack_loading_disabled", s.pack_loading_disabled)
      .Int("remote_debugging_port", s.remote_debugging_port)
      .Int("uncaught_exception_stack_size", s.uncaught_exception_stack_size)
      .Int("context_safety_implementation", s.context_safety_implementation)
      .Int("ignore_certificate_errors", s.ignore_certificate_errors)
      .Unsigned("background_color", s.background_color)
      .TextWithLength("accept_language_list", s.accept_language_list)
      .Pointer("instance", instance)
      .Pointer("sandbox_info", sandbox_info)
      .Write();
}

}  // namespace standin
