// The engine connection's plain parts: where the engine is found, how it is started and
// joined by its pipe, how the program's schemes travel through it, how window input becomes
// the engine's commands, what it may keep, and base64.

#include "base64_text.h"
#include "command_line_text.h"
#include "engine_address.h"
#include "engine_command.h"
#include "engine_cookies.h"
#include "engine_limits.h"
#include "engine_locator.h"
#include "engine_process.h"
#include "file_address.h"
#include "input_events.h"
#include "pipe_transport.h"
#include "process_memory.h"

#include <aclapi.h>
#include <gtest/gtest.h>
#include <sddl.h>

#include <algorithm>
#include <atomic>
#include <mutex>

#include <set>

namespace standin::engine {
namespace {

TEngineSearch Search(std::set<std::wstring> files, bool wine = true) {
  TEngineSearch search;
  search.under_wine = wine;
  search.install_roots = {L"C:\\Program Files (x86)", L"C:\\Program Files", L""};
  search.exists = [files](const std::wstring& path) { return files.count(path) != 0; };
  return search;
}

TEST(EngineCookies, KeepTheirKindThroughTheEngine) {
  struct TCase {
    nlohmann::json record;  // as the engine lists it
    nlohmann::json param;   // as it is handed back
  } cases[] = {
      {{{"name", "h"}, {"value", "1"}, {"domain", "127.0.0.1"}, {"path", "/a"}, {"expires", -1}, {"session", true},
        {"secure", false}, {"httpOnly", true}},
       {{"name", "h"}, {"value", "1"}, {"url", "http://127.0.0.1/a"}, {"path", "/a"}, {"secure", false},
        {"httpOnly", true}}},
      {{{"name", "d"}, {"value", "2"}, {"domain", ".example.com"}, {"path", "/"}, {"expires", 1800000000.5},
        {"session", false}, {"secure", true}, {"httpOnly", false}},
       {{"name", "d"}, {"value", "2"}, {"domain", ".example.com"}, {"path", "/"}, {"secure", true},
        {"httpOnly", false}, {"expires", 1800000000.5}}},
      {{{"name", "s"}, {"value", ""}, {"domain", "example.org"}, {"path", "/"}, {"expires", -1}, {"session", true},
        {"secure", true}, {"httpOnly", false}},
       {{"name", "s"}, {"value", ""}, {"url", "https://example.org/"}, {"path", "/"}, {"secure", true},
        {"httpOnly", false}}},
  };
  for (const TCase& c : cases) {
    cookies::TCookie cookie = CookieOfEngine(c.record);
    EXPECT_EQ(cookie.has_expires, !c.record["session"].get<bool>()) << c.record;
    EXPECT_EQ(EngineCookieOf(cookie), c.param) << c.record;
    nlohmann::json removal = EngineRemovalOf(cookie);
    EXPECT_EQ(removal.value("value", "?"), "");
    EXPECT_LT(removal.value("expires", 2e9), 1e9) << "a removal is a cookie long expired";
  }
}

TEST(EngineLocator, ChoosesTheEngineInOrderOfPreference) {
  const std::wstring edge = L"C:\\Program Files (x86)\\Microsoft\\Edge\\Application\\msedge.exe";
  const std::wstring chrome = L"C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe";
  struct TCase {
    std::set<std::wstring> files;
    bool wine;
    std::wstring executable;
    std::string reason;
  } cases[] = {
      {{edge, chrome, L"/usr/bin/chromium"}, true, edge, ""},
      {{chrome, L"/usr/bin/chromium"}, true, chrome, ""},
      {{L"/usr/bin/chromium"}, true, L"/usr/bin/chromium", ""},
      {{L"/usr/bin/chromium"}, false, L"", "not_installed"},
      {{}, true, L"", "not_installed"},
  };
  for (const TCase& c : cases) {
    TEngineLocation location = LocateEngine(Search(c.files, c.wine));
    EXPECT_EQ(location.executable, c.executable);
    EXPECT_EQ(location.reason, c.reason);
  }
}

TEST(EngineLocator, TheVariableNamesTheEngineOrSwitchesItOff) {
  TEngineSearch search = Search({L"/usr/bin/chromium", L"D:\\mine.exe"});
  search.setting_present = true;
  search.setting = L"none";
  EXPECT_EQ(LocateEngine(search).reason, "switched_off");
  search.setting = L"D:\\mine.exe";
  EXPECT_EQ(LocateEngine(search).executable, L"D:\\mine.exe");
  search.setting = L"D:\\missing.exe";
  TEngineLocation missing = LocateEngine(search);
  EXPECT_EQ(missing.executable, L"");  // a named engine that is not there is not replaced by another
  EXPECT_EQ(missing.reason, "named_executable_missing");
}

// The folder's access list as text, "" when it cannot be read.
std::wstring AccessList(const std::wstring& folder) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  PACL dacl = nullptr;
  if (GetNamedSecurityInfoW(folder.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                            nullptr, &descriptor) != ERROR_SUCCESS)
    return L"";
  wchar_t* text = nullptr;
  std::wstring result;
  if (ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION,
                                                           &text, nullptr)) {
    result = text;
    LocalFree(text);
  }
  LocalFree(descriptor);
  return result;
}

TEST(EngineProfile, LivesInTheCacheFolderOrWhereTheUserCanWriteAndIsPrivate) {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  const std::wstring base = std::wstring(temp) + L"kelpa-profile-" + std::to_wstring(GetTickCount64());
  const std::wstring cache = base + L"-cache", blocked = base + L"-blocked", local = base + L"-local";
  CloseHandle(CreateFileW(blocked.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
  CreateDirectoryW(local.c_str(), nullptr);
  wchar_t previous[MAX_PATH + 1] = {};
  GetEnvironmentVariableW(L"LOCALAPPDATA", previous, MAX_PATH + 1);
  SetEnvironmentVariableW(L"LOCALAPPDATA", local.c_str());

  EXPECT_EQ(ProfileFolder(cache), cache + L"\\StandinEngine");
  EXPECT_EQ(ProfileFolder(cache), cache + L"\\StandinEngine") << "the same folder in every run";
  // A file stands where the cache folder belongs, as an unwritable folder would.
  EXPECT_EQ(ProfileFolder(blocked), local + L"\\StandinEngine");
  // Nobody but the user and the system: no ace for everyone (WD), users (BU) or the
  // authenticated (AU).
  std::wstring access = AccessList(cache + L"\\StandinEngine");
  EXPECT_NE(access, L"");
  for (const wchar_t* stranger : {L";;;WD)", L";;;BU)", L";;;AU)"})
    EXPECT_EQ(access.find(stranger), std::wstring::npos) << std::string(access.begin(), access.end());

  SetEnvironmentVariableW(L"LOCALAPPDATA", previous);
  for (const std::wstring& folder : {cache, local}) {
    RemoveDirectoryW((folder + L"\\StandinEngine").c_str());
    RemoveDirectoryW(folder.c_str());
  }
  DeleteFileW(blocked.c_str());
}

TEST(EngineCommand, QuotesArgumentsAsWindowsSplitsThem) {
  struct TCase {
    std::wstring in, out;
  } cases[] = {
      {L"plain", L"plain"},
      {L"", L"\"\""},
      {L"two words", L"\"two words\""},
      {L"say \"hi\"", L"\"say \\\"hi\\\"\""},
      {L"C:\\dir with space\\", L"\"C:\\dir with space\\\\\""},
      {L"a\\\\b", L"a\\\\b"},
  };
  for (const TCase& c : cases) EXPECT_EQ(QuoteArgument(c.in), c.out) << std::string(c.in.begin(), c.in.end());
}

TEST(EngineCommand, StartsHeadlessOnAPipeWithoutAPortAndKeepsLittle) {
  std::vector<std::wstring> arguments = EngineArguments(L"/tmp/profile dir", true, L"12,34");
  std::set<std::wstring> set(arguments.begin(), arguments.end());
  for (const wchar_t* wanted :
       {L"--headless=new", L"--user-data-dir=/tmp/profile dir", L"--remote-debugging-pipe",
        L"--remote-debugging-io-pipes=12,34", L"about:blank",
        L"--disable-features=BackForwardCache,SpareRendererForSitePerProcess,WebUIOmniboxPopup,WebUIOmniboxAimPopup",
        L"--disk-cache-size=67108864", L"--no-first-run", L"--disable-background-networking"})
    EXPECT_EQ(set.count(wanted), 1u) << std::string(wanted, wanted + wcslen(wanted));
  for (const std::wstring& argument : EngineArguments(L"/p", false))
    EXPECT_EQ(argument.find(L"--remote-debugging-port"), std::wstring::npos) << "no door but the pipe";
}

TEST(EngineCommand, TheSandboxIsAskedForFirstAndDroppedOnlyUnderWine) {
  struct TCase {
    bool wine;
    std::vector<bool> attempts;
  } cases[] = {{false, {true}}, {true, {true, false}}};
  for (const TCase& c : cases) {
    EXPECT_EQ(SandboxAttempts(c.wine), c.attempts) << c.wine;
    for (bool sandbox : c.attempts) {
      std::vector<std::wstring> arguments = EngineArguments(L"/p", sandbox);
      EXPECT_EQ(std::count(arguments.begin(), arguments.end(), L"--no-sandbox"), sandbox ? 0 : 1);
    }
  }
  struct TOutput {
    std::string output, reason;
  } outputs[] = {
      {"[1:2:1210/131230.1:ERROR:zygote_host_impl_linux.cc(132)] Running as root without --no-sandbox is not "
       "supported.\n[3:4:ERROR:x.cc(1)] later\n",
       "Running as root without --no-sandbox is not supported."},
      {"first\nlast line\r\n\n", "last line"},
      {"", ""},
  };
  for (const TOutput& o : outputs) EXPECT_EQ(SandboxRefusal(o.output), o.reason) << o.output;
}

TEST(EngineCommand, TheShellGetsItsFoldersTheEngineAndItsArguments) {
  std::vector<std::wstring> command = UnixEngineCommand(L"/t/f", L"/p/log", L"/p", L"/usr/bin/chromium", {L"--a", L"b c"});
  ASSERT_EQ(command.size(), 10u);
  EXPECT_EQ(command[0], L"/bin/sh");
  EXPECT_EQ(std::vector<std::wstring>(command.begin() + 4, command.end()),
            (std::vector<std::wstring>{L"/t/f", L"/p/log", L"/p", L"/usr/bin/chromium", L"--a", L"b c"}));
}

TEST(EnginePipe, CarriesWholeMessagesBothWaysAndTellsWhenTheEngineGoes) {
  TMessageFrames frames;
  std::vector<std::string> split;
  using namespace std::string_view_literals;
  for (std::string_view piece : {"{\"a\""sv, ":1}"sv, "\0{}\0{"sv, "\"b\":2}\0"sv})
    frames.Add(piece, [&](std::string message) { split.push_back(message); });
  EXPECT_EQ(split, (std::vector<std::string>{"{\"a\":1}", "{}", "{\"b\":2}"}));

  // The Windows engine's pipes, with this test as the engine.
  TEnginePipe ours;
  HANDLE engine_reads = nullptr, engine_writes = nullptr;
  ASSERT_TRUE(CreateEnginePipes(ours, engine_reads, engine_writes));
  std::mutex lock;
  std::vector<std::string> received;
  std::atomic<bool> closed{false};
  TPipeTransport transport;
  ASSERT_TRUE(transport.Start(std::move(ours), {[&](std::string message) {
                                                  std::lock_guard<std::mutex> hold(lock);
                                                  received.push_back(message);
                                                },
                                                [&] { closed = true; }}));
  DWORD done = 0;
  ASSERT_TRUE(WriteFile(engine_writes, "one\0tw", 6, &done, nullptr));
  ASSERT_TRUE(WriteFile(engine_writes, "o\0", 2, &done, nullptr));
  ASSERT_TRUE(transport.Send("command"));
  char buffer[16] = {};
  ASSERT_TRUE(ReadFile(engine_reads, buffer, sizeof buffer, &done, nullptr));
  EXPECT_EQ(std::string(buffer, done), std::string("command\0", 8));
  CloseHandle(engine_writes);  // the engine goes
  for (int i = 0; i < 200 && !closed; ++i) Sleep(10);
  EXPECT_TRUE(closed);
  EXPECT_EQ(received, (std::vector<std::string>{"one", "two"}));
  EXPECT_FALSE(transport.Send("late"));
  transport.Close();
  // The engine's input ends with the connection.
  EXPECT_FALSE(ReadFile(engine_reads, buffer, sizeof buffer, &done, nullptr));
  CloseHandle(engine_reads);
}

TEST(EngineLimits, TestsMayLowerTheThresholdsButNeverRaiseThem) {
  TRecycleLimits defaults;
  TRecycleLimits lowered = RecycleLimitsOf("loads=3,engine_seconds=60,renderer_bytes=x,target_seconds=0,"
                                           "engine_bytes=999999999999999,unknown=1");
  EXPECT_EQ(lowered.loads, 3);
  EXPECT_EQ(lowered.engine_seconds, 60);
  EXPECT_EQ(lowered.renderer_bytes, defaults.renderer_bytes);
  EXPECT_EQ(lowered.target_seconds, defaults.target_seconds);
  EXPECT_EQ(lowered.engine_bytes, defaults.engine_bytes);
  struct TCase {
    int64_t loads, seconds, bytes;
    const char* reason;
  } cases[] = {{2, 10, 10, nullptr}, {3, 10, 10, "loads"}, {2, defaults.target_seconds, 10, "time"},
               {2, 10, defaults.renderer_bytes, "memory"}};
  for (const TCase& c : cases) {
    const char* reason = TargetRecycleReason(lowered, c.loads, c.seconds, c.bytes);
    EXPECT_STREQ(reason ? reason : "none", c.reason ? c.reason : "none");
  }
  EXPECT_STREQ(EngineRecycleReason(lowered, 60, 0), "time");
  EXPECT_STREQ(EngineRecycleReason(lowered, 1, defaults.engine_bytes), "memory");
  EXPECT_EQ(EngineRecycleReason(lowered, 1, 1), nullptr);
}

// What decides an engine's recycle: its processes' proportional set sizes, read from Linux.
TEST(EngineLimits, TheEnginesMemoryIsTheProportionalSetSizeOfItsProcesses) {
  EXPECT_EQ(PssBytesOf("55d0-7ffd ---p 00000000 00:00 0 [rollup]\nRss: 900 kB\nPss:  512 kB\nPss_Anon: 3 kB\n"),
            512 * 1024);
  EXPECT_EQ(PssBytesOf("Rss: 900 kB\nPss_Anon: 3 kB\n"), 0);
  EXPECT_EQ(PssBytesOf(""), 0);
  // This test's own process, as Wine runs it, is a Unix process with a figure of its own.
  DWORD unix_pid = 0;
  if (FILE* stat = _wfopen(L"Z:\\proc\\self\\stat", L"rb")) {
    if (std::fscanf(stat, "%lu", &unix_pid) != 1) unix_pid = 0;
    std::fclose(stat);
  }
  ASSERT_NE(unix_pid, 0u);
  EXPECT_GT(ProcessMemoryBytes(unix_pid, true), 1 << 20);
  EXPECT_GT(ProcessMemoryBytes(GetCurrentProcessId(), false), 0);
  EXPECT_EQ(ProcessMemoryBytes(0x7ffffffe, true), 0);
}

TEST(EngineAddress, TheProgramsSchemesTravelAsUnresolvableHostsAndComeBack) {
  struct TCase {
    std::wstring program, engine;
  } cases[] = {
      {L"local://z/tmp/x/", L"http://z.local.standin-scheme.invalid/tmp/x/"},
      {L"local://z/a%20b.html?q=1#top", L"http://z.local.standin-scheme.invalid/a%20b.html?q=1#top"},
      {L"test://site", L"http://site.test.standin-scheme.invalid/"},
      {L"test:///path", L"http://test.standin-scheme.invalid/path"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(ToEngineAddress(c.program), c.engine);
    EXPECT_EQ(FromEngineAddress(c.engine), c.program == L"test://site" ? L"test://site/" : c.program);
  }
  for (const wchar_t* own : {L"http://example.com/", L"https://a.b/", L"about:blank", L"data:text/html,x",
                             L"file:///C:/x", L"http://evil.invalid/"}) {
    EXPECT_EQ(ToEngineAddress(own), own);
    EXPECT_EQ(FromEngineAddress(own), own);
  }
}

TEST(FileAddress, EveryFormAWindowsUserTypesNamesItsFile) {
  struct TCase {
    const wchar_t* url;
    const wchar_t* path;
  } cases[] = {
      {L"file:///C:/dir/a%20b.html", L"C:\\dir\\a b.html"},
      {L"file://C:/dir/a b.html?q#f", L"C:\\dir\\a b.html"},
      {L"FILE:/c|/x", L"c:\\x"},
      {L"file://localhost/C:/x", L"C:\\x"},
      {L"file:///C:\\dir\\x", L"C:\\dir\\x"},
      {L"file:///Z:/Zo%C3%AB/\u00e9t\u00e9.html", L"Z:\\Zo\u00eb\\\u00e9t\u00e9.html"},
      {L"file://server/share/x", L"\\\\server\\share\\x"},
      {L"file:////server/share/x", L"\\\\server\\share\\x"},
      {L"file:///tmp/x", L"\\tmp\\x"},
  };
  for (const TCase& c : cases) EXPECT_EQ(WindowsPathOfFileUrl(c.url), c.path) << c.url;
  EXPECT_EQ(FileUrlSuffix(L"file://C:/a b.html?q=1#top"), L"?q=1#top");
  EXPECT_EQ(FileUrlOfWindowsPath(L"Z:\\Zo\u00eb\\a b#1.html"), L"file:///Z:/Zo%C3%AB/a%20b%231.html");
  EXPECT_EQ(FileUrlOfWindowsPath(L"\\\\server\\share\\x"), L"file://server/share/x");
  EXPECT_EQ(FileUrlOfUnixPath("/home/Zo\xc3\xab/a b.html"), L"file:///home/Zo%C3%AB/a%20b.html");
  EXPECT_EQ(UnixPathOfFileUrl(L"file:///home/Zo%C3%AB/a%20b.html#x"), "/home/Zo\xc3\xab/a b.html");
  EXPECT_EQ(UnixPathOfFileUrl(L"file://server/share/x"), "");
}

TEST(InputEvents, MouseAndKeysBecomeTheEnginesCommands) {
  POINT at = {12, 34};
  TInputCommand press = InputCommandOf(WM_LBUTTONDOWN, MK_LBUTTON, 0, at, 0);
  EXPECT_EQ(press.method, "Input.dispatchMouseEvent");
  EXPECT_EQ(press.params["type"], "mousePressed");
  EXPECT_EQ(press.params["button"], "left");
  EXPECT_EQ(press.params["x"], 12);
  EXPECT_EQ(press.params["clickCount"], 1);
  EXPECT_EQ(InputCommandOf(WM_LBUTTONDBLCLK, MK_LBUTTON, 0, at, 0).params["clickCount"], 2);
  EXPECT_EQ(InputCommandOf(WM_RBUTTONUP, 0, 0, at, 0).params["type"], "mouseReleased");
  EXPECT_EQ(InputCommandOf(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0, at, 0).params["deltaY"], -WHEEL_DELTA);
  TInputCommand enter = InputCommandOf(WM_KEYDOWN, VK_RETURN, 0, at, 8);
  EXPECT_EQ(enter.params["type"], "rawKeyDown");
  EXPECT_EQ(enter.params["key"], "Enter");
  EXPECT_EQ(enter.params["modifiers"], 8);
  EXPECT_EQ(InputCommandOf(WM_CHAR, L'\u00e9', 0, at, 0).params["text"], "\xc3\xa9");
  EXPECT_EQ(InputCommandOf(WM_CHAR, L'\r', 0, at, 0).params["text"], "\r");
  EXPECT_TRUE(InputCommandOf(WM_CHAR, L'\b', 0, at, 0).method.empty());  // the key-down deletes
  EXPECT_TRUE(InputCommandOf(WM_PAINT, 0, 0, at, 0).method.empty());
}

TEST(InputEvents, KeyDownsCarryTheirDomKeyAndCodeAndAltGrTypesItsCharacter) {
  POINT at = {0, 0};
  constexpr int kCtrlAlt = 1 | 2;
  struct TCase {
    WPARAM key;
    LPARAM lparam;
    std::wstring typed;
    int modifiers;
    const char* dom_key;
    const char* code;
    int sent_modifiers;
  } cases[] = {
      {'Q', 0x00100001, L"@", kCtrlAlt, "@", "KeyQ", 0},       // German AltGr+Q
      {'E', 0x00120001, L"\u20ac", kCtrlAlt, "\xe2\x82\xac", "KeyE", 0},
      {'Z', 0x00150001, L"z", 0, "z", "KeyY", 0},              // a German Z sits where KeyY is
      {'C', 0x002E0001, L"", 2, nullptr, "KeyC", 2},          // Ctrl+C stays a shortcut
      {VK_RIGHT, 0x014D0001, L"", 0, "ArrowRight", "ArrowRight", 0},
      {VK_RETURN, 0, L"\r", 0, "Enter", "Enter", 0},           // posted: the scan code of the key
  };
  for (const TCase& c : cases) {
    nlohmann::json params = InputCommandOf(WM_KEYDOWN, c.key, c.lparam, at, c.modifiers, c.typed).params;
    EXPECT_EQ(params.value("key", ""), c.dom_key ? c.dom_key : "") << c.code;
    EXPECT_EQ(params.value("code", ""), c.code);
    EXPECT_EQ(params["modifiers"], c.sent_modifiers) << c.code;
  }
  EXPECT_EQ(InputCommandOf(WM_CHAR, L'@', 0, at, kCtrlAlt).params["modifiers"], 0);
}

TEST(Base64, RoundTripsEveryLengthAndRefusesForeignText) {
  std::string bytes;
  for (std::string text : {std::string(), std::string("a"), std::string("ab"), std::string("abc"),
                           std::string("\x00\xff\x10\x80", 4)}) {
    ASSERT_TRUE(DecodeBase64(EncodeBase64(text), bytes));
    EXPECT_EQ(bytes, text);
  }
  EXPECT_EQ(EncodeBase64("hello"), "aGVsbG8=");
  EXPECT_FALSE(DecodeBase64("aGV*bG8=", bytes));
  EXPECT_FALSE(DecodeBase64("a", bytes));
}

}  // namespace
}  // namespace standin::engine
