#include "command_line.h"

#include "command_line_text.h"
#include "journal.h"
#include "string_collections.h"
#include "string_record.h"
#include "utf.h"

#include <windows.h>

namespace standin {
namespace {

// The length of the switch prefix an argument starts with, or 0.
size_t SwitchPrefix(std::wstring_view arg) {
  if (arg.size() > 2 && arg.substr(0, 2) == L"--") return 2;
  if (arg.size() > 1 && (arg[0] == L'-' || arg[0] == L'/')) return 1;
  return 0;
}

std::wstring SwitchText(const std::pair<std::wstring, std::wstring>& sw) {
  std::wstring text = L"--" + sw.first;
  if (!sw.second.empty()) text += L"=" + sw.second;
  return text;
}

TCommandLine* Self(cef_command_line_t* self) { return TCommandLine::From(self); }

struct TGlobal {
  std::mutex lock;
  TRef<TCommandLine> command_line;
};

TGlobal& Global() {
  static TGlobal* global = new TGlobal;
  return *global;
}

}  // namespace

TCommandLine::TCommandLine() : TRuntimeStruct("command_line") {
  cef_command_line_t& m = Members();
  m.is_valid = &IsValid;
  m.is_read_only = &IsReadOnly;
  m.copy = &Copy;
  m.init_from_argv = &InitFromArgv;
  m.init_from_string = &InitFromStringMember;
  m.reset = &ResetMember;
  m.get_argv = &GetArgv;
  m.get_command_line_string = &GetCommandLineString;
  m.get_program = &GetProgram;
  m.set_program = &SetProgram;
  m.has_switches = &HasSwitches;
  m.has_switch = &HasSwitchMember;
  m.get_switch_value = &GetSwitchValue;
  m.get_switches = &GetSwitches;
  m.append_switch = &AppendSwitchMember;
  m.append_switch_with_value = &AppendSwitchWithValue;
  m.has_arguments = &HasArguments;
  m.get_arguments = &GetArguments;
  m.append_argument = &AppendArgument;
  m.prepend_wrapper = &PrependWrapper;
}

void TCommandLine::Reset() {
  FProgram.clear();
  FPrefix.clear();
  FSwitches.clear();
  FArguments.clear();
}

void TCommandLine::AppendSwitch(std::wstring_view name, std::wstring_view value) {
  std::wstring key = AsciiLower(name);
  for (auto& sw : FSwitches) {
    if (sw.first == key) {
      sw.second = value;
      return;
    }
  }
  FSwitches.emplace_back(std::move(key), std::wstring(value));
}

void TCommandLine::InitFromArgs(const std::vector<std::wstring>& argv) {
  std::lock_guard<std::mutex> guard(FLock);
  Reset();
  if (argv.empty()) return;
  FProgram = argv[0];
  bool switches_done = false;
  for (size_t i = 1; i < argv.size(); ++i) {
    const std::wstring& arg = argv[i];
    if (!switches_done && arg == L"--") {
      switches_done = true;
      continue;
    }
    size_t prefix = switches_done ? 0 : SwitchPrefix(arg);
    if (prefix == 0) {
      FArguments.push_back(arg);
      continue;
    }
    std::wstring_view body = std::wstring_view(arg).substr(prefix);
    size_t eq = body.find(L'=');
    if (eq == std::wstring_view::npos) {
      AppendSwitch(body, L"");
    } else {
      AppendSwitch(body.substr(0, eq), body.substr(eq + 1));
    }
  }
}

void TCommandLine::InitFromString(std::wstring_view text) { InitFromArgs(SplitCommandLine(text)); }

std::vector<std::wstring> TCommandLine::Argv() const {
  std::lock_guard<std::mutex> guard(FLock);
  std::vector<std::wstring> argv{FProgram};
  argv.insert(argv.end(), FPrefix.begin(), FPrefix.end());
  for (const auto& sw : FSwitches) argv.push_back(SwitchText(sw));
  bool needs_separator = false;
  for (const auto& arg : FArguments) needs_separator |= arg == L"--" || SwitchPrefix(arg) != 0;
  if (needs_separator) argv.push_back(L"--");
  argv.insert(argv.end(), FArguments.begin(), FArguments.end());
  return argv;
}

std::wstring TCommandLine::Text() const {
  std::vector<std::wstring> argv = Argv();
  // An empty program leaves no trace, so a reset command line reads as empty.
  std::wstring text = argv[0].empty() ? L"" : QuoteArgument(argv[0]);
  for (size_t i = 1; i < argv.size(); ++i) {
    if (!text.empty()) text += L' ';
    text += QuoteArgument(argv[i]);
  }
  return text;
}

std::wstring TCommandLine::SwitchValue(std::wstring_view name) const {
  std::lock_guard<std::mutex> guard(FLock);
  std::wstring key = AsciiLower(name);
  for (const auto& sw : FSwitches) {
    if (sw.first == key) return sw.second;
  }
  return {};
}

bool TCommandLine::HasSwitch(std::wstring_view name) const {
  std::lock_guard<std::mutex> guard(FLock);
  std::wstring key = AsciiLower(name);
  for (const auto& sw : FSwitches) {
    if (sw.first == key) return true;
  }
  return false;
}

bool TCommandLine::Writable(const char* member) {
  if (!FReadOnly) return true;
  TJournalLine("misuse").Word("what", "read_only_command_line").Word("member", member).Write();
  return false;
}

int CEF_CALLBACK TCommandLine::IsValid(cef_command_line_t*) { return 1; }

int CEF_CALLBACK TCommandLine::IsReadOnly(cef_command_line_t* self) { return Self(self)->FReadOnly ? 1 : 0; }

cef_command_line_t* CEF_CALLBACK TCommandLine::Copy(cef_command_line_t* self) {
  TCommandLine* source = Self(self);
  auto copy = MakeRuntimeObject<TCommandLine>();
  {
    std::lock_guard<std::mutex> guard(source->FLock);
    copy->FProgram = source->FProgram;
    copy->FPrefix = source->FPrefix;
    copy->FSwitches = source->FSwitches;
    copy->FArguments = source->FArguments;
  }
  return copy->PassOut();
}

void CEF_CALLBACK TCommandLine::InitFromArgv(cef_command_line_t* self, int argc, const char* const* argv) {
  if (!Self(self)->Writable("init_from_argv")) return;
  std::vector<std::wstring> args;
  for (int i = 0; argv && i < argc; ++i) args.push_back(argv[i] ? FromUtf8(argv[i]) : std::wstring());
  Self(self)->InitFromArgs(args);
}

void CEF_CALLBACK TCommandLine::InitFromStringMember(cef_command_line_t* self, const cef_string_t* command_line) {
  if (Self(self)->Writable("init_from_string")) Self(self)->InitFromString(View(command_line));
}

void CEF_CALLBACK TCommandLine::ResetMember(cef_command_line_t* self) {
  if (!Self(self)->Writable("reset")) return;
  std::lock_guard<std::mutex> guard(Self(self)->FLock);
  Self(self)->Reset();
}

void CEF_CALLBACK TCommandLine::GetArgv(cef_command_line_t* self, cef_string_list_t argv) {
  if (!argv) return;
  for (auto& arg : Self(self)->Argv()) ListOf(argv)->push_back(std::move(arg));
}

cef_string_userfree_t CEF_CALLBACK TCommandLine::GetCommandLineString(cef_command_line_t* self) {
  return UserFreeResult(Self(self)->Text());
}

cef_string_userfree_t CEF_CALLBACK TCommandLine::GetProgram(cef_command_line_t* self) {
  std::lock_guard<std::mutex> guard(Self(self)->FLock);
  return UserFreeResult(Self(self)->FProgram);
}

void CEF_CALLBACK TCommandLine::SetProgram(cef_command_line_t* self, const cef_string_t* program) {
  if (!Self(self)->Writable("set_program")) return;
  std::lock_guard<std::mutex> guard(Self(self)->FLock);
  Self(self)->FProgram = Read(program);
}

int CEF_CALLBACK TCommandLine::HasSwitches(cef_command_line_t* self) {
  std::lock_guard<std::mutex> guard(Self(self)->FLock);
  return Self(self)->FSwitches.empty() ? 0 : 1;
}

int CEF_CALLBACK TCommandLine::HasSwitchMember(cef_command_line_t* self, const cef_string_t* name) {
  return Self(self)->HasSwitch(View(name)) ? 1 : 0;
}

cef_string_userfree_t CEF_CALLBACK TCommandLine::GetSwitchValue(cef_command_line_t* self, const cef_string_t* name) {
  return UserFreeResult(Self(self)->SwitchValue(View(name)));
}

void CEF_CALLBACK TCommandLine::GetSwitches(cef_command_line_t* self, cef_string_map_t switches) {
  if (!switches) return;
  std::lock_guard<std::mutex> guard(Self(self)->FLock);
  for (const auto& sw : Self(self)->FSwitches) MapOf(switches)->push_back(sw);
}

void CEF_CALLBACK TCommandLine::AppendSwitchMember(cef_command_line_t* self, const cef_string_t* name) {
  AppendSwitchWithValue(self, name, nullptr);
}

void CEF_CALLBACK TCommandLine::AppendSwitchWithValue(cef_command_line_t* self, const cef_string_t* name,
                                                      const cef_string_t* value) {
  if (View(name).empty() || !Self(self)->Writable("append_switch")) return;
  std::lock_guard<std::mutex> guard(Self(self)->FLock);
  Self(self)->AppendSwitch(View(name), View(value));
}

int CEF_CALLBACK TCommandLine::HasArguments(cef_command_line_t* self) {
  std::lock_guard<std::mutex> guard(Self(self)->FLock);
  return Self(self)->FArguments.empty() ? 0 : 1;
}

void CEF_CALLBACK TCommandLine::GetArguments(cef_command_line_t* self, cef_string_list_t arguments) {
  if (!arguments) return;
  std::lock_guard<std::mutex> guard(Self(self)->FLock);
  for (const auto& arg : Self(self)->FArguments) ListOf(arguments)->push_back(arg);
}

void CEF_CALLBACK TCommandLine::AppendArgument(cef_command_line_t* self, const cef_string_t* argument) {
  if (!Self(self)->Writable("append_argument")) return;
  std::lock_guard<std::mutex> guard(Self(self)->FLock);
  Self(self)->FArguments.push_back(Read(argument));
}

void CEF_CALLBACK TCommandLine::PrependWrapper(cef_command_line_t* self, const cef_string_t* wrapper) {
  // The wrapper is split at blanks without quoting, so it cannot name a path with spaces.
  std::vector<std::wstring> words;
  std::wstring word;
  for (wchar_t c : View(wrapper)) {
    if (c == L' ' || c == L'\t') {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  if (words.empty() || !Self(self)->Writable("prepend_wrapper")) return;
  TCommandLine* line = Self(self);
  std::lock_guard<std::mutex> guard(line->FLock);
  std::vector<std::wstring> prefix(words.begin() + 1, words.end());
  prefix.push_back(line->FProgram);
  prefix.insert(prefix.end(), line->FPrefix.begin(), line->FPrefix.end());
  line->FPrefix = std::move(prefix);
  line->FProgram = words[0];
}

TRef<TCommandLine> ProcessCommandLine() {
  auto command_line = MakeRuntimeObject<TCommandLine>();
  command_line->InitFromString(GetCommandLineW());
  return command_line;
}

TRef<TCommandLine> GlobalCommandLine() {
  TGlobal& g = Global();
  std::lock_guard<std::mutex> guard(g.lock);
  if (!g.command_line) {
    g.command_line = ProcessCommandLine();
    g.command_line->SetReadOnly();
  }
  return g.command_line;
}

void SetGlobalCommandLine(TRef<TCommandLine> command_line) {
  TGlobal& g = Global();
  TRef<TCommandLine> previous;
  std::lock_guard<std::mutex> guard(g.lock);
  previous = std::move(g.command_line);
  g.command_line = std::move(command_line);
}

void ResetGlobalCommandLine() { SetGlobalCommandLine(nullptr); }

}  // namespace standin

using namespace standin;

cef_command_line_t* cef_command_line_create(void) { return MakeRuntimeObject<TCommandLine>()->PassOut(); }

cef_command_line_t* cef_command_line_get_global(void) { return GlobalCommandLine()->PassOut(); }
