// TCefCommandLineRef: ICefCommandLine over the runtime's cef_command_line_t, one line per member.

#include "ceflib/cef_command_line.h"
#include "ceflib/cef_ref_of.h"

namespace ceflib {
namespace {

class TCefCommandLineRef final : public TCefRefOf<TCefCommandLineRef, ICefCommandLine, cef_command_line_t> {
 public:
  using TCefRefOf::TCefRefOf;
  bool IsValid() override { return Call(&cef_command_line_t::is_valid); }
  bool IsReadOnly() override { return Call(&cef_command_line_t::is_read_only); }
  RefPtr<ICefCommandLine> Copy() override { return Call(&cef_command_line_t::copy); }
  void InitFromString(const ustring& commandLine) override { Call(&cef_command_line_t::init_from_string, commandLine); }
  void Reset() override { Call(&cef_command_line_t::reset); }
  ustring GetCommandLineString() override { return Call(&cef_command_line_t::get_command_line_string); }
  void GetArgv(ustringlist& argv) override { Call(&cef_command_line_t::get_argv, argv); }
  ustring GetProgram() override { return Call(&cef_command_line_t::get_program); }
  void SetProgram(const ustring& program) override { Call(&cef_command_line_t::set_program, program); }
  bool HasSwitches() override { return Call(&cef_command_line_t::has_switches); }
  bool HasSwitch(const ustring& name) override { return Call(&cef_command_line_t::has_switch, name); }
  ustring GetSwitchValue(const ustring& name) override { return Call(&cef_command_line_t::get_switch_value, name); }
  void AppendSwitch(const ustring& name) override { Call(&cef_command_line_t::append_switch, name); }
  void AppendSwitchWithValue(const ustring& name, const ustring& value) override {
    Call(&cef_command_line_t::append_switch_with_value, name, value);
  }
  bool HasArguments() override { return Call(&cef_command_line_t::has_arguments); }
  void GetArguments(ustringlist& arguments) override { Call(&cef_command_line_t::get_arguments, arguments); }
  void AppendArgument(const ustring& argument) override { Call(&cef_command_line_t::append_argument, argument); }
  void PrependWrapper(const ustring& wrapper) override { Call(&cef_command_line_t::prepend_wrapper, wrapper); }
};

}  // namespace

RefPtr<ICefCommandLine> ICefCommandLine::UnWrap(void* data) { return TCefCommandLineRef::UnWrap(data); }

}  // namespace ceflib
