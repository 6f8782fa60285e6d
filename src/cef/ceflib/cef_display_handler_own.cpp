#include "ceflib/cef_browser.h"
#include "ceflib/cef_display_handler.h"
#include "ceflib/cef_frame.h"
#include "ceflib/cef_string_out.h"

namespace ceflib {
namespace {

// The tooltip record is read and cleared before the handler and always receives its result.
int CEF_CALLBACK TooltipCallback(cef_display_handler_t* self, cef_browser_t* browser, cef_string_t* text) noexcept {
  try {
    auto* owner = static_cast<TCefDisplayHandlerOwn*>(TCefBaseOwn::OwnerOf(self));
    RefPtr<ICefBrowser> wrapped = ICefBrowser::UnWrap(browser);
    TCefStringReplaceAlways tooltip(text);
    bool result = owner->OnTooltip(wrapped, tooltip.Value());
    tooltip.Commit();
    return result ? 1 : 0;
  } catch (...) {
    // Nothing may unwind into the runtime.
    return 0;
  }
}

}  // namespace

using D = cef_display_handler_t;

TCefDisplayHandlerOwn::TCefDisplayHandlerOwn() {
  Bind<&D::on_address_change, &TCefDisplayHandlerOwn::OnAddressChange>();
  Bind<&D::on_title_change, &TCefDisplayHandlerOwn::OnTitleChange>();
  Bind<&D::on_favicon_urlchange, &TCefDisplayHandlerOwn::OnFaviconUrlchange>();
  Bind<&D::on_fullscreen_mode_change, &TCefDisplayHandlerOwn::OnFullscreenModeChange>();
  Data()->on_tooltip = TooltipCallback;
  Bind<&D::on_status_message, &TCefDisplayHandlerOwn::OnStatusMessage>();
  Bind<&D::on_console_message, &TCefDisplayHandlerOwn::OnConsoleMessage>();
}

void TCefDisplayHandlerOwn::OnAddressChange(const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&, const ustring&) {}

void TCefDisplayHandlerOwn::OnTitleChange(const RefPtr<ICefBrowser>&, const ustring&) {}

void TCefDisplayHandlerOwn::OnFaviconUrlchange(const RefPtr<ICefBrowser>&, const ustringlist&) {}

void TCefDisplayHandlerOwn::OnFullscreenModeChange(const RefPtr<ICefBrowser>&, bool) {}

bool TCefDisplayHandlerOwn::OnTooltip(const RefPtr<ICefBrowser>&, ustring&) { return false; }

void TCefDisplayHandlerOwn::OnStatusMessage(const RefPtr<ICefBrowser>&, const ustring&) {}

bool TCefDisplayHandlerOwn::OnConsoleMessage(const RefPtr<ICefBrowser>&, const ustring&, const ustring&, int) {
  return false;
}

}  // namespace ceflib
