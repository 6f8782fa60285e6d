// The application handler's routing to the process-wide hooks, the scheme registrar and the
// scheme handler factory, driven the way the runtime drives them, with in-test C structs.

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "ceflib/cef_app.h"
#include "ceflib/cef_settings.h"
#include "fake_runtime_object.h"

namespace ceflib::test {
namespace {

// A registrar that records what it was asked to add.
struct TFakeRegistrar {
  TFakeRuntimeObject<cef_scheme_registrar_t> Registrar;
  ustring Name;
  int Flags[3] = {-1, -1, -1};
  int Result = 1;

  static TFakeRegistrar* From(cef_scheme_registrar_t* self) { return reinterpret_cast<TFakeRegistrar*>(self); }
  static int CEF_CALLBACK AddCustomScheme(cef_scheme_registrar_t* self, const cef_string_t* name, int isStandard,
                                          int isLocal, int isDisplayIsolated) {
    TFakeRegistrar* fake = From(self);
    fake->Name = CefStringRead(name);
    fake->Flags[0] = isStandard;
    fake->Flags[1] = isLocal;
    fake->Flags[2] = isDisplayIsolated;
    return fake->Result;
  }
  TFakeRegistrar() { Registrar.Struct.add_custom_scheme = AddCustomScheme; }
};

class TTestBundleHandler : public TCefOwnOf<ICefResourceBundleHandler, cef_resource_bundle_handler_t> {};

class CefInternalApp : public ::testing::Test {
 protected:
  void SetUp() override {
    App = MakeRef<TInternalApp>();
    Data = static_cast<cef_app_t*>(CefStructOf(App));
  }
  void TearDown() override {
    Data->base.release(&Data->base);
    OnBeforeCommandLineProcessing = nullptr;
    OnRegisterCustomSchemes = nullptr;
    ResourceBundleHandler.reset();
  }

  RefPtr<ICefApp> App;
  cef_app_t* Data = nullptr;
};

TEST_F(CefInternalApp, WithoutHooksRegisteringSchemesDoesNothingAndGettersGiveNull) {
  TFakeRegistrar registrar;
  Data->on_register_custom_schemes(Data, &registrar.Registrar.Struct);
  EXPECT_EQ(registrar.Flags[0], -1);
  EXPECT_EQ(registrar.Registrar.Balance(), -1);  // the runtime's reference, given back once
  EXPECT_EQ(Data->get_resource_bundle_handler(Data), nullptr);
  EXPECT_EQ(Data->get_browser_process_handler(Data), nullptr);
  EXPECT_EQ(Data->get_render_process_handler(Data), nullptr);
}

TEST_F(CefInternalApp, RegistrarHookDeclaresTheSchemeWithItsThreeFlags) {
  TFakeRegistrar registrar;
  bool accepted = false;
  OnRegisterCustomSchemes = [&](const RefPtr<ICefSchemeRegistrar>& r) {
    accepted = r->AddCustomScheme(L"local", true, true, false);
  };
  Data->on_register_custom_schemes(Data, &registrar.Registrar.Struct);
  EXPECT_TRUE(accepted);
  EXPECT_EQ(registrar.Name, L"local");
  EXPECT_EQ(registrar.Flags[0], 1);
  EXPECT_EQ(registrar.Flags[1], 1);
  EXPECT_EQ(registrar.Flags[2], 0);
  EXPECT_EQ(registrar.Registrar.Balance(), -1);

  registrar.Result = 0;
  Data->on_register_custom_schemes(Data, &registrar.Registrar.Struct);
  EXPECT_FALSE(accepted);
}

TEST_F(CefInternalApp, CommandLineHookGetsTheProcessTypeAndTheCommandLine) {
  TFakeRuntimeObject<cef_command_line_t> commandLine;
  ustring seenType = L"unset";
  bool seenCommandLine = false;
  OnBeforeCommandLineProcessing = [&](const ustring& type, const RefPtr<ICefCommandLine>& line) {
    seenType = type;
    seenCommandLine = line != nullptr;
  };
  cef_string_t renderer{const_cast<char16*>(L"renderer"), 8, nullptr};
  Data->on_before_command_line_processing(Data, &renderer, &commandLine.Struct);
  EXPECT_EQ(seenType, L"renderer");
  EXPECT_TRUE(seenCommandLine);
  Data->on_before_command_line_processing(Data, nullptr, &commandLine.Struct);
  EXPECT_EQ(seenType, L"");
  EXPECT_EQ(commandLine.Balance(), -2);
}

TEST_F(CefInternalApp, HookRaisingStopsAtTheCallback) {
  TFakeRuntimeObject<cef_command_line_t> commandLine;
  OnBeforeCommandLineProcessing = [](const ustring&, const RefPtr<ICefCommandLine>&) {
    throw std::runtime_error("hook failed");
  };
  Data->on_before_command_line_processing(Data, nullptr, &commandLine.Struct);
  EXPECT_EQ(commandLine.Balance(), -1);
}

TEST_F(CefInternalApp, GetterGivesTheHandlersStructWithAReferenceForTheRuntime) {
  RefPtr<TTestBundleHandler> handler = MakeRef<TTestBundleHandler>();
  ResourceBundleHandler = handler;
  EXPECT_EQ(handler->RefCount(), 2);
  cef_resource_bundle_handler_t* data = Data->get_resource_bundle_handler(Data);
  EXPECT_EQ(data, CefStructOf(handler));
  EXPECT_EQ(handler->RefCount(), 4);
  data->base.release(&data->base);
  data->base.release(&data->base);
}

// ---- The scheme handler factory ----

class TRecordingHandler : public TCefResourceHandlerOwn {
 public:
  TRecordingHandler(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame, const ustring& schemeName,
                    const RefPtr<ICefRequest>& request)
      : TCefResourceHandlerOwn(browser, frame, schemeName, request),
        Browser(browser), Frame(frame), SchemeName(schemeName), Request(request) {}
  RefPtr<ICefBrowser> Browser;
  RefPtr<ICefFrame> Frame;
  ustring SchemeName;
  RefPtr<ICefRequest> Request;
};

struct TRequestOf {
  TFakeRuntimeObject<cef_browser_t> Browser;
  TFakeRuntimeObject<cef_frame_t> Frame;
  TFakeRuntimeObject<cef_request_t> Request;
};

class CefSchemeHandlerFactory : public ::testing::Test {
 protected:
  void Use(TCefResourceHandlerClass handlerClass) {
    Factory = MakeRef<TCefSchemeHandlerFactoryOwn>(std::move(handlerClass));
    Data = static_cast<cef_scheme_handler_factory_t*>(CefStructOf(Factory));
  }
  void TearDown() override {
    if (Data) Data->base.release(&Data->base);
  }
  cef_resource_handler_t* Create(TRequestOf& r, bool withBrowserAndFrame = true) {
    return Data->create(Data, withBrowserAndFrame ? &r.Browser.Struct : nullptr,
                        withBrowserAndFrame ? &r.Frame.Struct : nullptr, &SchemeName, &r.Request.Struct);
  }
  static TRecordingHandler* HandlerOf(cef_resource_handler_t* data) {
    return static_cast<TRecordingHandler*>(TCefBaseOwn::OwnerOf(data));
  }

  RefPtr<ICefSchemeHandlerFactory> Factory;
  cef_scheme_handler_factory_t* Data = nullptr;
  cef_string_t SchemeName{const_cast<char16*>(L"local"), 5, nullptr};
};

TEST_F(CefSchemeHandlerFactory, EveryRequestGetsANewHandlerMadeFromItsOwnArguments) {
  Use(ResourceHandlerClass<TRecordingHandler>());
  int32_t blocksBefore = TCefBaseOwn::LiveBlocks();
  TRequestOf first, second;
  cef_resource_handler_t* a = Create(first);
  cef_resource_handler_t* b = Create(second);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_NE(a, b);
  EXPECT_EQ(TCefBaseOwn::LiveBlocks(), blocksBefore + 2);

  TRecordingHandler* handler = HandlerOf(b);
  EXPECT_EQ(handler->SchemeName, L"local");
  EXPECT_EQ(CefStructOf(handler->Browser), &second.Browser.Struct);
  EXPECT_EQ(CefStructOf(handler->Frame), &second.Frame.Struct);
  EXPECT_EQ(CefStructOf(handler->Request), &second.Request.Struct);
  EXPECT_EQ(handler->RefCount(), 1);  // only the runtime's reference

  for (cef_resource_handler_t* data : {a, b}) EXPECT_EQ(data->base.release(&data->base), 1);
  EXPECT_EQ(TCefBaseOwn::LiveBlocks(), blocksBefore);
  // Each wrapper the handlers kept gave its runtime reference back when they died.
  EXPECT_EQ(first.Request.Balance(), -1);
  EXPECT_EQ(second.Browser.Balance(), 0);  // one added by CefStructOf above, one given back
}

TEST_F(CefSchemeHandlerFactory, RequestWithoutBrowserOrFrameGivesTheHandlerNil) {
  Use(ResourceHandlerClass<TRecordingHandler>());
  TRequestOf request;
  cef_resource_handler_t* data = Create(request, false);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(HandlerOf(data)->Browser, nullptr);
  EXPECT_EQ(HandlerOf(data)->Frame, nullptr);
  EXPECT_NE(HandlerOf(data)->Request, nullptr);
  data->base.release(&data->base);
}

TEST_F(CefSchemeHandlerFactory, NoHandlerGivesNull) {
  Use([](auto&, auto&, auto&, auto&) -> RefPtr<ICefResourceHandler> { return nullptr; });
  TRequestOf request;
  EXPECT_EQ(Create(request), nullptr);
  EXPECT_EQ(request.Browser.Balance(), -1);
  EXPECT_EQ(request.Frame.Balance(), -1);
  EXPECT_EQ(request.Request.Balance(), -1);
}

TEST_F(CefSchemeHandlerFactory, HandlerClassRaisingGivesNullAndLeaksNothing) {
  int32_t blocksBefore = TCefBaseOwn::LiveBlocks();
  Use([](auto&, auto&, auto&, auto&) -> RefPtr<ICefResourceHandler> { throw std::runtime_error("no handler"); });
  TRequestOf request;
  EXPECT_EQ(Create(request), nullptr);
  EXPECT_EQ(request.Browser.Balance(), -1);
  EXPECT_EQ(request.Frame.Balance(), -1);
  EXPECT_EQ(request.Request.Balance(), -1);
  EXPECT_EQ(TCefBaseOwn::LiveBlocks(), blocksBefore + 1);  // the factory itself
}

}  // namespace
}  // namespace ceflib::test
