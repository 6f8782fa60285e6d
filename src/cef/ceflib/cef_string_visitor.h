#pragma once
// The string visitor (cef_string_visitor_t) a frame's GetSource and GetText hand to the
// runtime, which calls it once with the text.

#include <functional>

#include "ceflib/cef_own_of.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefStringVisitor : public virtual ICefBase {
 public:
  virtual void Visit(const ustring& str) = 0;
};

using TCefStringVisitorProc = std::function<void(const ustring& str)>;

// Does nothing with the text.
class TCefStringVisitorOwn : public TCefOwnOf<ICefStringVisitor, cef_string_visitor_t> {
 public:
  TCefStringVisitorOwn();
  void Visit(const ustring& str) override;
};

class TCefFastStringVisitor final : public TCefStringVisitorOwn {
 public:
  explicit TCefFastStringVisitor(TCefStringVisitorProc visit);
  void Visit(const ustring& str) override;

 private:
  const TCefStringVisitorProc FVisit;
};

}  // namespace ceflib
