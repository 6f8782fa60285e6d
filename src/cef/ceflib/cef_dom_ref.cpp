// TCefDomDocumentRef and TCefDomNodeRef: ICefDomDocument over cef_domdocument_t and ICefDomNode
// over cef_domnode_t, one line per member.

#include "ceflib/cef_dom.h"
#include "ceflib/cef_ref_of.h"
#include "ceflib/cef_string_map.h"

namespace ceflib {
namespace {

using D = cef_domdocument_t;

class TCefDomDocumentRef final : public TCefRefOf<TCefDomDocumentRef, ICefDomDocument, D> {
 public:
  using TCefRefOf::TCefRefOf;
  cef_dom_document_type_t GetType() override { return Call(&D::get_type); }
  RefPtr<ICefDomNode> GetDocument() override { return Call(&D::get_document); }
  RefPtr<ICefDomNode> GetBody() override { return Call(&D::get_body); }
  RefPtr<ICefDomNode> GetHead() override { return Call(&D::get_head); }
  ustring GetTitle() override { return Call(&D::get_title); }
  RefPtr<ICefDomNode> GetElementById(const ustring& id) override { return Call(&D::get_element_by_id, id); }
  RefPtr<ICefDomNode> GetFocusedNode() override { return Call(&D::get_focused_node); }
  bool HasSelection() override { return Call(&D::has_selection); }
  int GetSelectionStartOffset() override { return Call(&D::get_selection_start_offset); }
  int GetSelectionEndOffset() override { return Call(&D::get_selection_end_offset); }
  ustring GetSelectionAsMarkup() override { return Call(&D::get_selection_as_markup); }
  ustring GetSelectionAsText() override { return Call(&D::get_selection_as_text); }
  ustring GetBaseUrl() override { return Call(&D::get_base_url); }
  ustring GetCompleteUrl(const ustring& partialUrl) override { return Call(&D::get_complete_url, partialUrl); }
};

using N = cef_domnode_t;

class TCefDomNodeRef final : public TCefRefOf<TCefDomNodeRef, ICefDomNode, N> {
 public:
  using TCefRefOf::TCefRefOf;
  cef_dom_node_type_t GetType() override { return Call(&N::get_type); }
  bool IsText() override { return Call(&N::is_text); }
  bool IsElement() override { return Call(&N::is_element); }
  bool IsEditable() override { return Call(&N::is_editable); }
  bool IsFormControlElement() override { return Call(&N::is_form_control_element); }
  ustring GetFormControlElementType() override { return Call(&N::get_form_control_element_type); }
  bool IsSame(const RefPtr<ICefDomNode>& that) override { return Call(&N::is_same, that); }
  ustring GetName() override { return Call(&N::get_name); }
  ustring GetValue() override { return Call(&N::get_value); }
  bool SetValue(const ustring& value) override { return Call(&N::set_value, value); }
  ustring GetAsMarkup() override { return Call(&N::get_as_markup); }
  RefPtr<ICefDomDocument> GetDocument() override { return Call(&N::get_document); }
  RefPtr<ICefDomNode> GetParent() override { return Call(&N::get_parent); }
  RefPtr<ICefDomNode> GetPreviousSibling() override { return Call(&N::get_previous_sibling); }
  RefPtr<ICefDomNode> GetNextSibling() override { return Call(&N::get_next_sibling); }
  bool HasChildren() override { return Call(&N::has_children); }
  RefPtr<ICefDomNode> GetFirstChild() override { return Call(&N::get_first_child); }
  RefPtr<ICefDomNode> GetLastChild() override { return Call(&N::get_last_child); }
  ustring GetElementTagName() override { return Call(&N::get_element_tag_name); }
  bool HasElementAttributes() override { return Call(&N::has_element_attributes); }
  bool HasElementAttribute(const ustring& attrName) override { return Call(&N::has_element_attribute, attrName); }
  ustring GetElementAttribute(const ustring& attrName) override { return Call(&N::get_element_attribute, attrName); }
  void GetElementAttributes(ICefStringMap& attrMap) override { Call(&N::get_element_attributes, attrMap); }
  bool SetElementAttribute(const ustring& attrName, const ustring& value) override {
    return Call(&N::set_element_attribute, attrName, value);
  }
  ustring GetElementInnerText() override { return Call(&N::get_element_inner_text); }
};

}  // namespace

RefPtr<ICefDomDocument> ICefDomDocument::UnWrap(void* data) { return TCefDomDocumentRef::UnWrap(data); }

RefPtr<ICefDomNode> ICefDomNode::UnWrap(void* data) { return TCefDomNodeRef::UnWrap(data); }

}  // namespace ceflib
