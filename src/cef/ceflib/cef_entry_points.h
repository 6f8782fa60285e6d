#pragma once
// The runtime's entry points: one process-wide function pointer per export, named as the export,
// null until LoadChromiumRuntime resolves them and again after UnloadChromiumRuntime. Code in
// namespace ceflib calls the runtime through these pointers (cef_do_message_loop_work()).
// Every one of the 151 must be present: a library lacking any is the wrong version.

#include <cef_capi.h>

namespace ceflib {

// The 151 exports, in the order they are resolved.
#define CEFLIB_ENTRY_POINTS(X) \
  X(cef_string_wide_set) \
  X(cef_string_utf8_set) \
  X(cef_string_utf16_set) \
  X(cef_string_wide_clear) \
  X(cef_string_utf8_clear) \
  X(cef_string_utf16_clear) \
  X(cef_string_wide_cmp) \
  X(cef_string_utf8_cmp) \
  X(cef_string_utf16_cmp) \
  X(cef_string_wide_to_utf8) \
  X(cef_string_utf8_to_wide) \
  X(cef_string_wide_to_utf16) \
  X(cef_string_utf16_to_wide) \
  X(cef_string_utf8_to_utf16) \
  X(cef_string_utf16_to_utf8) \
  X(cef_string_ascii_to_wide) \
  X(cef_string_ascii_to_utf16) \
  X(cef_string_userfree_wide_alloc) \
  X(cef_string_userfree_utf8_alloc) \
  X(cef_string_userfree_utf16_alloc) \
  X(cef_string_userfree_wide_free) \
  X(cef_string_userfree_utf8_free) \
  X(cef_string_userfree_utf16_free) \
  X(cef_string_map_alloc) \
  X(cef_string_map_size) \
  X(cef_string_map_find) \
  X(cef_string_map_key) \
  X(cef_string_map_value) \
  X(cef_string_map_append) \
  X(cef_string_map_clear) \
  X(cef_string_map_free) \
  X(cef_string_list_alloc) \
  X(cef_string_list_size) \
  X(cef_string_list_value) \
  X(cef_string_list_append) \
  X(cef_string_list_clear) \
  X(cef_string_list_free) \
  X(cef_string_list_copy) \
  X(cef_initialize) \
  X(cef_execute_process) \
  X(cef_shutdown) \
  X(cef_do_message_loop_work) \
  X(cef_run_message_loop) \
  X(cef_quit_message_loop) \
  X(cef_set_osmodal_loop) \
  X(cef_enable_highdpi_support) \
  X(cef_register_extension) \
  X(cef_register_scheme_handler_factory) \
  X(cef_clear_scheme_handler_factories) \
  X(cef_add_cross_origin_whitelist_entry) \
  X(cef_remove_cross_origin_whitelist_entry) \
  X(cef_clear_cross_origin_whitelist) \
  X(cef_currently_on) \
  X(cef_post_task) \
  X(cef_post_delayed_task) \
  X(cef_parse_url) \
  X(cef_create_url) \
  X(cef_get_mime_type) \
  X(cef_get_extensions_for_mime_type) \
  X(cef_base64encode) \
  X(cef_base64decode) \
  X(cef_uriencode) \
  X(cef_uridecode) \
  X(cef_parse_csscolor) \
  X(cef_parse_json) \
  X(cef_parse_jsonand_return_error) \
  X(cef_write_json) \
  X(cef_browser_host_create_browser) \
  X(cef_browser_host_create_browser_sync) \
  X(cef_request_create) \
  X(cef_post_data_create) \
  X(cef_post_data_element_create) \
  X(cef_stream_reader_create_for_file) \
  X(cef_stream_reader_create_for_data) \
  X(cef_stream_reader_create_for_handler) \
  X(cef_stream_writer_create_for_file) \
  X(cef_stream_writer_create_for_handler) \
  X(cef_v8context_get_current_context) \
  X(cef_v8context_get_entered_context) \
  X(cef_v8context_in_context) \
  X(cef_v8value_create_undefined) \
  X(cef_v8value_create_null) \
  X(cef_v8value_create_bool) \
  X(cef_v8value_create_int) \
  X(cef_v8value_create_uint) \
  X(cef_v8value_create_double) \
  X(cef_v8value_create_date) \
  X(cef_v8value_create_string) \
  X(cef_v8value_create_object) \
  X(cef_v8value_create_array) \
  X(cef_v8value_create_function) \
  X(cef_v8stack_trace_get_current) \
  X(cef_xml_reader_create) \
  X(cef_zip_reader_create) \
  X(cef_string_multimap_alloc) \
  X(cef_string_multimap_size) \
  X(cef_string_multimap_find_count) \
  X(cef_string_multimap_enumerate) \
  X(cef_string_multimap_key) \
  X(cef_string_multimap_value) \
  X(cef_string_multimap_append) \
  X(cef_string_multimap_clear) \
  X(cef_string_multimap_free) \
  X(cef_cookie_manager_get_global_manager) \
  X(cef_cookie_manager_create_manager) \
  X(cef_command_line_create) \
  X(cef_command_line_get_global) \
  X(cef_process_message_create) \
  X(cef_value_create) \
  X(cef_binary_value_create) \
  X(cef_dictionary_value_create) \
  X(cef_list_value_create) \
  X(cef_get_path) \
  X(cef_launch_process) \
  X(cef_response_create) \
  X(cef_urlrequest_create) \
  X(cef_visit_web_plugin_info) \
  X(cef_refresh_web_plugins) \
  X(cef_add_web_plugin_path) \
  X(cef_add_web_plugin_directory) \
  X(cef_remove_web_plugin_path) \
  X(cef_unregister_internal_web_plugin) \
  X(cef_force_web_plugin_shutdown) \
  X(cef_register_web_plugin_crash) \
  X(cef_is_web_plugin_unstable) \
  X(cef_get_geolocation) \
  X(cef_task_runner_get_for_current_thread) \
  X(cef_task_runner_get_for_thread) \
  X(cef_begin_tracing) \
  X(cef_end_tracing) \
  X(cef_now_from_system_trace_time) \
  X(cef_request_context_get_global_context) \
  X(cef_request_context_create_context) \
  X(create_context_shared) \
  X(cef_get_min_log_level) \
  X(cef_get_vlog_level) \
  X(cef_log) \
  X(cef_get_current_platform_thread_id) \
  X(cef_get_current_platform_thread_handle) \
  X(cef_trace_event_instant) \
  X(cef_trace_event_begin) \
  X(cef_trace_event_end) \
  X(cef_trace_counter) \
  X(cef_trace_counter_id) \
  X(cef_trace_event_async_begin) \
  X(cef_trace_event_async_step_into) \
  X(cef_trace_event_async_step_past) \
  X(cef_trace_event_async_end) \
  X(cef_print_settings_create) \
  X(cef_drag_data_create) \
  X(cef_resource_bundle_get_global)

#define CEFLIB_DECLARE_ENTRY_POINT(name) extern decltype(&::name) name;
CEFLIB_ENTRY_POINTS(CEFLIB_DECLARE_ENTRY_POINT)
#undef CEFLIB_DECLARE_ENTRY_POINT

inline constexpr int CefEntryPointCount = 151;

// The generic string names, bound to the UTF-16 functions along with the table. The runtime's
// string type is UTF-16, so converting to or from UTF-16 is a plain copy.
extern decltype(&::cef_string_utf16_set) cef_string_set;
extern decltype(&::cef_string_utf16_clear) cef_string_clear;
extern decltype(&::cef_string_userfree_utf16_alloc) cef_string_userfree_alloc;
extern decltype(&::cef_string_userfree_utf16_free) cef_string_userfree_free;
extern decltype(&::cef_string_ascii_to_utf16) cef_string_from_ascii;
extern decltype(&::cef_string_utf16_to_utf8) cef_string_to_utf8;
extern decltype(&::cef_string_utf8_to_utf16) cef_string_from_utf8;
extern decltype(&::cef_string_utf16_to_wide) cef_string_to_wide;
extern decltype(&::cef_string_wide_to_utf16) cef_string_from_wide;
extern int (*cef_string_to_utf16)(const char16* src, size_t src_len, cef_string_utf16_t* output);
extern int (*cef_string_from_utf16)(const char16* src, size_t src_len, cef_string_utf16_t* output);

// Resolves every entry point of module, in table order, then binds the generic string names.
// Returns the number of entry points found (CefEntryPointCount when the version is right).
int ResolveEntryPoints(HMODULE module);

// Sets every entry point and generic string name back to null.
void ClearEntryPoints();

}  // namespace ceflib
