#pragma once
// Forward declarations of the binding's interfaces, so that interfaces may name each other.

namespace ceflib {

class ICefBase;
class ICefApp;
class ICefBrowser;
class ICefBrowserProcessHandler;
class ICefCallback;
class ICefCommandLine;
class ICefFrame;
class ICefRenderProcessHandler;
class ICefRequest;
class ICefResourceBundleHandler;
class ICefResourceHandler;
class ICefResponse;
class ICefSchemeHandlerFactory;
class ICefSchemeRegistrar;

}  // namespace ceflib
