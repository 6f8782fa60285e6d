#pragma once
// ICefCommandLine: a runtime command line (cef_command_line_t), reached through its wrapper
// TCefCommandLineRef. New makes an empty one, Global gives the process's own (read-only).

#include <cef_capi.h>

#include "ceflib/cef_base.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefCommandLine : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefCommandLine> UnWrap(void* data);
  static RefPtr<ICefCommandLine> New();
  static RefPtr<ICefCommandLine> Global();

  virtual bool IsValid() = 0;
  virtual bool IsReadOnly() = 0;
  virtual RefPtr<ICefCommandLine> Copy() = 0;
  virtual void InitFromArgv(int argc, const char* const* argv) = 0;
  virtual void InitFromString(const ustring& commandLine) = 0;
  virtual void Reset() = 0;
  // Appends the original command line, program first, to argv.
  virtual void GetArgv(ustringlist& argv) = 0;
  virtual ustring GetCommandLineString() = 0;
  virtual ustring GetProgram() = 0;
  virtual void SetProgram(const ustring& program) = 0;
  virtual bool HasSwitches() = 0;
  virtual bool HasSwitch(const ustring& name) = 0;
  virtual ustring GetSwitchValue(const ustring& name) = 0;
  // Appends one "name=value" text per switch to switches ("name=" for a switch without value).
  virtual void GetSwitches(ustringlist& switches) = 0;
  virtual void AppendSwitch(const ustring& name) = 0;
  virtual void AppendSwitchWithValue(const ustring& name, const ustring& value) = 0;
  virtual bool HasArguments() = 0;
  // Appends the remaining arguments to arguments.
  virtual void GetArguments(ustringlist& arguments) = 0;
  virtual void AppendArgument(const ustring& argument) = 0;
  virtual void PrependWrapper(const ustring& wrapper) = 0;
};

}  // namespace ceflib
