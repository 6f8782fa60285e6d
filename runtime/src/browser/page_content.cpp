#include "page_content.h"

#include "text_decoding.h"
#include "utf.h"

namespace standin {

namespace {

bool LooksLikeHtml(std::string_view body) {
  size_t first = body.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
  return first != std::string_view::npos && body[first] == '<';
}

bool IsText(const std::string& mime) {
  return mime.rfind("text/", 0) == 0 || mime == "application/json" || mime == "application/javascript" ||
         mime == "application/xml";
}

}  // namespace

TPageContent BuildPageContent(const TLoadResult& result) {
  TPageContent content;
  std::string mime = page::MimeTypeOf(ToUtf8(result.mime_type));
  std::string content_type = result.content_type.empty() ? ToUtf8(result.mime_type) : result.content_type;
  bool html = mime == "text/html" || mime == "application/xhtml+xml" || (mime.empty() && LooksLikeHtml(result.body));
  if (html || IsText(mime) || mime.empty()) {
    content.source = page::DecodeBody(result.body, content_type);
    if (html) {
      page::TPageText text = page::ExtractPageText(content.source);
      content.title = std::move(text.title);
      content.paragraphs = std::move(text.paragraphs);
      content.refresh = std::move(text.refresh);
    } else {
      content.paragraphs = page::PlainTextParagraphs(content.source);
    }
  } else {
    content.paragraphs.push_back(L"(" + FromUtf8(mime) + L", " + std::to_wstring(result.body.size()) +
                                 L" bytes: the stand-in runtime shows only text)");
  }
  return content;
}

}  // namespace standin
