// The other wrapped families, one behaviour each that their conversions add: menus by command
// id and by index, out truth values, command-line lists and switches, JavaScript argument
// arrays, out-objects and out-strings, dates, values, DOM attributes, task runners.

#include <gtest/gtest.h>

#include "ceflib/cef_command_line.h"
#include "ceflib/cef_context_menu_handler.h"
#include "ceflib/cef_dom.h"
#include "ceflib/cef_download_item.h"
#include "ceflib/cef_menu_model.h"
#include "ceflib/cef_string_map.h"
#include "ceflib/cef_task.h"
#include "ceflib/cef_time.h"
#include "ceflib/cef_v8.h"
#include "ceflib/cef_values.h"
#include "surface_test.h"

namespace ceflib::test {
namespace {

using M = cef_menu_model_t;
using V = cef_v8value_t;

class FamilyRef : public CefSurface {};

TEST_F(FamilyRef, GroupIdByIndexAndByCommandIdReachDifferentMembers) {
  TFake<M> menu;
  menu.Returns<&M::get_group_id>(1);
  menu.Returns<&M::get_group_id_at>(2);
  RefPtr<ICefMenuModel> wrapped = ICefMenuModel::UnWrap(menu.Pass());
  EXPECT_EQ(wrapped->GetGroupIdAt(5), 2);
  EXPECT_EQ(menu.ArgsOf(&M::get_group_id_at), TArgs{L"5"});
  EXPECT_EQ(menu.CountOf(&M::get_group_id), 0);
  EXPECT_EQ(wrapped->GetGroupId(300), 1);
  EXPECT_EQ(menu.ArgsOf(&M::get_group_id), TArgs{L"300"});
  EXPECT_EQ(menu.CountOf(&M::get_group_id_at), 1);
}

TEST_F(FamilyRef, AcceleratorFlagsComeBackAsTruthValues) {
  TFake<M> menu;
  menu.Does<&M::get_accelerator_at>([](int, int* key, int* shift, int* ctrl, int* alt) {
    *key = 'K';
    *shift = 1;
    *ctrl = 0;
    *alt = 5;
    return 1;
  });
  menu.Stub<&M::set_accelerator>();
  RefPtr<ICefMenuModel> wrapped = ICefMenuModel::UnWrap(menu.Pass());
  int key = 0;
  bool shift = false, ctrl = true, alt = false;
  EXPECT_TRUE(wrapped->GetAcceleratorAt(0, key, shift, ctrl, alt));
  EXPECT_EQ(key, 'K');
  EXPECT_TRUE(shift);
  EXPECT_FALSE(ctrl);
  EXPECT_TRUE(alt);
  wrapped->SetAccelerator(7, 'Q', false, true, false);
  EXPECT_EQ(menu.ArgsOf(&M::set_accelerator), (TArgs{L"7", L"81", L"0", L"1", L"0"}));
}

TEST_F(FamilyRef, SubMenusAreWrappedAndLabelsFreed) {
  TFake<M> menu, sub;
  menu.Returns<&M::add_sub_menu>(&sub.Struct);
  sub.Returns<&M::get_label_at>(L"Item");
  RefPtr<ICefMenuModel> wrapped = ICefMenuModel::UnWrap(menu.Pass());
  RefPtr<ICefMenuModel> subMenu = wrapped->AddSubMenu(9, L"More");
  ASSERT_NE(subMenu, nullptr);
  EXPECT_EQ(subMenu->GetLabelAt(0), L"Item");
  EXPECT_EQ(menu.ArgsOf(&M::add_sub_menu), (TArgs{L"9", L"\"More\""}));
}

TEST_F(FamilyRef, CommandLineListsAreAppendedAndSwitchesReadAsNameValueTexts) {
  using C = cef_command_line_t;
  TFake<C> line;
  line.Does<&C::get_arguments>([](cef_string_list_t list) { AppendTo(list, {L"a", L"b c"}); });
  line.Does<&C::get_switches>([](cef_string_map_t map) {
    cef_string_t k1{const_cast<wchar_t*>(L"type"), 4, nullptr}, v1{const_cast<wchar_t*>(L"gpu"), 3, nullptr};
    cef_string_t k2{const_cast<wchar_t*>(L"single-process"), 14, nullptr}, v2{};
    cef_string_map_append(map, &k1, &v1);
    cef_string_map_append(map, &k2, &v2);
  });
  line.Returns<&C::get_switch_value>(L"gpu");
  RefPtr<ICefCommandLine> wrapped = ICefCommandLine::UnWrap(line.Pass());
  ustringlist arguments{L"first"};
  wrapped->GetArguments(arguments);
  EXPECT_EQ(arguments, (ustringlist{L"first", L"a", L"b c"}));
  ustringlist switches;
  wrapped->GetSwitches(switches);
  EXPECT_EQ(switches, (ustringlist{L"type=gpu", L"single-process="}));
  EXPECT_EQ(wrapped->GetSwitchValue(L"type"), L"gpu");
  EXPECT_EQ(line.ArgsOf(&C::get_switch_value), TArgs{L"\"type\""});
}

TEST_F(FamilyRef, ContextMenuSuggestionsFillTheListAndReturnTheMembersValue) {
  using P = cef_context_menu_params_t;
  TFake<P> params;
  params.Does<&P::get_dictionary_suggestions>([](cef_string_list_t list) {
    AppendTo(list, {L"word"});
    return 1;
  });
  RefPtr<ICefContextMenuParams> wrapped = ICefContextMenuParams::UnWrap(params.Pass());
  ustringlist suggestions;
  EXPECT_TRUE(wrapped->GetDictionarySuggestions(suggestions));
  EXPECT_EQ(suggestions, ustringlist{L"word"});
}

// ---- JavaScript ----

TEST_F(FamilyRef, ExecuteFunctionPassesOneReferencePerArgumentAndUnwrapsTheResult) {
  TFake<V> function, object, first, second, result;
  TArgs arguments;
  function.Does<&V::execute_function>([&](cef_v8value_t* self, size_t count, cef_v8value_t* const* args) {
    arguments.push_back(Render(self));
    for (size_t i = 0; i < count; ++i) {
      arguments.push_back(Render(args[i]));
      args[i]->base.release(&args[i]->base);  // the runtime gives the arguments' references back
    }
    result.Struct.base.add_ref(&result.Struct.base);
    return &result.Struct;
  });
  RefPtr<ICefv8Value> wrapped = ICefv8Value::UnWrap(function.Pass());
  RefPtr<ICefv8Value> objectWrapped = ICefv8Value::UnWrap(object.Pass());
  TCefv8ValueArray args{ICefv8Value::UnWrap(first.Pass()), ICefv8Value::UnWrap(second.Pass())};
  RefPtr<ICefv8Value> returned = wrapped->ExecuteFunction(objectWrapped, args);
  EXPECT_EQ(arguments, (TArgs{Render(&object.Struct), Render(&first.Struct), Render(&second.Struct)}));
  EXPECT_EQ(first.AddRefs, 2);
  EXPECT_EQ(CefStructOf(returned), &result.Struct);
  result.Struct.base.release(&result.Struct.base);
}

TEST_F(FamilyRef, EvalUnwrapsBothOutObjectsAndNullGivesNil) {
  using C = cef_v8context_t;
  TFake<C> context;
  TFake<V> value;
  context.Does<&C::eval>([&](const cef_string_t*, cef_v8value_t** retval, cef_v8exception_t** exception) {
    *retval = value.Pass();
    *exception = nullptr;
    return 1;
  });
  RefPtr<ICefv8Context> wrapped = ICefv8Context::UnWrap(context.Pass());
  RefPtr<ICefv8Value> retval;
  RefPtr<ICefV8Exception> exception = ICefV8Exception::UnWrap(nullptr);
  EXPECT_TRUE(wrapped->Eval(L"1+1", retval, exception));
  EXPECT_EQ(CefStructOf(retval), &value.Struct);
  value.Struct.base.release(&value.Struct.base);
  EXPECT_EQ(exception, nullptr);
  EXPECT_EQ(context.ArgsOf(&C::eval).at(0), L"\"1+1\"");
}

TEST_F(FamilyRef, HandlerExecuteReadsAndClearsTheExceptionText) {
  using H = cef_v8handler_t;
  TFake<H> handler;
  TFake<V> argument;
  handler.Does<&H::execute>([](const cef_string_t*, cef_v8value_t*, size_t count, cef_v8value_t* const* args,
                               cef_v8value_t** retval, cef_string_t* exception) {
    for (size_t i = 0; i < count; ++i) args[i]->base.release(&args[i]->base);
    *retval = nullptr;
    cef_string_utf16_set(L"TypeError", 9, exception, 1);
    return 0;
  });
  RefPtr<ICefv8Handler> wrapped = ICefv8Handler::UnWrap(handler.Pass());
  RefPtr<ICefv8Value> retval;
  ustring exception = L"stale";
  EXPECT_FALSE(wrapped->Execute(L"f", nullptr, {ICefv8Value::UnWrap(argument.Pass())}, retval, exception));
  EXPECT_EQ(exception, L"TypeError");
  EXPECT_EQ(retval, nullptr);
  EXPECT_EQ(handler.ArgsOf(&H::execute).at(2), L"1");
}

TEST_F(FamilyRef, DatesCrossAsLocalDateTimes) {
  TFake<V> value;
  const TDateTime when = EncodeDate(2015, 9, 1) + EncodeTime(12, 30, 0, 250);
  const cef_time_t utc = LocalDateTimeToCefTime(when);
  value.Returns<&V::get_date_value>(utc);
  RefPtr<ICefv8Value> wrapped = ICefv8Value::UnWrap(value.Pass());
  EXPECT_NEAR(wrapped->GetDateValue(), when, 0.5 / 86400000);

  static cef_time_t created{};
  auto saved = cef_v8value_create_date;
  cef_v8value_create_date = [](const cef_time_t* date) {
    created = *date;
    return static_cast<cef_v8value_t*>(nullptr);
  };
  EXPECT_EQ(ICefv8Value::NewDate(when), nullptr);
  cef_v8value_create_date = saved;
  EXPECT_EQ(created.year, utc.year);
  EXPECT_EQ(created.hour, utc.hour);
  EXPECT_EQ(created.millisecond, 250);
}

TEST_F(FamilyRef, NewObjectProcHandsTheRuntimeAnAccessorAroundTheClosures) {
  static cef_v8accessor_t* received = nullptr;
  auto saved = cef_v8value_create_object;
  cef_v8value_create_object = [](cef_v8accessor_t* accessor) {
    received = accessor;
    return static_cast<cef_v8value_t*>(nullptr);
  };
  bool called = false;
  EXPECT_EQ(ICefv8Value::NewObjectProc(nullptr,
                                       [&](const ustring&, const RefPtr<ICefv8Value>&, const RefPtr<ICefv8Value>&,
                                           const ustring&) { return called = true; }),
            nullptr);
  cef_v8value_create_object = saved;
  ASSERT_NE(received, nullptr);
  cef_v8value_t* retval = nullptr;
  EXPECT_EQ(received->get(received, nullptr, nullptr, &retval, nullptr), 0);
  EXPECT_EQ(received->set(received, nullptr, nullptr, nullptr, nullptr), 1);
  EXPECT_TRUE(called);
  received->base.release(&received->base);
}

TEST_F(FamilyRef, UserDataIsHandedOverAndComesBackAsAPlainObject) {
  TFake<V> value;
  TFake<cef_list_value_t> data;
  value.Returns<&V::set_user_data>(1);
  value.Does<&V::get_user_data>([&]() { return reinterpret_cast<cef_base_t*>(data.Pass()); });
  RefPtr<ICefv8Value> wrapped = ICefv8Value::UnWrap(value.Pass());
  EXPECT_TRUE(wrapped->SetUserData(ICefListValue::UnWrap(data.Pass())));
  EXPECT_EQ(value.ArgsOf(&V::set_user_data), TArgs{Render(&data.Struct)});
  RefPtr<ICefBase> back = wrapped->GetUserData();
  EXPECT_EQ(CefStructOf(back), &data.Struct);
  data.Struct.base.release(&data.Struct.base);
}

// ---- Values, DOM, tasks, downloads ----

TEST_F(FamilyRef, DictionaryKeysAndStringsAreReadAndFreed) {
  using D = cef_dictionary_value_t;
  TFake<D> dictionary;
  dictionary.Does<&D::get_keys>([](cef_string_list_t keys) {
    AppendTo(keys, {L"a", L"b"});
    return 1;
  });
  dictionary.Returns<&D::get_string>(L"text");
  dictionary.Returns<&D::copy>(&dictionary.Struct);
  RefPtr<ICefDictionaryValue> wrapped = ICefDictionaryValue::UnWrap(dictionary.Pass());
  ustringlist keys;
  EXPECT_TRUE(wrapped->GetKeys(keys));
  EXPECT_EQ(keys, (ustringlist{L"a", L"b"}));
  EXPECT_EQ(wrapped->GetString(L"a"), L"text");
  EXPECT_NE(wrapped->Copy(true), nullptr);
  EXPECT_EQ(dictionary.ArgsOf(&D::copy), TArgs{L"1"});
}

TEST_F(FamilyRef, ListValueSetsPassIndexAndValue) {
  using L = cef_list_value_t;
  TFake<L> list;
  TFake<cef_binary_value_t> binary;
  list.Returns<&L::set_string>(1);
  list.Returns<&L::set_binary>(1);
  RefPtr<ICefListValue> wrapped = ICefListValue::UnWrap(list.Pass());
  EXPECT_TRUE(wrapped->SetString(3, L""));
  EXPECT_TRUE(wrapped->SetBinary(4, ICefBinaryValue::UnWrap(binary.Pass())));
  EXPECT_EQ(list.ArgsOf(&L::set_string), (TArgs{L"3", L"\"\""}));
  EXPECT_EQ(list.ArgsOf(&L::set_binary), (TArgs{L"4", Render(&binary.Struct)}));
}

TEST_F(FamilyRef, ElementAttributesFillTheCallersMap) {
  using N = cef_domnode_t;
  TFake<N> node;
  node.Does<&N::get_element_attributes>([](cef_string_map_t map) {
    cef_string_t key{const_cast<wchar_t*>(L"id"), 2, nullptr}, value{const_cast<wchar_t*>(L"main"), 4, nullptr};
    cef_string_map_append(map, &key, &value);
  });
  RefPtr<ICefDomNode> wrapped = ICefDomNode::UnWrap(node.Pass());
  TCefStringMap attributes;
  wrapped->GetElementAttributes(attributes);
  EXPECT_EQ(attributes.Find(L"id"), L"main");
}

TEST_F(FamilyRef, TaskRunnerPostsTheTaskWithAReferenceForTheRuntime) {
  using T = cef_task_runner_t;
  TFake<T> runner;
  TFake<cef_task_t> task;
  runner.Returns<&T::post_delayed_task>(1);
  RefPtr<ICefTaskRunner> wrapped = ICefTaskRunner::UnWrap(runner.Pass());
  RefPtr<ICefBase> taskWrapped = TCefBaseRef::UnWrap(task.Pass());
  EXPECT_TRUE(wrapped->PostDelayedTask(taskWrapped, 1500));
  EXPECT_EQ(runner.ArgsOf(&T::post_delayed_task), (TArgs{Render(&task.Struct), L"1500"}));
  EXPECT_EQ(task.AddRefs, 2);
}

TEST_F(FamilyRef, DownloadTimesAreLocalDateTimes) {
  using D = cef_download_item_t;
  TFake<D> item;
  const TDateTime when = EncodeDate(2010, 10, 10);
  item.Returns<&D::get_end_time>(LocalDateTimeToCefTime(when));
  RefPtr<ICefDownloadItem> wrapped = ICefDownloadItem::UnWrap(item.Pass());
  EXPECT_NEAR(wrapped->GetEndTime(), when, 0.5 / 86400000);
  EXPECT_EQ(item.CountOf(&D::get_start_time), 0);
}

}  // namespace
}  // namespace ceflib::test
