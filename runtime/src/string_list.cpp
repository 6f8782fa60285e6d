// String list exports: an ordered vector of texts behind an opaque handle.

#include "string_collections.h"
#include "string_record.h"

#include <memory>

namespace standin {

TStringList* ListOf(cef_string_list_t handle) { return static_cast<TStringList*>(handle); }

}  // namespace standin

using namespace standin;

cef_string_list_t cef_string_list_alloc(void) { return std::make_unique<TStringList>().release(); }

int cef_string_list_size(cef_string_list_t list) {
  return list ? static_cast<int>(ListOf(list)->size()) : 0;
}

int cef_string_list_value(cef_string_list_t list, int index, cef_string_t* value) {
  if (!list || !value || index < 0 || static_cast<size_t>(index) >= ListOf(list)->size()) return 0;
  Assign(value, (*ListOf(list))[index]);
  return 1;
}

void cef_string_list_append(cef_string_list_t list, const cef_string_t* value) {
  if (list) ListOf(list)->push_back(Read(value));
}

void cef_string_list_clear(cef_string_list_t list) {
  if (list) ListOf(list)->clear();
}

void cef_string_list_free(cef_string_list_t list) {
  std::unique_ptr<TStringList> owned(ListOf(list));
}

cef_string_list_t cef_string_list_copy(cef_string_list_t list) {
  if (!list) return nullptr;
  return std::make_unique<TStringList>(*ListOf(list)).release();
}
