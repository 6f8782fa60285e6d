#include "ceflib/cef_string_map.h"

#include "ceflib/cef_entry_points.h"
#include "ceflib/cef_string.h"

namespace ceflib {
namespace {

// Reads one string the runtime copies into a record of ours, then frees the copy.
template <class Fn, class... A>
ustring ReadInto(Fn fn, A... args) {
  cef_string_t record{};
  fn(args..., &record);
  return CefStringTakeAndClear(&record);
}

}  // namespace

TCefStringMap::TCefStringMap() : FMap(cef_string_map_alloc()) {}

TCefStringMap::~TCefStringMap() { cef_string_map_free(FMap); }

int TCefStringMap::Size() const { return cef_string_map_size(FMap); }

ustring TCefStringMap::Key(int index) const { return ReadInto(cef_string_map_key, FMap, index); }

ustring TCefStringMap::Value(int index) const { return ReadInto(cef_string_map_value, FMap, index); }

ustring TCefStringMap::Find(const ustring& key) const {
  cef_string_t view = CefStringView(key);
  return ReadInto(cef_string_map_find, FMap, static_cast<const cef_string_t*>(&view));
}

bool TCefStringMap::Append(const ustring& key, const ustring& value) {
  cef_string_t keyView = CefStringView(key), valueView = CefStringView(value);
  return cef_string_map_append(FMap, &keyView, &valueView) != 0;
}

TCefStringMultimap::TCefStringMultimap() : FMap(cef_string_multimap_alloc()) {}

TCefStringMultimap::~TCefStringMultimap() { cef_string_multimap_free(FMap); }

int TCefStringMultimap::Size() const { return cef_string_multimap_size(FMap); }

ustring TCefStringMultimap::Key(int index) const { return ReadInto(cef_string_multimap_key, FMap, index); }

ustring TCefStringMultimap::Value(int index) const { return ReadInto(cef_string_multimap_value, FMap, index); }

int TCefStringMultimap::FindCount(const ustring& key) const {
  cef_string_t view = CefStringView(key);
  return cef_string_multimap_find_count(FMap, &view);
}

ustring TCefStringMultimap::Enumerate(const ustring& key, int valueIndex) const {
  cef_string_t view = CefStringView(key);
  return ReadInto(cef_string_multimap_enumerate, FMap, static_cast<const cef_string_t*>(&view), valueIndex);
}

bool TCefStringMultimap::Append(const ustring& key, const ustring& value) {
  cef_string_t keyView = CefStringView(key), valueView = CefStringView(value);
  return cef_string_multimap_append(FMap, &keyView, &valueView) != 0;
}

}  // namespace ceflib
