// TCefNavigationEntryRef: ICefNavigationEntry over cef_navigation_entry_t, one line per member.

#include "ceflib/cef_navigation_entry.h"
#include "ceflib/cef_ref_of.h"
#include "ceflib/cef_time.h"

namespace ceflib {
namespace {

using N = cef_navigation_entry_t;

class TCefNavigationEntryRef final : public TCefRefOf<TCefNavigationEntryRef, ICefNavigationEntry, N> {
 public:
  using TCefRefOf::TCefRefOf;
  bool IsValid() override { return Call(&N::is_valid); }
  ustring GetUrl() override { return Call(&N::get_url); }
  ustring GetDisplayUrl() override { return Call(&N::get_display_url); }
  ustring GetOriginalUrl() override { return Call(&N::get_original_url); }
  ustring GetTitle() override { return Call(&N::get_title); }
  cef_transition_type_t GetTransitionType() override { return Call(&N::get_transition_type); }
  bool HasPostData() override { return Call(&N::has_post_data); }
  TDateTime GetCompletionTime() override { return CefTimeToLocalDateTime(Call(&N::get_completion_time)); }
  int GetHttpStatusCode() override { return Call(&N::get_http_status_code); }
};

}  // namespace

RefPtr<ICefNavigationEntry> ICefNavigationEntry::UnWrap(void* data) { return TCefNavigationEntryRef::UnWrap(data); }

}  // namespace ceflib
