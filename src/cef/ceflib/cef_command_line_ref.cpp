// TCefCommandLineRef: ICefCommandLine over the runtime's cef_command_line_t, one line per member.

#include "ceflib/cef_command_line.h"
#include "ceflib/cef_entry_points.h"
#include "ceflib/cef_ref_of.h"
#include "ceflib/cef_string_map.h"

namespace ceflib {
namespace {

using C = cef_command_line_t;

class TCefCommandLineRef final : public TCefRefOf<TCefCommandLineRef, ICefCommandLine, C> {
 public:
  using TCefRefOf::TCefRefOf;
  bool IsValid() override { return Call(&C::is_valid); }
  bool IsReadOnly() override { return Call(&C::is_read_only); }
  RefPtr<ICefCommandLine> Copy() override { return Call(&C::copy); }
  void InitFromArgv(int argc, const char* const* argv) override { Call(&C::init_from_argv, argc, argv); }
  void InitFromString(const ustring& commandLine) override { Call(&C::init_from_string, commandLine); }
  void Reset() override { Call(&C::reset); }
  void GetArgv(ustringlist& argv) override { Call(&C::get_argv, argv); }
  ustring GetCommandLineString() override { return Call(&C::get_command_line_string); }
  ustring GetProgram() override { return Call(&C::get_program); }
  void SetProgram(const ustring& program) override { Call(&C::set_program, program); }
  bool HasSwitches() override { return Call(&C::has_switches); }
  bool HasSwitch(const ustring& name) override { return Call(&C::has_switch, name); }
  ustring GetSwitchValue(const ustring& name) override { return Call(&C::get_switch_value, name); }
  void GetSwitches(ustringlist& switches) override;
  void AppendSwitch(const ustring& name) override { Call(&C::append_switch, name); }
  void AppendSwitchWithValue(const ustring& name, const ustring& value) override {
    Call(&C::append_switch_with_value, name, value);
  }
  bool HasArguments() override { return Call(&C::has_arguments); }
  void GetArguments(ustringlist& arguments) override { Call(&C::get_arguments, arguments); }
  void AppendArgument(const ustring& argument) override { Call(&C::append_argument, argument); }
  void PrependWrapper(const ustring& wrapper) override { Call(&C::prepend_wrapper, wrapper); }
};

void TCefCommandLineRef::GetSwitches(ustringlist& switches) {
  TCefStringMap map;
  Call(&C::get_switches, map);
  for (int i = 0, size = map.Size(); i < size; ++i) switches.push_back(map.Key(i) + L'=' + map.Value(i));
}

}  // namespace

RefPtr<ICefCommandLine> ICefCommandLine::UnWrap(void* data) { return TCefCommandLineRef::UnWrap(data); }
RefPtr<ICefCommandLine> ICefCommandLine::New() { return CefInvoke(cef_command_line_create); }
RefPtr<ICefCommandLine> ICefCommandLine::Global() { return CefInvoke(cef_command_line_get_global); }

}  // namespace ceflib
