// String map exports. Keys are unique and kept in insertion order; appending a key that is
// already there keeps the first value and reports 0, since nothing was added.

#include "string_collections.h"
#include "string_record.h"

#include <memory>

namespace standin {

TStringPairs* MapOf(cef_string_map_t handle) { return static_cast<TStringPairs*>(handle); }

namespace {

const std::pair<std::wstring, std::wstring>* At(cef_string_map_t map, int index) {
  if (!map || index < 0 || static_cast<size_t>(index) >= MapOf(map)->size()) return nullptr;
  return &(*MapOf(map))[index];
}

}  // namespace
}  // namespace standin

using namespace standin;

cef_string_map_t cef_string_map_alloc(void) { return std::make_unique<TStringPairs>().release(); }

int cef_string_map_size(cef_string_map_t map) { return map ? static_cast<int>(MapOf(map)->size()) : 0; }

int cef_string_map_find(cef_string_map_t map, const cef_string_t* key, cef_string_t* value) {
  if (!map || !value) return 0;
  std::wstring_view wanted = View(key);
  for (const auto& [k, v] : *MapOf(map)) {
    if (k == wanted) {
      Assign(value, v);
      return 1;
    }
  }
  return 0;
}

int cef_string_map_key(cef_string_map_t map, int index, cef_string_t* key) {
  const auto* entry = At(map, index);
  if (!entry || !key) return 0;
  Assign(key, entry->first);
  return 1;
}

int cef_string_map_value(cef_string_map_t map, int index, cef_string_t* value) {
  const auto* entry = At(map, index);
  if (!entry || !value) return 0;
  Assign(value, entry->second);
  return 1;
}

int cef_string_map_append(cef_string_map_t map, const cef_string_t* key, const cef_string_t* value) {
  if (!map) return 0;
  std::wstring_view k = View(key);
  for (const auto& entry : *MapOf(map)) {
    if (entry.first == k) return 0;
  }
  MapOf(map)->emplace_back(std::wstring(k), Read(value));
  return 1;
}

void cef_string_map_clear(cef_string_map_t map) {
  if (map) MapOf(map)->clear();
}

void cef_string_map_free(cef_string_map_t map) {
  std::unique_ptr<TStringPairs> owned(MapOf(map));
}
