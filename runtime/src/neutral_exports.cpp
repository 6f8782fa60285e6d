// Every export the stand-in does not implement. Each exists, so a loader finds all of the
// runtime's names, and answers as the real runtime does when it has nothing to give:
//
//   export                                        answer   object arguments
//   ---------------------------------------------  -------  -------------------------------
//   cef_get_min_log_level, cef_get_vlog_level      0        -
//   cef_log, cef_trace_* (9 functions)             nothing  -
//   cef_now_from_system_trace_time                 0        -
//   cef_begin_tracing, cef_end_tracing             0        callback released, never called
//   cef_run_message_loop                           returns at once (work is pumped with
//                                                  cef_do_message_loop_work)
//   cef_quit_message_loop, cef_set_osmodal_loop,
//   cef_enable_highdpi_support                     nothing  -
//   cef_request_context_get_global_context         null     -
//   cef_request_context_create_context             null     handler released
//   create_context_shared                          null     other context, handler released
//   cef_drag_data_create, cef_print_settings_create,
//   cef_process_message_create,
//   cef_post_data_create, cef_post_data_element_create,
//   cef_value_create,
//   cef_dictionary_value_create, cef_list_value_create,
//   cef_resource_bundle_get_global                 null     -
//   cef_get_geolocation                            0        callback released, never called
//   cef_add/remove_cross_origin_whitelist_entry,
//   cef_clear_cross_origin_whitelist               0        -
//   cef_parse_csscolor                             0        colour untouched
//   cef_parse_json, cef_parse_jsonand_return_error null     error outputs untouched
//   cef_write_json                                 null     node released
//   cef_get_path                                   0        path untouched
//   cef_launch_process                             0        command line released
//   cef_stream_reader_create_for_file/_for_data,
//   cef_stream_writer_create_for_file              null     -
//   cef_stream_reader/writer_create_for_handler    null     handler released
//   cef_task_runner_get_for_current_thread/_thread null     -
//   cef_urlrequest_create                          null     request, client, context released
//   cef_v8context_get_current/entered_context      null     -
//   cef_v8context_in_context                       0        -
//   cef_v8value_create_* (11), cef_v8stack_trace_get_current
//                                                  null     accessor / handler released
//   cef_register_extension                         0        handler released
//   cef_visit_web_plugin_info                      nothing  visitor released, never called
//   cef_is_web_plugin_unstable                     nothing  callback released, never called
//   cef_refresh_web_plugins, cef_add_web_plugin_path, cef_add_web_plugin_directory,
//   cef_remove_web_plugin_path, cef_unregister_internal_web_plugin,
//   cef_force_web_plugin_shutdown, cef_register_web_plugin_crash
//                                                  nothing  -
//   cef_xml_reader_create, cef_zip_reader_create   null     stream released
//
// Apart from the logging and tracing functions, each call is journalled as
// "neutral name=<export>", so a test can see that a program relied on one of them.

#include "held_ref.h"
#include "journal.h"

using namespace standin;

namespace {

void Note(const char* name) { TJournalLine("neutral").Word("name", name).Write(); }

// Gives back the reference that came with an object argument.
template <class Struct>
void GiveBack(Struct* object) {
  THeld<Struct>::Adopt(object, "argument").Reset();
}

}  // namespace

int cef_get_min_log_level(void) { return 0; }
int cef_get_vlog_level(const char*, size_t) { return 0; }
void cef_log(const char*, int, int, const char*) {}

void cef_trace_event_instant(const char*, const char*, const char*, uint64, const char*, uint64, int) {}
void cef_trace_event_begin(const char*, const char*, const char*, uint64, const char*, uint64, int) {}
void cef_trace_event_end(const char*, const char*, const char*, uint64, const char*, uint64, int) {}
void cef_trace_counter(const char*, const char*, const char*, uint64, const char*, uint64, int) {}
void cef_trace_counter_id(const char*, const char*, uint64, const char*, uint64, const char*, uint64, int) {}
void cef_trace_event_async_begin(const char*, const char*, uint64, const char*, uint64, const char*, uint64, int) {}
void cef_trace_event_async_step_into(const char*, const char*, uint64, uint64, const char*, uint64, int) {}
void cef_trace_event_async_step_past(const char*, const char*, uint64, uint64, const char*, uint64, int) {}
void cef_trace_event_async_end(const char*, const char*, uint64, const char*, uint64, const char*, uint64, int) {}
int64 cef_now_from_system_trace_time(void) { return 0; }

int cef_begin_tracing(const cef_string_t*, cef_completion_callback_t* callback) {
  GiveBack(callback);
  Note("cef_begin_tracing");
  return 0;
}
int cef_end_tracing(const cef_string_t*, cef_end_tracing_callback_t* callback) {
  GiveBack(callback);
  Note("cef_end_tracing");
  return 0;
}

void cef_run_message_loop(void) { Note("cef_run_message_loop"); }
void cef_quit_message_loop(void) { Note("cef_quit_message_loop"); }
void cef_set_osmodal_loop(int) { Note("cef_set_osmodal_loop"); }
void cef_enable_highdpi_support(void) { Note("cef_enable_highdpi_support"); }

cef_request_context_t* cef_request_context_get_global_context(void) {
  Note("cef_request_context_get_global_context");
  return nullptr;
}
cef_request_context_t* cef_request_context_create_context(const cef_request_context_settings_t*,
                                                          cef_request_context_handler_t* handler) {
  GiveBack(handler);
  Note("cef_request_context_create_context");
  return nullptr;
}
cef_request_context_t* create_context_shared(cef_request_context_t* other, cef_request_context_handler_t* handler) {
  GiveBack(other);
  GiveBack(handler);
  Note("create_context_shared");
  return nullptr;
}

cef_drag_data_t* cef_drag_data_create(void) {
  Note("cef_drag_data_create");
  return nullptr;
}
cef_print_settings_t* cef_print_settings_create(void) {
  Note("cef_print_settings_create");
  return nullptr;
}
cef_process_message_t* cef_process_message_create(const cef_string_t*) {
  Note("cef_process_message_create");
  return nullptr;
}
cef_post_data_t* cef_post_data_create(void) {
  Note("cef_post_data_create");
  return nullptr;
}
cef_post_data_element_t* cef_post_data_element_create(void) {
  Note("cef_post_data_element_create");
  return nullptr;
}
cef_value_t* cef_value_create(void) {
  Note("cef_value_create");
  return nullptr;
}
cef_dictionary_value_t* cef_dictionary_value_create(void) {
  Note("cef_dictionary_value_create");
  return nullptr;
}
cef_list_value_t* cef_list_value_create(void) {
  Note("cef_list_value_create");
  return nullptr;
}

// Left out of the build that plays a runtime of the wrong version.
#ifndef STANDIN_WITHOUT_RESOURCE_BUNDLE
cef_resource_bundle_t* cef_resource_bundle_get_global(void) {
  Note("cef_resource_bundle_get_global");
  return nullptr;
}
#endif

int cef_get_geolocation(cef_get_geolocation_callback_t* callback) {
  GiveBack(callback);
  Note("cef_get_geolocation");
  return 0;
}

int cef_add_cross_origin_whitelist_entry(const cef_string_t*, const cef_string_t*, const cef_string_t*, int) {
  Note("cef_add_cross_origin_whitelist_entry");
  return 0;
}
int cef_remove_cross_origin_whitelist_entry(const cef_string_t*, const cef_string_t*, const cef_string_t*, int) {
  Note("cef_remove_cross_origin_whitelist_entry");
  return 0;
}
int cef_clear_cross_origin_whitelist(void) {
  Note("cef_clear_cross_origin_whitelist");
  return 0;
}

int cef_parse_csscolor(const cef_string_t*, int, cef_color_t*) {
  Note("cef_parse_csscolor");
  return 0;
}
cef_value_t* cef_parse_json(const cef_string_t*, cef_json_parser_options_t) {
  Note("cef_parse_json");
  return nullptr;
}
cef_value_t* cef_parse_jsonand_return_error(const cef_string_t*, cef_json_parser_options_t, cef_json_parser_error_t*,
                                            cef_string_t*) {
  Note("cef_parse_jsonand_return_error");
  return nullptr;
}
cef_string_userfree_t cef_write_json(cef_value_t* node, cef_json_writer_options_t) {
  GiveBack(node);
  Note("cef_write_json");
  return nullptr;
}

int cef_get_path(cef_path_key_t, cef_string_t*) {
  Note("cef_get_path");
  return 0;
}
int cef_launch_process(cef_command_line_t* command_line) {
  GiveBack(command_line);
  Note("cef_launch_process");
  return 0;
}

cef_stream_reader_t* cef_stream_reader_create_for_file(const cef_string_t*) {
  Note("cef_stream_reader_create_for_file");
  return nullptr;
}
cef_stream_reader_t* cef_stream_reader_create_for_data(void*, size_t) {
  Note("cef_stream_reader_create_for_data");
  return nullptr;
}
cef_stream_reader_t* cef_stream_reader_create_for_handler(cef_read_handler_t* handler) {
  GiveBack(handler);
  Note("cef_stream_reader_create_for_handler");
  return nullptr;
}
cef_stream_writer_t* cef_stream_writer_create_for_file(const cef_string_t*) {
  Note("cef_stream_writer_create_for_file");
  return nullptr;
}
cef_stream_writer_t* cef_stream_writer_create_for_handler(cef_write_handler_t* handler) {
  GiveBack(handler);
  Note("cef_stream_writer_create_for_handler");
  return nullptr;
}

cef_task_runner_t* cef_task_runner_get_for_current_thread(void) {
  Note("cef_task_runner_get_for_current_thread");
  return nullptr;
}
cef_task_runner_t* cef_task_runner_get_for_thread(cef_thread_id_t) {
  Note("cef_task_runner_get_for_thread");
  return nullptr;
}

cef_urlrequest_t* cef_urlrequest_create(cef_request_t* request, cef_urlrequest_client_t* client,
                                        cef_request_context_t* request_context) {
  GiveBack(request);
  GiveBack(client);
  GiveBack(request_context);
  Note("cef_urlrequest_create");
  return nullptr;
}

cef_v8context_t* cef_v8context_get_current_context(void) {
  Note("cef_v8context_get_current_context");
  return nullptr;
}
cef_v8context_t* cef_v8context_get_entered_context(void) {
  Note("cef_v8context_get_entered_context");
  return nullptr;
}
int cef_v8context_in_context(void) {
  Note("cef_v8context_in_context");
  return 0;
}
cef_v8value_t* cef_v8value_create_undefined(void) {
  Note("cef_v8value_create_undefined");
  return nullptr;
}
cef_v8value_t* cef_v8value_create_null(void) {
  Note("cef_v8value_create_null");
  return nullptr;
}
cef_v8value_t* cef_v8value_create_bool(int) {
  Note("cef_v8value_create_bool");
  return nullptr;
}
cef_v8value_t* cef_v8value_create_int(int32) {
  Note("cef_v8value_create_int");
  return nullptr;
}
cef_v8value_t* cef_v8value_create_uint(uint32) {
  Note("cef_v8value_create_uint");
  return nullptr;
}
cef_v8value_t* cef_v8value_create_double(double) {
  Note("cef_v8value_create_double");
  return nullptr;
}
cef_v8value_t* cef_v8value_create_date(const cef_time_t*) {
  Note("cef_v8value_create_date");
  return nullptr;
}
cef_v8value_t* cef_v8value_create_string(const cef_string_t*) {
  Note("cef_v8value_create_string");
  return nullptr;
}
cef_v8value_t* cef_v8value_create_object(cef_v8accessor_t* accessor) {
  GiveBack(accessor);
  Note("cef_v8value_create_object");
  return nullptr;
}
cef_v8value_t* cef_v8value_create_array(int) {
  Note("cef_v8value_create_array");
  return nullptr;
}
cef_v8value_t* cef_v8value_create_function(const cef_string_t*, cef_v8handler_t* handler) {
  GiveBack(handler);
  Note("cef_v8value_create_function");
  return nullptr;
}
cef_v8stack_trace_t* cef_v8stack_trace_get_current(int) {
  Note("cef_v8stack_trace_get_current");
  return nullptr;
}
int cef_register_extension(const cef_string_t*, const cef_string_t*, cef_v8handler_t* handler) {
  GiveBack(handler);
  Note("cef_register_extension");
  return 0;
}

void cef_visit_web_plugin_info(cef_web_plugin_info_visitor_t* visitor) {
  GiveBack(visitor);
  Note("cef_visit_web_plugin_info");
}
void cef_refresh_web_plugins(void) { Note("cef_refresh_web_plugins"); }
void cef_add_web_plugin_path(const cef_string_t*) { Note("cef_add_web_plugin_path"); }
void cef_add_web_plugin_directory(const cef_string_t*) { Note("cef_add_web_plugin_directory"); }
void cef_remove_web_plugin_path(const cef_string_t*) { Note("cef_remove_web_plugin_path"); }
void cef_unregister_internal_web_plugin(const cef_string_t*) { Note("cef_unregister_internal_web_plugin"); }
void cef_force_web_plugin_shutdown(const cef_string_t*) { Note("cef_force_web_plugin_shutdown"); }
void cef_register_web_plugin_crash(const cef_string_t*) { Note("cef_register_web_plugin_crash"); }
void cef_is_web_plugin_unstable(const cef_string_t*, cef_web_plugin_unstable_callback_t* callback) {
  GiveBack(callback);
  Note("cef_is_web_plugin_unstable");
}

cef_xml_reader_t* cef_xml_reader_create(cef_stream_reader_t* stream, cef_xml_encoding_type_t, const cef_string_t*) {
  GiveBack(stream);
  Note("cef_xml_reader_create");
  return nullptr;
}
cef_zip_reader_t* cef_zip_reader_create(cef_stream_reader_t* stream) {
  GiveBack(stream);
  Note("cef_zip_reader_create");
  return nullptr;
}
