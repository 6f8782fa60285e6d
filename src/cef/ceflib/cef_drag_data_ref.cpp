// TCefDragDataRef: ICefDragData over the runtime's cef_drag_data_t, one line per member.

#include "ceflib/cef_drag_data.h"
#include "ceflib/cef_entry_points.h"
#include "ceflib/cef_ref_of.h"

namespace ceflib {
namespace {

using D = cef_drag_data_t;

class TCefDragDataRef final : public TCefRefOf<TCefDragDataRef, ICefDragData, D> {
 public:
  using TCefRefOf::TCefRefOf;
  RefPtr<ICefDragData> Clone() override { return Call(&D::clone); }
  bool IsReadOnly() override { return Call(&D::is_read_only); }
  bool IsLink() override { return Call(&D::is_link); }
  bool IsFragment() override { return Call(&D::is_fragment); }
  bool IsFile() override { return Call(&D::is_file); }
  ustring GetLinkUrl() override { return Call(&D::get_link_url); }
  ustring GetLinkTitle() override { return Call(&D::get_link_title); }
  ustring GetLinkMetadata() override { return Call(&D::get_link_metadata); }
  ustring GetFragmentText() override { return Call(&D::get_fragment_text); }
  ustring GetFragmentHtml() override { return Call(&D::get_fragment_html); }
  ustring GetFragmentBaseUrl() override { return Call(&D::get_fragment_base_url); }
  ustring GetFileName() override { return Call(&D::get_file_name); }
  size_t GetFileContents(const RefPtr<ICefBase>& writer) override { return Call(&D::get_file_contents, writer); }
  bool GetFileNames(ustringlist& names) override { return Call(&D::get_file_names, names); }
  void SetLinkUrl(const ustring& url) override { Call(&D::set_link_url, url); }
  void SetLinkTitle(const ustring& title) override { Call(&D::set_link_title, title); }
  void SetLinkMetadata(const ustring& data) override { Call(&D::set_link_metadata, data); }
  void SetFragmentText(const ustring& text) override { Call(&D::set_fragment_text, text); }
  void SetFragmentHtml(const ustring& html) override { Call(&D::set_fragment_html, html); }
  void SetFragmentBaseUrl(const ustring& baseUrl) override { Call(&D::set_fragment_base_url, baseUrl); }
  void ResetFileContents() override { Call(&D::reset_file_contents); }
  void AddFile(const ustring& path, const ustring& displayName) override { Call(&D::add_file, path, displayName); }
};

}  // namespace

RefPtr<ICefDragData> ICefDragData::UnWrap(void* data) { return TCefDragDataRef::UnWrap(data); }
RefPtr<ICefDragData> ICefDragData::New() { return CefInvoke(cef_drag_data_create); }

}  // namespace ceflib
