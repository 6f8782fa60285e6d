// The string record exports: set, clear, compare, convert and the caller-freed strings, for
// the three record types. A record that owns its buffer carries the runtime's dtor; buffers
// are one extra unit long and zero-terminated so that callers may treat them as C strings.

#include "string_record.h"
#include "utf.h"

#include <cstdlib>
#include <cstring>
#include <type_traits>

namespace standin {
namespace {

template <class Char>
void FreeBuffer(Char* str) {
  std::free(str);
}

template <class Record>
using CharOf = std::remove_pointer_t<decltype(Record::str)>;

template <class Record>
void Clear(Record* record) {
  if (!record) return;
  if (record->dtor && record->str) record->dtor(record->str);
  record->str = nullptr;
  record->length = 0;
  record->dtor = nullptr;
}

template <class Record>
int Set(const CharOf<Record>* src, size_t src_len, Record* output, int copy) {
  using Char = CharOf<Record>;
  if (!output) return 0;
  if (!src) src_len = 0;
  if (!copy) {
    Clear(output);
    output->str = const_cast<Char*>(src);
    output->length = src_len;
    return 1;
  }
  // Copy before clearing: the source may be the record's own buffer.
  Char* buffer = nullptr;
  if (src_len > 0) {
    buffer = static_cast<Char*>(std::malloc((src_len + 1) * sizeof(Char)));
    if (!buffer) return 0;
    std::memcpy(buffer, src, src_len * sizeof(Char));
    buffer[src_len] = 0;
  }
  Clear(output);
  output->str = buffer;
  output->length = buffer ? src_len : 0;
  output->dtor = buffer ? &FreeBuffer<Char> : nullptr;
  return 1;
}

template <class Record>
int Compare(const Record* a, const Record* b) {
  using Unit = std::conditional_t<sizeof(CharOf<Record>) == 1, unsigned char, char16_t>;
  size_t la = a ? a->length : 0;
  size_t lb = b ? b->length : 0;
  size_t n = la < lb ? la : lb;
  for (size_t i = 0; i < n; ++i) {
    Unit ca = static_cast<Unit>(a->str[i]);
    Unit cb = static_cast<Unit>(b->str[i]);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (la == lb) return 0;
  return la < lb ? -1 : 1;
}

template <class Record>
Record* AllocUserFree() {
  return static_cast<Record*>(std::calloc(1, sizeof(Record)));
}

template <class Record>
void FreeUserFree(Record* record) {
  if (!record) return;
  Clear(record);
  std::free(record);
}

int SetWide(std::wstring_view text, cef_string_wide_t* out) { return Set(text.data(), text.size(), out, 1); }
int SetUtf16(std::wstring_view text, cef_string_utf16_t* out) { return Set(text.data(), text.size(), out, 1); }
int SetUtf8(std::string_view text, cef_string_utf8_t* out) { return Set(text.data(), text.size(), out, 1); }

std::wstring_view WideView(const wchar_t* src, size_t len) { return src ? std::wstring_view(src, len) : std::wstring_view(); }
std::string_view ByteView(const char* src, size_t len) { return src ? std::string_view(src, len) : std::string_view(); }

// A conversion writes its output even when the input was malformed (with replacement
// characters) and then reports 0, so the caller sees both the text and the fault.
int ToUtf8Record(const wchar_t* src, size_t len, cef_string_utf8_t* out) {
  if (!out) return 0;
  std::string utf8;
  bool valid = Utf16ToUtf8(WideView(src, len), utf8);
  return SetUtf8(utf8, out) && valid;
}

template <class Record>
int FromUtf8Record(const char* src, size_t len, Record* out) {
  if (!out) return 0;
  std::wstring wide;
  bool valid = Utf8ToUtf16(ByteView(src, len), wide);
  return Set(wide.data(), wide.size(), out, 1) && valid;
}

}  // namespace

std::wstring_view View(const cef_string_t* s) {
  if (!s || !s->str) return {};
  return std::wstring_view(s->str, s->length);
}

std::wstring Read(const cef_string_t* s) { return std::wstring(View(s)); }

void Assign(cef_string_t* out, std::wstring_view text) {
  if (out) SetUtf16(text, out);
}

cef_string_userfree_t NewUserFree(std::wstring_view text) {
  cef_string_userfree_t record = AllocUserFree<cef_string_utf16_t>();
  if (record) SetUtf16(text, record);
  return record;
}

cef_string_userfree_t UserFreeResult(std::wstring_view text) {
  return text.empty() ? nullptr : NewUserFree(text);
}

}  // namespace standin

using namespace standin;

int cef_string_wide_set(const wchar_t* src, size_t src_len, cef_string_wide_t* output, int copy) {
  return Set(src, src_len, output, copy);
}
int cef_string_utf8_set(const char* src, size_t src_len, cef_string_utf8_t* output, int copy) {
  return Set(src, src_len, output, copy);
}
int cef_string_utf16_set(const char16* src, size_t src_len, cef_string_utf16_t* output, int copy) {
  return Set(src, src_len, output, copy);
}

void cef_string_wide_clear(cef_string_wide_t* str) { Clear(str); }
void cef_string_utf8_clear(cef_string_utf8_t* str) { Clear(str); }
void cef_string_utf16_clear(cef_string_utf16_t* str) { Clear(str); }

int cef_string_wide_cmp(const cef_string_wide_t* str1, const cef_string_wide_t* str2) { return Compare(str1, str2); }
int cef_string_utf8_cmp(const cef_string_utf8_t* str1, const cef_string_utf8_t* str2) { return Compare(str1, str2); }
int cef_string_utf16_cmp(const cef_string_utf16_t* str1, const cef_string_utf16_t* str2) { return Compare(str1, str2); }

// On Windows the wide character is a UTF-16 code unit, so wide and UTF-16 convert by copying.
int cef_string_wide_to_utf8(const wchar_t* src, size_t src_len, cef_string_utf8_t* output) {
  return ToUtf8Record(src, src_len, output);
}
int cef_string_utf8_to_wide(const char* src, size_t src_len, cef_string_wide_t* output) {
  return FromUtf8Record(src, src_len, output);
}
int cef_string_wide_to_utf16(const wchar_t* src, size_t src_len, cef_string_utf16_t* output) {
  return output ? SetUtf16(WideView(src, src_len), output) : 0;
}
int cef_string_utf16_to_wide(const char16* src, size_t src_len, cef_string_wide_t* output) {
  return output ? SetWide(WideView(src, src_len), output) : 0;
}
int cef_string_utf8_to_utf16(const char* src, size_t src_len, cef_string_utf16_t* output) {
  return FromUtf8Record(src, src_len, output);
}
int cef_string_utf16_to_utf8(const char16* src, size_t src_len, cef_string_utf8_t* output) {
  return ToUtf8Record(src, src_len, output);
}
int cef_string_ascii_to_wide(const char* src, size_t src_len, cef_string_wide_t* output) {
  return output ? SetWide(WidenBytes(ByteView(src, src_len)), output) : 0;
}
int cef_string_ascii_to_utf16(const char* src, size_t src_len, cef_string_utf16_t* output) {
  return output ? SetUtf16(WidenBytes(ByteView(src, src_len)), output) : 0;
}

cef_string_userfree_wide_t cef_string_userfree_wide_alloc(void) { return AllocUserFree<cef_string_wide_t>(); }
cef_string_userfree_utf8_t cef_string_userfree_utf8_alloc(void) { return AllocUserFree<cef_string_utf8_t>(); }
cef_string_userfree_utf16_t cef_string_userfree_utf16_alloc(void) { return AllocUserFree<cef_string_utf16_t>(); }

void cef_string_userfree_wide_free(cef_string_userfree_wide_t str) { FreeUserFree(str); }
void cef_string_userfree_utf8_free(cef_string_userfree_utf8_t str) { FreeUserFree(str); }
void cef_string_userfree_utf16_free(cef_string_userfree_utf16_t str) { FreeUserFree(str); }
