// The runtime's records as the C++ compiler lays them out: every size and offset, pinned,
// plus the facts that decide how values cross the boundary: the width of the platform types
// and, on i686, which calling convention each kind of function pointer carries.
#include "layout_checks.inc"

#include <type_traits>

static_assert(sizeof(void*) == sizeof(size_t));
static_assert(sizeof(char16) == 2, "runtime strings are UTF-16");
static_assert(sizeof(cef_char_t) == 2);
static_assert(std::is_same_v<cef_string_t, cef_string_utf16_t>);
static_assert(std::is_same_v<cef_string_userfree_t, cef_string_utf16_t*>);
static_assert(sizeof(cef_string_t) == 3 * sizeof(void*));
static_assert(sizeof(int32) == 4 && sizeof(uint32) == 4);
static_assert(sizeof(int64) == 8 && sizeof(uint64) == 8);
static_assert(sizeof(cef_color_t) == 4);
static_assert(std::is_same_v<decltype(&cef_time_from_timet), int (*)(__time64_t, cef_time_t*)>,
              "the runtime's time_t has 64 bits on both targets");
static_assert(sizeof(__time64_t) == 8);
static_assert(sizeof(cef_string_list_t) == sizeof(void*));
static_assert(sizeof(cef_window_handle_t) == sizeof(void*));
static_assert(sizeof(DWORD) == 4);

#if defined(_M_IX86) || defined(__i386__)
static_assert(sizeof(void*) == 4);
// Function members of reference-counted records are stdcall; the string destructor and the
// exported functions are plain C (cdecl). A mismatch here corrupts the stack at run time.
static_assert(std::is_same_v<decltype(cef_base_t::release), int(__stdcall*)(cef_base_t*)>);
static_assert(!std::is_same_v<decltype(cef_base_t::release), int(__cdecl*)(cef_base_t*)>);
static_assert(std::is_same_v<decltype(cef_frame_t::load_url),
                             void(__stdcall*)(cef_frame_t*, const cef_string_t*)>);
static_assert(std::is_same_v<decltype(cef_string_utf16_t::dtor), void(__cdecl*)(char16*)>);
static_assert(!std::is_same_v<decltype(cef_string_utf16_t::dtor), void(__stdcall*)(char16*)>);
static_assert(std::is_same_v<decltype(&cef_do_message_loop_work), void(__cdecl*)()>);
static_assert(!std::is_same_v<decltype(&cef_do_message_loop_work), void(__stdcall*)()>);
static_assert(std::is_same_v<decltype(&cef_string_utf16_clear), void(__cdecl*)(cef_string_utf16_t*)>);
#else
static_assert(sizeof(void*) == 8);
#endif
