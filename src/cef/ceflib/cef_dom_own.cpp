#include "ceflib/cef_dom.h"

namespace ceflib {

TCefDomVisitorOwn::TCefDomVisitorOwn() { Bind<&cef_domvisitor_t::visit, &TCefDomVisitorOwn::Visit>(); }

void TCefDomVisitorOwn::Visit(const RefPtr<ICefDomDocument>&) {}

TCefFastDomVisitor::TCefFastDomVisitor(TCefDomVisitorProc proc) : FProc(std::move(proc)) {}

void TCefFastDomVisitor::Visit(const RefPtr<ICefDomDocument>& document) { FProc(document); }

}  // namespace ceflib
