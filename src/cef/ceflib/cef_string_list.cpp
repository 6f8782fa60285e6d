#include "ceflib/cef_string_list.h"

#include "ceflib/cef_entry_points.h"
#include "ceflib/cef_string.h"

namespace ceflib {

void CefStringListAppendTo(cef_string_list_t list, ustringlist& texts) {
  int count = cef_string_list_size(list);
  for (int i = 0; i < count; ++i) {
    cef_string_t value{};
    cef_string_list_value(list, i, &value);
    texts.push_back(CefStringTakeAndClear(&value));
  }
}

TCefStringListFilled::TCefStringListFilled() : FList(cef_string_list_alloc()) {}

TCefStringListFilled::~TCefStringListFilled() { cef_string_list_free(FList); }

TCefStringListGiven::TCefStringListGiven(const ustringlist& texts) : FList(cef_string_list_alloc()) {
  for (const ustring& text : texts) {
    cef_string_t view = CefStringView(text);
    cef_string_list_append(FList, &view);  // the runtime copies it
  }
}

TCefStringListGiven::~TCefStringListGiven() { cef_string_list_free(FList); }

}  // namespace ceflib
