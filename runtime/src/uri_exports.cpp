// cef_uriencode and cef_uridecode.
//
// Encoding works on the UTF-8 form and keeps letters, digits and - _ . ! ~ * ' ( ); a blank
// becomes '+' when use_plus is set, %20 otherwise.
//
// Decoding unescapes %XX sequences according to the rule flags: UU_NONE unescapes nothing;
// UU_NORMAL unescapes every byte except the blank (needs UU_SPACES), control characters
// (need UU_CONTROL_CHARS) and the characters that carry meaning in a URL, % # & + , / : ; = ?
// @ [ \ ] ^ ` { | } (need UU_URL_SPECIAL_CHARS); UU_REPLACE_PLUS_WITH_SPACE turns '+' into a
// blank. With convert_to_utf8 the unescaped bytes are read as UTF-8 and, if they are not
// valid UTF-8, the text comes back unchanged; without it invalid bytes become U+FFFD.

#include "string_record.h"
#include "uri_escape.h"
#include "utf.h"

#include <cstring>

namespace standin {

bool IsAsciiAlnum(unsigned char b) {
  return (b >= '0' && b <= '9') || (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z');
}

}  // namespace standin

using namespace standin;

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool MayUnescape(unsigned char b, int rule) {
  if (rule & UU_URL_SPECIAL_CHARS) {
    // With special characters allowed, only blanks and control characters stay guarded.
  } else if (b != 0 && std::strchr("%#&+,/:;=?@[\\]^`{|}", b) != nullptr) {
    return false;
  }
  if (b == ' ') return (rule & UU_SPACES) != 0;
  if (b < 0x20 || b == 0x7F) return (rule & UU_CONTROL_CHARS) != 0;
  return true;
}

std::string Unescape(std::string_view in, int rule) {
  std::string out;
  for (size_t i = 0; i < in.size(); ++i) {
    char c = in[i];
    if (c == '%' && i + 2 < in.size()) {
      int hi = HexValue(in[i + 1]);
      int lo = HexValue(in[i + 2]);
      if (hi >= 0 && lo >= 0) {
        unsigned char b = static_cast<unsigned char>(hi * 16 + lo);
        if (MayUnescape(b, rule)) {
          out += static_cast<char>(b);
          i += 2;
          continue;
        }
      }
    }
    if (c == '+' && (rule & UU_REPLACE_PLUS_WITH_SPACE)) {
      out += ' ';
      continue;
    }
    out += c;
  }
  return out;
}

}  // namespace

cef_string_userfree_t cef_uriencode(const cef_string_t* text, int use_plus) {
  auto keep = [](unsigned char b) { return IsAsciiAlnum(b) || (b != 0 && std::strchr("-_.!~*'()", b) != nullptr); };
  return UserFreeResult(PercentEscape(ToUtf8(View(text)), keep, use_plus != 0));
}

cef_string_userfree_t cef_uridecode(const cef_string_t* text, int convert_to_utf8,
                                    cef_uri_unescape_rule_t unescape_rule) {
  std::wstring_view original = View(text);
  if (unescape_rule == UU_NONE) return UserFreeResult(original);
  std::string bytes = Unescape(ToUtf8(original), unescape_rule);
  std::wstring decoded;
  bool valid = Utf8ToUtf16(bytes, decoded);
  if (convert_to_utf8 && !valid) return UserFreeResult(original);
  return UserFreeResult(decoded);
}
