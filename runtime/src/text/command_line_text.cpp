#include "command_line_text.h"

namespace standin {

std::vector<std::wstring> SplitCommandLine(std::wstring_view text) {
  std::vector<std::wstring> args;
  size_t i = 0;
  const size_t n = text.size();
  for (;;) {
    while (i < n && (text[i] == L' ' || text[i] == L'\t')) ++i;
    if (i >= n) break;
    std::wstring arg;
    bool quoted = false;
    while (i < n && (quoted || (text[i] != L' ' && text[i] != L'\t'))) {
      if (text[i] == L'\\') {
        size_t slashes = 0;
        while (i < n && text[i] == L'\\') ++slashes, ++i;
        if (i < n && text[i] == L'"') {
          arg.append(slashes / 2, L'\\');
          if (slashes % 2) {
            arg += L'"';
            ++i;
          }
        } else {
          arg.append(slashes, L'\\');
        }
      } else if (text[i] == L'"') {
        if (quoted && i + 1 < n && text[i + 1] == L'"') {
          arg += L'"';
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else {
        arg += text[i++];
      }
    }
    args.push_back(std::move(arg));
  }
  return args;
}

std::wstring QuoteArgument(std::wstring_view arg) {
  // Line breaks and vertical tabs do not split an argument, but programs that read their
  // command line by other rules may take them for blanks: they are quoted too.
  if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring_view::npos) return std::wstring(arg);
  std::wstring out = L"\"";
  size_t slashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++slashes;
      continue;
    }
    // Backslashes before a quote (or before the closing quote) must be doubled.
    out.append(c == L'"' ? slashes * 2 + 1 : slashes, L'\\');
    slashes = 0;
    out += c;
  }
  out.append(slashes * 2, L'\\');
  out += L'"';
  return out;
}

}  // namespace standin
