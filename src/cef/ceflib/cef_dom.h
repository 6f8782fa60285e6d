#pragma once
// The DOM family (cef_domdocument_t, cef_domnode_t, cef_domvisitor_t): the document and its
// nodes are runtime objects reached through their wrappers; the visitor is handed to the
// runtime by a frame's VisitDom and called with the document.

#include <functional>

#include "ceflib/cef_own_of.h"
#include "ceflib/cef_forward.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefDomDocument : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefDomDocument> UnWrap(void* data);

  virtual cef_dom_document_type_t GetType() = 0;
  virtual RefPtr<ICefDomNode> GetDocument() = 0;
  virtual RefPtr<ICefDomNode> GetBody() = 0;
  virtual RefPtr<ICefDomNode> GetHead() = 0;
  virtual ustring GetTitle() = 0;
  virtual RefPtr<ICefDomNode> GetElementById(const ustring& id) = 0;
  virtual RefPtr<ICefDomNode> GetFocusedNode() = 0;
  virtual bool HasSelection() = 0;
  virtual int GetSelectionStartOffset() = 0;
  virtual int GetSelectionEndOffset() = 0;
  virtual ustring GetSelectionAsMarkup() = 0;
  virtual ustring GetSelectionAsText() = 0;
  virtual ustring GetBaseUrl() = 0;
  virtual ustring GetCompleteUrl(const ustring& partialUrl) = 0;
};

class ICefDomNode : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefDomNode> UnWrap(void* data);

  virtual cef_dom_node_type_t GetType() = 0;
  virtual bool IsText() = 0;
  virtual bool IsElement() = 0;
  virtual bool IsEditable() = 0;
  virtual bool IsFormControlElement() = 0;
  virtual ustring GetFormControlElementType() = 0;
  virtual bool IsSame(const RefPtr<ICefDomNode>& that) = 0;
  virtual ustring GetName() = 0;
  virtual ustring GetValue() = 0;
  virtual bool SetValue(const ustring& value) = 0;
  virtual ustring GetAsMarkup() = 0;
  virtual RefPtr<ICefDomDocument> GetDocument() = 0;
  virtual RefPtr<ICefDomNode> GetParent() = 0;
  virtual RefPtr<ICefDomNode> GetPreviousSibling() = 0;
  virtual RefPtr<ICefDomNode> GetNextSibling() = 0;
  virtual bool HasChildren() = 0;
  virtual RefPtr<ICefDomNode> GetFirstChild() = 0;
  virtual RefPtr<ICefDomNode> GetLastChild() = 0;
  virtual ustring GetElementTagName() = 0;
  virtual bool HasElementAttributes() = 0;
  virtual bool HasElementAttribute(const ustring& attrName) = 0;
  virtual ustring GetElementAttribute(const ustring& attrName) = 0;
  // The runtime fills attrMap.
  virtual void GetElementAttributes(ICefStringMap& attrMap) = 0;
  virtual bool SetElementAttribute(const ustring& attrName, const ustring& value) = 0;
  virtual ustring GetElementInnerText() = 0;
};

class ICefDomVisitor : public virtual ICefBase {
 public:
  virtual void Visit(const RefPtr<ICefDomDocument>& document) = 0;
};

using TCefDomVisitorProc = std::function<void(const RefPtr<ICefDomDocument>& document)>;

// Does nothing with the document.
class TCefDomVisitorOwn : public TCefOwnOf<ICefDomVisitor, cef_domvisitor_t> {
 public:
  TCefDomVisitorOwn();
  void Visit(const RefPtr<ICefDomDocument>& document) override;
};

class TCefFastDomVisitor final : public TCefDomVisitorOwn {
 public:
  explicit TCefFastDomVisitor(TCefDomVisitorProc proc);
  void Visit(const RefPtr<ICefDomDocument>& document) override;

 private:
  const TCefDomVisitorProc FProc;
};

}  // namespace ceflib
