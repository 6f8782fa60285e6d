// String multimap exports: key/value pairs in insertion order, duplicate keys kept.

#include "string_collections.h"
#include "string_record.h"

#include <memory>

namespace standin {

TStringPairs* MultimapOf(cef_string_multimap_t handle) { return static_cast<TStringPairs*>(handle); }

namespace {

const std::pair<std::wstring, std::wstring>* At(cef_string_multimap_t map, int index) {
  if (!map || index < 0 || static_cast<size_t>(index) >= MultimapOf(map)->size()) return nullptr;
  return &(*MultimapOf(map))[index];
}

}  // namespace
}  // namespace standin

using namespace standin;

cef_string_multimap_t cef_string_multimap_alloc(void) { return std::make_unique<TStringPairs>().release(); }

int cef_string_multimap_size(cef_string_multimap_t map) {
  return map ? static_cast<int>(MultimapOf(map)->size()) : 0;
}

int cef_string_multimap_find_count(cef_string_multimap_t map, const cef_string_t* key) {
  if (!map) return 0;
  std::wstring_view wanted = View(key);
  int count = 0;
  for (const auto& entry : *MultimapOf(map)) count += entry.first == wanted;
  return count;
}

int cef_string_multimap_enumerate(cef_string_multimap_t map, const cef_string_t* key, int value_index,
                                  cef_string_t* value) {
  if (!map || !value || value_index < 0) return 0;
  std::wstring_view wanted = View(key);
  for (const auto& entry : *MultimapOf(map)) {
    if (entry.first != wanted) continue;
    if (value_index-- == 0) {
      Assign(value, entry.second);
      return 1;
    }
  }
  return 0;
}

int cef_string_multimap_key(cef_string_multimap_t map, int index, cef_string_t* key) {
  const auto* entry = At(map, index);
  if (!entry || !key) return 0;
  Assign(key, entry->first);
  return 1;
}

int cef_string_multimap_value(cef_string_multimap_t map, int index, cef_string_t* value) {
  const auto* entry = At(map, index);
  if (!entry || !value) return 0;
  Assign(value, entry->second);
  return 1;
}

int cef_string_multimap_append(cef_string_multimap_t map, const cef_string_t* key, const cef_string_t* value) {
  if (!map) return 0;
  MultimapOf(map)->emplace_back(Read(key), Read(value));
  return 1;
}

void cef_string_multimap_clear(cef_string_multimap_t map) {
  if (map) MultimapOf(map)->clear();
}

void cef_string_multimap_free(cef_string_multimap_t map) {
  std::unique_ptr<TStringPairs> owned(MultimapOf(map));
}
