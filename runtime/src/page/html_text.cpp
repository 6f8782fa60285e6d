#include "html_text.h"

#include "html_entities.h"

#include <cwctype>
#include <map>

namespace standin::page {

namespace {

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f'; }

std::wstring Lower(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out) c = static_cast<wchar_t>(std::towlower(c));
  return out;
}

// Blanks (and no-break spaces are kept) collapsed to one space, trimmed.
std::wstring Collapse(std::wstring_view text) {
  std::wstring out;
  bool pending_space = false;
  for (wchar_t c : text) {
    if (IsSpace(c)) {
      pending_space = true;
      continue;
    }
    if (pending_space && !out.empty()) out += L' ';
    pending_space = false;
    out += c;
  }
  return out;
}

bool IsBlockTag(std::wstring_view name) {
  static const wchar_t* const kBlocks[] = {
      L"address", L"article", L"aside",   L"blockquote", L"body",   L"br",      L"center", L"dd",
      L"details", L"div",     L"dl",      L"dt",         L"fieldset", L"figcaption", L"figure", L"footer",
      L"form",    L"h1",      L"h2",      L"h3",         L"h4",     L"h5",      L"h6",     L"header",
      L"hr",      L"html",    L"legend",  L"li",         L"main",   L"nav",     L"ol",     L"p",
      L"pre",     L"section", L"summary", L"table",      L"tr",     L"ul",      L"head",   L"option"};
  for (const wchar_t* block : kBlocks)
    if (name == block) return true;
  return false;
}

struct TTag {
  std::wstring name;  // lower case
  bool closing = false;
  std::map<std::wstring, std::wstring> attributes;  // lower-case names, decoded values
};

// Reads a tag starting at html[at] == '<'; returns the index after '>' (or the end).
size_t ReadTag(std::wstring_view html, size_t at, TTag& tag) {
  size_t i = at + 1;
  if (i < html.size() && html[i] == L'/') {
    tag.closing = true;
    ++i;
  }
  size_t name_start = i;
  while (i < html.size() && !IsSpace(html[i]) && html[i] != L'>' && html[i] != L'/') ++i;
  tag.name = Lower(html.substr(name_start, i - name_start));
  while (i < html.size() && html[i] != L'>') {
    if (IsSpace(html[i]) || html[i] == L'/') {
      ++i;
      continue;
    }
    size_t attribute_start = i;
    while (i < html.size() && !IsSpace(html[i]) && html[i] != L'=' && html[i] != L'>') ++i;
    std::wstring name = Lower(html.substr(attribute_start, i - attribute_start));
    while (i < html.size() && IsSpace(html[i])) ++i;
    std::wstring value;
    if (i < html.size() && html[i] == L'=') {
      ++i;
      while (i < html.size() && IsSpace(html[i])) ++i;
      if (i < html.size() && (html[i] == L'"' || html[i] == L'\'')) {
        wchar_t quote = html[i++];
        size_t end = html.find(quote, i);
        if (end == std::wstring_view::npos) end = html.size();
        value = DecodeEntities(html.substr(i, end - i));
        i = end < html.size() ? end + 1 : end;
      } else {
        size_t value_start = i;
        while (i < html.size() && !IsSpace(html[i]) && html[i] != L'>') ++i;
        value = DecodeEntities(html.substr(value_start, i - value_start));
      }
    }
    if (!name.empty()) tag.attributes.emplace(std::move(name), std::move(value));
  }
  return i < html.size() ? i + 1 : i;
}

// The index of "</name" (any letter case) from at, or the end.
size_t FindClosing(std::wstring_view html, size_t at, std::wstring_view name) {
  for (size_t i = html.find(L"</", at); i != std::wstring_view::npos; i = html.find(L"</", i + 2)) {
    if (Lower(html.substr(i + 2, name.size())) == name) return i;
  }
  return html.size();
}

class TTextCollector {
 public:
  void Text(std::wstring_view raw) { FCurrent += DecodeEntities(raw); }
  void Break() {
    std::wstring paragraph = Collapse(FCurrent);
    if (!paragraph.empty()) FParagraphs.push_back(std::move(paragraph));
    FCurrent.clear();
  }
  std::vector<std::wstring> Take() {
    Break();
    return std::move(FParagraphs);
  }
  void Space() { FCurrent += L' '; }

 private:
  std::wstring FCurrent;
  std::vector<std::wstring> FParagraphs;
};

}  // namespace

TPageText ExtractPageText(std::wstring_view html) {
  TPageText page;
  TTextCollector text;
  bool have_title = false;
  size_t i = 0;
  while (i < html.size()) {
    size_t lt = html.find(L'<', i);
    if (lt == std::wstring_view::npos) lt = html.size();
    if (lt > i) text.Text(html.substr(i, lt - i));
    i = lt;
    if (i >= html.size()) break;

    if (html.substr(i, 4) == L"<!--") {
      size_t end = html.find(L"-->", i + 4);
      i = end == std::wstring_view::npos ? html.size() : end + 3;
      continue;
    }
    wchar_t next = i + 1 < html.size() ? html[i + 1] : 0;
    if (next == L'!' || next == L'?') {
      size_t end = html.find(L'>', i);
      i = end == std::wstring_view::npos ? html.size() : end + 1;
      continue;
    }
    bool opens_tag = std::iswalpha(next) || (next == L'/' && i + 2 < html.size() && std::iswalpha(html[i + 2]));
    if (!opens_tag) {
      text.Text(L"<");
      ++i;
      continue;
    }

    TTag tag;
    i = ReadTag(html, i, tag);
    if (!tag.closing && (tag.name == L"script" || tag.name == L"style" || tag.name == L"title" ||
                         tag.name == L"textarea")) {
      size_t end = FindClosing(html, i, tag.name);
      std::wstring_view content = html.substr(i, end - i);
      if (tag.name == L"title" && !have_title) {
        page.title = Collapse(DecodeEntities(content));
        have_title = true;
      } else if (tag.name == L"textarea") {
        text.Text(content);
        text.Break();
      }
      size_t close = html.find(L'>', end);
      i = close == std::wstring_view::npos ? html.size() : close + 1;
      continue;
    }
    if (!tag.closing && tag.name == L"meta" && !page.refresh) {
      auto equiv = tag.attributes.find(L"http-equiv");
      auto content = tag.attributes.find(L"content");
      if (equiv != tag.attributes.end() && content != tag.attributes.end() && Lower(equiv->second) == L"refresh")
        page.refresh = ParseRefreshContent(content->second);
    }
    if (IsBlockTag(tag.name)) {
      text.Break();
    } else if (tag.name == L"td" || tag.name == L"th" || tag.name == L"img") {
      if (tag.name == L"img") {
        auto alt = tag.attributes.find(L"alt");
        if (alt != tag.attributes.end()) text.Text(L" " + alt->second + L" ");
      }
      text.Space();
    }
  }
  page.paragraphs = text.Take();
  return page;
}

std::vector<std::wstring> PlainTextParagraphs(std::wstring_view text) {
  std::vector<std::wstring> paragraphs;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring_view::npos) end = text.size();
    std::wstring line = Collapse(text.substr(start, end - start));
    if (!line.empty()) paragraphs.push_back(std::move(line));
    start = end + 1;
  }
  return paragraphs;
}

}  // namespace standin::page
