#pragma once
// ICefFrame: a runtime frame (cef_frame_t), reached through its wrapper TCefFrameRef.

#include <cstdint>

#include "ceflib/cef_base.h"
#include "ceflib/cef_dom.h"
#include "ceflib/cef_forward.h"
#include "ceflib/cef_string_visitor.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefFrame : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefFrame> UnWrap(void* data);

  virtual bool IsValid() = 0;
  virtual void Undo() = 0;
  virtual void Redo() = 0;
  virtual void Cut() = 0;
  virtual void Copy() = 0;
  virtual void Paste() = 0;
  virtual void Del() = 0;
  virtual void SelectAll() = 0;
  virtual void ViewSource() = 0;
  virtual void GetSource(const RefPtr<ICefStringVisitor>& visitor) = 0;
  virtual void GetSourceProc(const TCefStringVisitorProc& proc) = 0;
  virtual void GetText(const RefPtr<ICefStringVisitor>& visitor) = 0;
  virtual void GetTextProc(const TCefStringVisitorProc& proc) = 0;
  virtual void LoadRequest(const RefPtr<ICefRequest>& request) = 0;
  virtual void LoadUrl(const ustring& url) = 0;
  virtual void LoadString(const ustring& stringVal, const ustring& url) = 0;
  virtual void ExecuteJavaScript(const ustring& code, const ustring& scriptUrl, int startLine) = 0;
  virtual bool IsMain() = 0;
  virtual bool IsFocused() = 0;
  virtual ustring GetName() = 0;
  virtual int64_t GetIdentifier() = 0;
  virtual RefPtr<ICefFrame> GetParent() = 0;
  virtual ustring GetUrl() = 0;
  virtual RefPtr<ICefBrowser> GetBrowser() = 0;
  virtual RefPtr<ICefv8Context> GetV8context() = 0;
  virtual void VisitDom(const RefPtr<ICefDomVisitor>& visitor) = 0;
  virtual void VisitDomProc(const TCefDomVisitorProc& proc) = 0;
};

}  // namespace ceflib
