#include "ceflib/cef_string_visitor.h"

namespace ceflib {

TCefStringVisitorOwn::TCefStringVisitorOwn() {
  Bind<&cef_string_visitor_t::visit, &TCefStringVisitorOwn::Visit>();
}

void TCefStringVisitorOwn::Visit(const ustring&) {}

TCefFastStringVisitor::TCefFastStringVisitor(TCefStringVisitorProc visit) : FVisit(std::move(visit)) {}

void TCefFastStringVisitor::Visit(const ustring& str) { FVisit(str); }

}  // namespace ceflib
