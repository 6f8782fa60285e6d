// TCefRunContextMenuCallbackRef and TCefContextMenuParamsRef over cef_run_context_menu_callback_t
// and cef_context_menu_params_t, one line per member.

#include "ceflib/cef_context_menu_handler.h"
#include "ceflib/cef_ref_of.h"

namespace ceflib {
namespace {

using C = cef_run_context_menu_callback_t;

class TCefRunContextMenuCallbackRef final
    : public TCefRefOf<TCefRunContextMenuCallbackRef, ICefRunContextMenuCallback, C> {
 public:
  using TCefRefOf::TCefRefOf;
  void Cont(int commandId, cef_event_flags_t eventFlags) override { Call(&C::cont, commandId, eventFlags); }
  void Cancel() override { Call(&C::cancel); }
};

using P = cef_context_menu_params_t;

class TCefContextMenuParamsRef final : public TCefRefOf<TCefContextMenuParamsRef, ICefContextMenuParams, P> {
 public:
  using TCefRefOf::TCefRefOf;
  int GetXcoord() override { return Call(&P::get_xcoord); }
  int GetYcoord() override { return Call(&P::get_ycoord); }
  cef_context_menu_type_flags_t GetTypeFlags() override { return Call(&P::get_type_flags); }
  ustring GetLinkUrl() override { return Call(&P::get_link_url); }
  ustring GetUnfilteredLinkUrl() override { return Call(&P::get_unfiltered_link_url); }
  ustring GetSourceUrl() override { return Call(&P::get_source_url); }
  bool HasImageContents() override { return Call(&P::has_image_contents); }
  ustring GetPageUrl() override { return Call(&P::get_page_url); }
  ustring GetFrameUrl() override { return Call(&P::get_frame_url); }
  ustring GetFrameCharset() override { return Call(&P::get_frame_charset); }
  cef_context_menu_media_type_t GetMediaType() override { return Call(&P::get_media_type); }
  cef_context_menu_media_state_flags_t GetMediaStateFlags() override { return Call(&P::get_media_state_flags); }
  ustring GetSelectionText() override { return Call(&P::get_selection_text); }
  ustring GetMisspelledWord() override { return Call(&P::get_misspelled_word); }
  bool GetDictionarySuggestions(ustringlist& suggestions) override {
    return Call(&P::get_dictionary_suggestions, suggestions);
  }
  bool IsEditable() override { return Call(&P::is_editable); }
  bool IsSpellCheckEnabled() override { return Call(&P::is_spell_check_enabled); }
  cef_context_menu_edit_state_flags_t GetEditStateFlags() override { return Call(&P::get_edit_state_flags); }
  bool IsCustomMenu() override { return Call(&P::is_custom_menu); }
  bool IsPepperMenu() override { return Call(&P::is_pepper_menu); }
};

}  // namespace

RefPtr<ICefRunContextMenuCallback> ICefRunContextMenuCallback::UnWrap(void* data) {
  return TCefRunContextMenuCallbackRef::UnWrap(data);
}

RefPtr<ICefContextMenuParams> ICefContextMenuParams::UnWrap(void* data) {
  return TCefContextMenuParamsRef::UnWrap(data);
}

}  // namespace ceflib
