// Requests, post data, responses, callbacks and header maps: the operations the local file
// scheme uses, the post-data element array, and the string maps handed to the runtime.

#include <gtest/gtest.h>

#include <cstring>

#include "ceflib/cef_callback.h"
#include "ceflib/cef_request.h"
#include "ceflib/cef_response.h"
#include "ceflib/cef_string_map.h"
#include "surface_test.h"

namespace ceflib::test {
namespace {

using R = cef_request_t;
using P = cef_post_data_t;
using E = cef_post_data_element_t;
using S = cef_response_t;

class RequestRef : public CefSurface {};

TEST_F(RequestRef, GetUrlReadsAndFreesTheRuntimesString) {
  TFake<R> request;
  request.Returns<&R::get_url>(L"local://c/dir/");
  request.Returns<&R::get_method>(L"GET");
  RefPtr<ICefRequest> wrapped = ICefRequest::UnWrap(request.Pass());
  EXPECT_EQ(wrapped->GetUrl(), L"local://c/dir/");
  EXPECT_EQ(request.ArgsOf(&R::get_url), TArgs{});
  EXPECT_EQ(request.CountOf(&R::get_method), 0);
  EXPECT_EQ(Strings->UserFreeFrees, 1);
}

TEST_F(RequestRef, SetPostDataWithNilCallsNothing) {
  TFake<R> request;
  request.Stub<&R::set_post_data>();
  RefPtr<ICefRequest> wrapped = ICefRequest::UnWrap(request.Pass());
  wrapped->SetPostData(nullptr);
  EXPECT_EQ(request.CountOf(&R::set_post_data), 0);

  TFake<P> postData;
  wrapped->SetPostData(ICefPostData::UnWrap(postData.Pass()));
  EXPECT_EQ(request.ArgsOf(&R::set_post_data), TArgs{Render(&postData.Struct)});
}

TEST_F(RequestRef, SetPassesTextsPostDataAndTheMapsHandle) {
  TFake<R> request;
  request.Stub<&R::set, &R::set_header_map>();
  RefPtr<ICefRequest> wrapped = ICefRequest::UnWrap(request.Pass());
  TCefStringMultimap headers;
  headers.Append(L"Accept", L"*/*");
  wrapped->Set(L"http://a/", L"POST", nullptr, headers);
  wrapped->SetHeaderMap(headers);
  EXPECT_EQ(request.ArgsOf(&R::set), (TArgs{L"\"http://a/\"", L"\"POST\"", L"null", Render(headers.Handle())}));
  EXPECT_EQ(request.ArgsOf(&R::set_header_map), TArgs{Render(headers.Handle())});
}

TEST_F(RequestRef, GetHeaderMapLetsTheRuntimeFillTheCallersMap) {
  TFake<R> request;
  request.Does<&R::get_header_map>([](cef_string_multimap_t map) {
    cef_string_t key{const_cast<wchar_t*>(L"Host"), 4, nullptr}, value{const_cast<wchar_t*>(L"a"), 1, nullptr};
    cef_string_multimap_append(map, &key, &value);
    cef_string_multimap_append(map, &key, &value);
  });
  RefPtr<ICefRequest> wrapped = ICefRequest::UnWrap(request.Pass());
  TCefStringMultimap headers;
  wrapped->GetHeaderMap(headers);
  EXPECT_EQ(headers.Size(), 2);
  EXPECT_EQ(headers.FindCount(L"Host"), 2);
  EXPECT_EQ(headers.Key(1), L"Host");
  EXPECT_EQ(headers.Enumerate(L"Host", 1), L"a");
}

TEST_F(RequestRef, StringMapKeepsUniqueKeysAndFindsValues) {
  TCefStringMap map;
  EXPECT_TRUE(map.Append(L"one", L"1"));
  EXPECT_TRUE(map.Append(L"two", L""));
  EXPECT_EQ(map.Size(), 2);
  EXPECT_EQ(map.Key(0), L"one");
  EXPECT_EQ(map.Value(0), L"1");
  EXPECT_EQ(map.Find(L"two"), L"");
  EXPECT_EQ(map.Find(L"one"), L"1");
}

TEST_F(RequestRef, GetElementsUnwrapsAsManyElementsAsTheRuntimeGave) {
  TFake<P> postData;
  TFake<E> first, second;
  postData.Does<&P::get_elements>([&](size_t* count, cef_post_data_element_t** elements) {
    EXPECT_EQ(*count, 3u);
    EXPECT_EQ(elements[0], nullptr);
    elements[0] = first.Pass();
    elements[1] = second.Pass();
    *count = 2;
  });
  first.Returns<&E::get_bytes_count>(size_t{5});
  RefPtr<ICefPostData> wrapped = ICefPostData::UnWrap(postData.Pass());
  TCefPostDataElementArray elements = wrapped->GetElements(3);
  ASSERT_EQ(elements.size(), 2u);
  EXPECT_EQ(elements[0]->GetBytesCount(), 5u);
  EXPECT_EQ(CefStructOf(elements[1]), &second.Struct);
  second.Struct.base.release(&second.Struct.base);
}

TEST_F(RequestRef, GetElementsNeverReadsPastTheSlotsItAllocated) {
  TFake<P> postData;
  TFake<E> only;
  postData.Does<&P::get_elements>([&](size_t* count, cef_post_data_element_t** elements) {
    elements[0] = only.Pass();
    *count = 9;  // a runtime claiming more than it was given room for
  });
  RefPtr<ICefPostData> wrapped = ICefPostData::UnWrap(postData.Pass());
  EXPECT_EQ(wrapped->GetElements(1).size(), 1u);
}

TEST_F(RequestRef, PostDataElementBytesPassThrough) {
  TFake<E> element;
  element.Stub<&E::set_to_bytes>();
  element.Does<&E::get_bytes>([](size_t size, void* bytes) {
    std::memset(bytes, 'x', size);
    return size;
  });
  RefPtr<ICefPostDataElement> wrapped = ICefPostDataElement::UnWrap(element.Pass());
  const char data[] = "abc";
  wrapped->SetToBytes(3, data);
  char out[4] = {};
  EXPECT_EQ(wrapped->GetBytes(3, out), 3u);
  EXPECT_STREQ(out, "xxx");
  EXPECT_EQ(element.ArgsOf(&E::set_to_bytes), (TArgs{L"3", Render(data)}));
}

TEST_F(RequestRef, NewCallsTheRuntimesConstructorAndAdoptsTheResult) {
  static TFake<R>* made = nullptr;
  TFake<R> request;
  made = &request;
  auto saved = cef_request_create;
  cef_request_create = [] { return made->Pass(); };
  RefPtr<ICefRequest> created = ICefRequest::New();
  cef_request_create = saved;
  EXPECT_EQ(CefStructOf(created), &request.Struct);
  request.Struct.base.release(&request.Struct.base);
}

// ---- Response ----

class ResponseRef : public CefSurface {};

TEST_F(ResponseRef, SetStatusSetStatusTextAndSetMimeTypeReachTheirMembers) {
  TFake<S> response;
  response.Stub<&S::set_status, &S::set_status_text, &S::set_mime_type, &S::set_header_map>();
  RefPtr<ICefResponse> wrapped = ICefResponse::UnWrap(response.Pass());
  wrapped->SetStatus(404);
  wrapped->SetStatusText(L"Not found");
  wrapped->SetMimeType(L"text/html");
  EXPECT_EQ(response.ArgsOf(&S::set_status), TArgs{L"404"});
  EXPECT_EQ(response.ArgsOf(&S::set_status_text), TArgs{L"\"Not found\""});
  EXPECT_EQ(response.ArgsOf(&S::set_mime_type), TArgs{L"\"text/html\""});
  EXPECT_EQ(response.CountOf(&S::set_header_map), 0);
}

TEST_F(ResponseRef, EmptyTextsArePassedWithCharacters) {
  TFake<S> response;
  response.Stub<&S::set_status_text>();
  RefPtr<ICefResponse> wrapped = ICefResponse::UnWrap(response.Pass());
  wrapped->SetStatusText(L"");
  EXPECT_EQ(response.ArgsOf(&S::set_status_text), TArgs{L"\"\""});
}

TEST_F(ResponseRef, TextResultsAreReadAndFreed) {
  TFake<S> response;
  response.Returns<&S::get_mime_type>(L"image/png");
  response.Returns<&S::get_header>(L"1");
  response.Returns<&S::get_status>(200);
  RefPtr<ICefResponse> wrapped = ICefResponse::UnWrap(response.Pass());
  EXPECT_EQ(wrapped->GetMimeType(), L"image/png");
  EXPECT_EQ(wrapped->GetHeader(L"X-Count"), L"1");
  EXPECT_EQ(wrapped->GetStatus(), 200);
  EXPECT_EQ(response.ArgsOf(&S::get_header), TArgs{L"\"X-Count\""});
  EXPECT_EQ(Strings->UserFreeFrees, 2);
}

// ---- Callback ----

class CallbackRef : public CefSurface {};

TEST_F(CallbackRef, ContAndCancelReachTheirMembers) {
  TFake<cef_callback_t> callback;
  callback.Stub<&cef_callback_t::cont, &cef_callback_t::cancel>();
  RefPtr<ICefCallback> wrapped = ICefCallback::UnWrap(callback.Pass());
  wrapped->Cont();
  EXPECT_EQ(callback.ArgsOf(&cef_callback_t::cont), TArgs{});
  EXPECT_EQ(callback.CountOf(&cef_callback_t::cancel), 0);
  wrapped->Cancel();
  EXPECT_EQ(callback.CountOf(&cef_callback_t::cancel), 1);
}

}  // namespace
}  // namespace ceflib::test
