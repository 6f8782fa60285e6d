#include "Properties.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <optional>

#include "Generators.h"
#include "base/IniFile.h"
#include "base/SysUtils.h"
#include "ceffilescheme/FileInfo.h"
#include "ceffilescheme/FileScheme.h"
#include "ceffilescheme/ListingPage.h"
#include "ceffilescheme/LocalUrl.h"
#include "settings/URLList.h"

namespace properties {

std::string Escaped(std::wstring_view text) {
  std::string out;
  for (wchar_t c : text) {
    if (c >= 0x20 && c < 0x7F && c != L'\\') {
      out += static_cast<char>(c);
    } else {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
      out += buffer;
    }
  }
  return out;
}

namespace {

using ceffilescheme::DecodeUrlEscapes;
using ceffilescheme::EscapeJsString;
using ceffilescheme::LocalUrlToPath;

// Runs `cases` cases of one property; a case returns the rule it broke, or null.
template <class Case>
TOutcome Run(std::uint64_t seed, std::uint64_t cases, Case&& oneCase) {
  TOutcome outcome;
  TGen gen(seed);
  std::string input;
  for (; outcome.Cases < cases; ++outcome.Cases) {
    input.clear();
    if (const char* broken = oneCase(gen, input)) {
      if (outcome.Failures++ == 0) outcome.FirstFailure = std::string(broken) + " for " + input;
    }
  }
  return outcome;
}

bool IsSeparator(wchar_t c) { return c == L',' || c == L'\r' || c == L'\n'; }
bool IsQuote(wchar_t c) { return c == L'"' || c == L'\''; }

// The entries cover the text in order; what lies between them is separators only; no entry
// is empty, starts with a line break, or holds a separator outside a quoted run; only the
// last entry may leave a run open; and what was in the list before stays in front.
const char* UrlListCase(TGen& gen, std::string& input) {
  static constexpr wchar_t kAlphabet[] = L"ab ,,\r\n\"'\t\x012C\x2022\xFF0C\x0127";
  std::wstring text;
  std::vector<std::wstring> plain;
  if (gen.Chance(50)) {
    text = gen.Text(kAlphabet, 24);
  } else {
    // Entries free of separators and quotes, joined by any run of separators, read back as written.
    int n = static_cast<int>(gen.Int(1, 5));
    for (int i = 0; i < n; ++i) {
      std::wstring entry;
      while (entry.empty() || entry[0] == L'\r' || entry[0] == L'\n') entry = gen.Text(L"ab c\x012C\x2022", 6);
      plain.push_back(entry);
      text += entry + gen.Text(L",\r\n", 2) + (i + 1 < n ? L"," : L"");
    }
  }
  input = Escaped(text);
  TURLList list{L"kept"};
  ParseURLList(text, list);
  if (list.empty() || list.front() != L"kept") return "an earlier entry was lost";
  list.erase(list.begin());
  if (!plain.empty() && list != plain) return "separated entries did not read back";
  size_t at = 0;
  for (size_t e = 0; e < list.size(); ++e) {
    const std::wstring& entry = list[e];
    if (entry.empty()) return "empty entry";
    if (entry[0] == L'\r' || entry[0] == L'\n') return "entry starts with a line break";
    size_t found = text.find(entry, at);
    if (found == std::wstring::npos) return "entry is not in the text in order";
    for (size_t i = at; i < found; ++i)
      if (!IsSeparator(text[i])) return "a character outside every entry is not a separator";
    wchar_t quote = 0;
    for (wchar_t c : entry) {
      if (quote) {
        if (c == quote) quote = 0;
      } else if (IsSeparator(c)) {
        return "separator outside a quoted run";
      } else if (IsQuote(c)) {
        quote = c;
      }
    }
    if (quote && e + 1 != list.size()) return "an open run did not reach the end";
    at = found + entry.size();
  }
  for (size_t i = at; i < text.size(); ++i)
    if (!IsSeparator(text[i])) return "text after the last entry is not separators";
  return nullptr;
}

std::wstring Hex(unsigned long long value, bool upper) {
  wchar_t buffer[32];
  std::swprintf(buffer, 32, upper ? L"%llX" : L"%llx", value);
  return buffer;
}

// Numbers written any of the accepted ways read back when they fit in 32 bits and are
// refused when they do not; texts with anything else in them are refused.
const char* IntegerCase(TGen& gen, std::string& input) {
  long long value = gen.Chance(50) ? gen.Int(-5000000000LL, 5000000000LL) : gen.Int(INT32_MIN - 3LL, INT32_MIN + 3LL) +
                                                                               (gen.Chance(50) ? 0 : 0xFFFFFFFFLL);
  unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value) : value;
  std::wstring sign = value < 0 ? L"-" : (gen.Chance(20) ? L"+" : L"");
  std::wstring body;
  switch (gen.Int(0, 2)) {
    case 0: body = std::to_wstring(magnitude); break;
    case 1: body = L"$" + Hex(magnitude, gen.Chance(50)); break;
    default: body = (gen.Chance(50) ? L"0x" : L"0X") + Hex(magnitude, gen.Chance(50)); break;
  }
  std::wstring text = gen.Text(L" \t", 2) + sign + body + gen.Text(L" \t", 2);
  bool junk = gen.Chance(30);
  // Characters that belong in no number, digits of other scripts among them.
  if (junk) text.insert(static_cast<size_t>(gen.Int(0, text.size())), 1, gen.Pick(L"g.,_\x0661\xFF11"));
  input = Escaped(text);
  std::optional<int> read = TryStrToInt(text);
  if (junk) return read ? "a text with a foreign character read as a number" : nullptr;
  bool fits = value >= INT32_MIN && value <= INT32_MAX;
  if (fits && read != static_cast<int>(value)) return "a number that fits did not read back";
  if (!fits && read) return "a number that does not fit was read";
  return nullptr;
}

// What is written is what is read back, through the system's profile functions.
template <bool kBeyondAnsi>
const char* IniCase(TGen& gen, std::string& input) {
  static const std::wstring file = [] {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"kelpa-properties-" + std::to_wstring(GetCurrentProcessId()) + L".ini";
  }();
  TIniFile ini(file);
  std::wstring value = gen.Text(kBeyondAnsi ? L"ab \t\"'=;[]#\\%\x00E9\x20AC\x4E2D\x03B1" : L"ab \t\"'=;[]#\\%\x00E9\x20AC", 12);
  int number = static_cast<int>(gen.Int(INT32_MIN, INT32_MAX));
  input = Escaped(value) + " / " + std::to_string(number);
  ini.WriteString(L"Config", L"ScreenURL1", value);
  ini.WriteInteger(L"Config", L"RotateDelay", number);
  if (ini.ReadString(L"Config", L"screenurl1", L"-") != value) return "text did not read back";
  if (ini.ReadInteger(L"config", L"ROTATEDELAY", 0) != number) return "number did not read back";
  if (ini.ReadInteger(L"Config", L"Missing", 77) != 77) return "missing key did not give the default";
  return nullptr;
}

// A path of any characters (NUL and '/' aside), written as an address with escapes chosen
// at random the ways a browser or a person writes them, maps back to the path.
const char* LocalUrlCase(TGen& gen, std::string& input) {
  wchar_t drive = gen.Pick(L"cCzZ");
  std::wstring path, url = L"local://" + std::wstring(1, drive) + L"/";
  int length = static_cast<int>(gen.Int(0, 16));
  for (int i = 0; i < length; ++i) {
    wchar_t c;
    switch (gen.Int(0, 5)) {
      case 0: c = L'/'; break;
      case 1: c = gen.Pick(L" %+?#&=;'\"\\~"); break;
      case 2: c = static_cast<wchar_t>(gen.Int(0x80, 0x7FF)); break;
      case 3: c = static_cast<wchar_t>(gen.Int(0x800, 0xD7FF)); break;
      default: c = gen.Pick(L"abcXYZ09._-"); break;
    }
    if (c == L'/') {
      path += L'\\';
      url += L'/';
      continue;
    }
    path += c;
    char bytes[4];
    int n = WideCharToMultiByte(CP_UTF8, 0, &c, 1, bytes, 4, nullptr, nullptr);
    bool literal = c < 0x80 && c != L'%' && c != L'+' && c != L'?' && c != L'#' && gen.Chance(60);
    if (c == L' ' && gen.Chance(50)) {
      url += L'+';
    } else if (c == L'%' && gen.Chance(50)) {
      url += L"%%";
    } else if (literal || (c >= 0x80 && gen.Chance(30))) {
      url += c;
    } else {
      for (int b = 0; b < n; ++b) {
        wchar_t escape[4];
        std::swprintf(escape, 4, gen.Chance(50) ? L"%%%02X" : L"%%%02x", static_cast<unsigned char>(bytes[b]));
        url += escape;
      }
    }
  }
  std::wstring query = gen.Chance(10) ? L"?v=" + gen.Text(L"12ab/%?", 4) : L"";
  input = Escaped(url + query);
  std::wstring expected = std::wstring(1, drive) + L":\\" + path;
  if (query.empty()) return LocalUrlToPath(url) == expected ? nullptr : "the address did not map to its path";
  // Whatever the query holds, the handler looks for the path alone.
  auto handler = ceflib::MakeRef<ceffilescheme::TFileScheme>(nullptr, nullptr, L"local", nullptr);
  handler->Respond(url + query);
  std::wstring looked = handler->Path();
  if (!looked.empty() && looked.back() == L'\\' && expected.back() != L'\\') looked.pop_back();
  return looked == expected ? nullptr : "a query changed the path";
}

// Texts without escapes come back unchanged; single bytes of the ANSI code page that do not
// form UTF-8 decode in that code page; a cut or non-hexadecimal escape or an escaped NUL
// gives nothing; and whatever comes back never holds a NUL.
const char* DecodeCase(TGen& gen, std::string& input) {
  std::wstring text;
  switch (gen.Int(0, 2)) {
    case 0: {
      text = gen.Text(L"ab/\\:.~\x00E9\x20AC\x4E2D", 12);
      // A character beyond the first plane, as the pair of units that stands for it.
      if (gen.Chance(50)) text.insert(static_cast<size_t>(gen.Int(0, text.size())), L"\xD83D\xDE00");
      input = Escaped(text);
      if (DecodeUrlEscapes(text) != text) return "a text without escapes changed";
      return nullptr;
    }
    case 1: {
      // A lead byte of 0xE0 or above followed by ASCII never forms UTF-8.
      unsigned byte = static_cast<unsigned>(gen.Int(0xE0, 0xFF));
      std::wstring before = gen.Text(L"ab.", 4), after = L"x" + gen.Text(L"ab.", 4);
      wchar_t escape[4];
      std::swprintf(escape, 4, L"%%%02X", byte);
      text = before + escape + after;
      input = Escaped(text);
      char ansi = static_cast<char>(byte);
      wchar_t expected = 0;
      MultiByteToWideChar(CP_ACP, 0, &ansi, 1, &expected, 1);
      if (DecodeUrlEscapes(text) != before + expected + after) return "an ANSI byte escape did not decode";
      return nullptr;
    }
    default: {
      text = gen.Text(L"a%%%+0fFgz\x00E9", 10);
      input = Escaped(text);
      std::wstring decoded = DecodeUrlEscapes(text);
      if (decoded.find(L'\0') != std::wstring::npos) return "a NUL came through";
      bool bad = false;
      for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'%') continue;
        if (i + 1 < text.size() && text[i + 1] == L'%') {
          ++i;
          continue;
        }
        auto hex = [&](size_t k) { return k < text.size() && std::iswxdigit(text[k]) && text[k] < 0x80; };
        if (!hex(i + 1) || !hex(i + 2) || (text[i + 1] == L'0' && text[i + 2] == L'0')) bad = true;
        i += 2;
      }
      if (bad && !decoded.empty()) return "a broken escape gave a text";
      return nullptr;
    }
  }
}

bool IsHex(wchar_t c) { return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F') || (c >= L'a' && c <= L'f'); }

// Put between double quotes in a script element, the escaped text is exactly one string
// literal by the script language's own tokenizer rules, the HTML parser cannot end the
// element inside it, it is 7-bit ASCII, and its value is the text up to the first NUL.
const char* EscapeJsCase(TGen& gen, std::string& input) {
  std::wstring text;
  int length = static_cast<int>(gen.Int(0, 16));
  for (int i = 0; i < length; ++i)
    text += gen.Chance(50) ? gen.Pick(L"\"\\'</>sScCrRiIpPtT\r\n\x2028\x2029\x0085 u0") : gen.AnyUnit();
  input = Escaped(text);
  std::wstring literal = EscapeJsString(text);
  std::wstring value;
  size_t i = 0;
  for (; i < literal.size(); ++i) {
    wchar_t c = literal[i];
    if (c >= 0x80) return "a character outside 7-bit ASCII";
    if (c == L'"') break;  // the closing quote
    if (c == L'\r' || c == L'\n') return "a line terminator inside the literal";
    if (c < 0x20) return "a raw control character";
    if (c == L'<') return "a '<' the HTML parser could read as a tag";
    if (c != L'\\') {
      value += c;
      continue;
    }
    if (++i == literal.size()) return "a backslash at the end escapes the closing quote";
    wchar_t e = literal[i];
    if (e == L'u') {
      if (i + 4 >= literal.size()) return "a cut \\u escape";
      for (int k = 1; k <= 4; ++k)
        if (!IsHex(literal[i + k])) return "a \\u escape without four hexadecimal digits";
      value += static_cast<wchar_t>(std::stoul(literal.substr(i + 1, 4), nullptr, 16));
      i += 4;
    } else if (e == L'"' || e == L'\\') {
      value += e;
    } else {
      return "an escape other than \\\", \\\\ and \\u";
    }
  }
  if (i != literal.size()) return "the literal closed before its end";
  if (value != text.substr(0, text.find(L'\0'))) return "the literal does not read back as the text";
  return nullptr;
}

std::wstring Folded(const std::wstring& name) {
  std::wstring out = name;
  for (wchar_t& c : out)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
  return out;
}

// The listing order is a total order: folders first, then names compared with only a to z
// folded, names equal but for case in a fixed order; a sort keeps every entry.
const char* SortCase(TGen& gen, std::string& input) {
  std::vector<ceffilescheme::TFileInfo> entries;
  int n = static_cast<int>(gen.Int(0, 8));
  for (int i = 0; i < n; ++i) {
    std::wstring name = gen.Chance(5) ? L".." : gen.Text(L"aAbBzZ._-!0\x00E9\x00C9~", 3);
    entries.emplace_back(name, gen.Int(0, 1 << 20), FILETIME{},
                         gen.Chance(40) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL);
    input += (entries.back().IsFolder() ? "/" : "") + Escaped(name) + " ";
  }
  using ceffilescheme::ListsBefore;
  for (const auto& a : entries) {
    if (ListsBefore(a, a)) return "an entry lists before itself";
    for (const auto& b : entries) {
      bool ab = ListsBefore(a, b), ba = ListsBefore(b, a);
      if (ab && ba) return "two entries each list before the other";
      bool same = a.name == b.name && a.IsFolder() == b.IsFolder();
      if (!ab && !ba && !same) return "two different entries are unordered";
      if (a.IsFolder() && !b.IsFolder() && !ab) return "a folder does not list before a file";
      if (a.IsFolder() == b.IsFolder() && Folded(a.name) < Folded(b.name) && !ab)
        return "names out of case-insensitive order";
      for (const auto& c : entries)
        if (ab && ListsBefore(b, c) && !ListsBefore(a, c)) return "the order is not transitive";
    }
  }
  std::vector<ceffilescheme::TFileInfo> sorted = entries;
  ceffilescheme::SortEntries(sorted);
  for (size_t i = 1; i < sorted.size(); ++i)
    if (ListsBefore(sorted[i], sorted[i - 1])) return "the sort left two entries out of order";
  auto key = [](const ceffilescheme::TFileInfo& e) { return std::make_pair(e.name, e.attr); };
  std::vector<std::pair<std::wstring, DWORD>> before, after;
  for (const auto& e : entries) before.push_back(key(e));
  for (const auto& e : sorted) after.push_back(key(e));
  std::sort(before.begin(), before.end());
  std::sort(after.begin(), after.end());
  if (before != after) return "the sort lost or made up an entry";
  return nullptr;
}

template <const char* (*Case)(TGen&, std::string&)>
TOutcome Check(std::uint64_t seed, std::uint64_t cases) {
  return Run(seed, cases, Case);
}

}  // namespace

const std::vector<TProperty>& AllProperties() {
  static const std::vector<TProperty> all = {
      {"ParseURLList", Check<UrlListCase>},        {"TryStrToInt (settings integers)", Check<IntegerCase>},
      {"TIniFile round trip", Check<IniCase<false>>},
      {"TIniFile round trip beyond ANSI", Check<IniCase<true>>},
      {"LocalUrlToPath", Check<LocalUrlCase>},
      {"DecodeUrlEscapes", Check<DecodeCase>},     {"EscapeJsString", Check<EscapeJsCase>},
      {"listing sort", Check<SortCase>},
  };
  return all;
}

}  // namespace properties
