#pragma once
// The command line object: a program, switches (names in lower case, in the order first
// given) and arguments, parsed like a Windows command line ("--", "-" and "/" start a
// switch, "--" alone ends them). The process's global command line is read-only; changing a
// read-only command line does nothing and is journalled as a misuse.

#include "runtime_object.h"

#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace standin {

class TCommandLine final : public TRuntimeStruct<TCommandLine, cef_command_line_t> {
 public:
  TCommandLine();

  void InitFromString(std::wstring_view text);
  void InitFromArgs(const std::vector<std::wstring>& argv);
  void SetReadOnly() { FReadOnly = true; }

  std::wstring SwitchValue(std::wstring_view name) const;
  bool HasSwitch(std::wstring_view name) const;
  std::wstring Text() const;
  std::vector<std::wstring> Argv() const;

 private:
  bool Writable(const char* member);
  void Reset();
  void AppendSwitch(std::wstring_view name, std::wstring_view value);

  static int CEF_CALLBACK IsValid(cef_command_line_t* self);
  static int CEF_CALLBACK IsReadOnly(cef_command_line_t* self);
  static cef_command_line_t* CEF_CALLBACK Copy(cef_command_line_t* self);
  static void CEF_CALLBACK InitFromArgv(cef_command_line_t* self, int argc, const char* const* argv);
  static void CEF_CALLBACK InitFromStringMember(cef_command_line_t* self, const cef_string_t* command_line);
  static void CEF_CALLBACK ResetMember(cef_command_line_t* self);
  static void CEF_CALLBACK GetArgv(cef_command_line_t* self, cef_string_list_t argv);
  static cef_string_userfree_t CEF_CALLBACK GetCommandLineString(cef_command_line_t* self);
  static cef_string_userfree_t CEF_CALLBACK GetProgram(cef_command_line_t* self);
  static void CEF_CALLBACK SetProgram(cef_command_line_t* self, const cef_string_t* program);
  static int CEF_CALLBACK HasSwitches(cef_command_line_t* self);
  static int CEF_CALLBACK HasSwitchMember(cef_command_line_t* self, const cef_string_t* name);
  static cef_string_userfree_t CEF_CALLBACK GetSwitchValue(cef_command_line_t* self, const cef_string_t* name);
  static void CEF_CALLBACK GetSwitches(cef_command_line_t* self, cef_string_map_t switches);
  static void CEF_CALLBACK AppendSwitchMember(cef_command_line_t* self, const cef_string_t* name);
  static void CEF_CALLBACK AppendSwitchWithValue(cef_command_line_t* self, const cef_string_t* name,
                                                 const cef_string_t* value);
  static int CEF_CALLBACK HasArguments(cef_command_line_t* self);
  static void CEF_CALLBACK GetArguments(cef_command_line_t* self, cef_string_list_t arguments);
  static void CEF_CALLBACK AppendArgument(cef_command_line_t* self, const cef_string_t* argument);
  static void CEF_CALLBACK PrependWrapper(cef_command_line_t* self, const cef_string_t* wrapper);

  mutable std::mutex FLock;
  bool FReadOnly = false;
  std::wstring FProgram;
  std::vector<std::wstring> FPrefix;  // what a wrapper put between the program and the switches
  std::vector<std::pair<std::wstring, std::wstring>> FSwitches;
  std::vector<std::wstring> FArguments;
};

// The process's command line as the runtime sees it: parsed from GetCommandLineW when first
// asked for, replaced by the processed one at cef_initialize, dropped at cef_shutdown.
TRef<TCommandLine> GlobalCommandLine();
void SetGlobalCommandLine(TRef<TCommandLine> command_line);
void ResetGlobalCommandLine();

// A fresh, writable command line parsed from this process's own.
TRef<TCommandLine> ProcessCommandLine();

}  // namespace standin
