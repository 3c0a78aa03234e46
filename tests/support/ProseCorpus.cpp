#include "support/ProseCorpus.h"

#include <algorithm>

#include "Encodings/Utf8.h"
#include "support/Files.h"

namespace velmora::test {
namespace {

bool IsSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\u00A0';
}

// Appends `text` to `out` with every run of white space as one space.
void AppendCollapsed(TextView text, Text& out) {
  for (const char16_t c : text) {
    if (IsSpace(c)) {
      if (!out.empty() && out.back() != u' ') out.push_back(u' ');
    } else {
      out.push_back(c);
    }
  }
}

void Flush(Text& paragraph, std::vector<Text>& out) {
  while (!paragraph.empty() && paragraph.back() == u' ') paragraph.pop_back();
  const std::size_t start = paragraph.find_first_not_of(u' ');
  if (start != Text::npos) out.push_back(paragraph.substr(start));
  paragraph.clear();
}

// «&amp;» -> «&», «&#7879;» -> «ệ»; an unknown entity stays as it is.
std::size_t AppendEntity(TextView s, std::size_t at, Text& out) {
  const std::size_t end = s.find(u';', at);
  if (end == TextView::npos || end - at > 10) {
    out.push_back(u'&');
    return at + 1;
  }
  const TextView name = s.substr(at + 1, end - at - 1);
  char32_t c = 0;
  if (name == u"amp") c = u'&';
  else if (name == u"lt") c = u'<';
  else if (name == u"gt") c = u'>';
  else if (name == u"quot") c = u'"';
  else if (name == u"apos") c = u'\'';
  else if (name == u"nbsp") c = u' ';
  else if (name.size() > 1 && name[0] == u'#') {
    const bool hex = name[1] == u'x' || name[1] == u'X';
    for (const char16_t d : name.substr(hex ? 2 : 1)) {
      const int digit = d >= u'0' && d <= u'9'   ? d - u'0'
                        : d >= u'a' && d <= u'f' ? d - u'a' + 10
                        : d >= u'A' && d <= u'F' ? d - u'A' + 10
                                                 : 99;
      if (digit >= (hex ? 16 : 10)) return out.push_back(u'&'), at + 1;
      c = c * (hex ? 16 : 10) + static_cast<char32_t>(digit);
      if (c > 0x10FFFF) return out.push_back(u'&'), at + 1;
    }
  }
  if (c == 0 || (c >= 0xD800 && c <= 0xDFFF)) {
    out.push_back(u'&');
    return at + 1;
  }
  if (c < 0x10000) {
    out.push_back(static_cast<char16_t>(c));
  } else {
    out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
  }
  return end + 1;
}

bool TagIs(TextView tag, TextView name) {
  if (!tag.starts_with(name)) return false;
  return tag.size() == name.size() || tag[name.size()] == u' ' || tag[name.size()] == u'>' ||
         tag[name.size()] == u'/';
}

// Tags that end a paragraph.
bool IsBlockTag(TextView tag) {
  if (!tag.empty() && tag[0] == u'/') tag.remove_prefix(1);
  for (const TextView name : {u"p", u"li", u"dt", u"dd", u"td", u"th", u"tr", u"br", u"div",
                              u"h1", u"h2", u"h3", u"h4", u"h5", u"h6", u"title", u"table"}) {
    if (TagIs(tag, name)) return true;
  }
  return false;
}

}  // namespace

std::vector<Text> ManualParagraphs(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.path().extension() == ".html") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  std::vector<Text> paragraphs;
  for (const auto& file : files) {
    const std::optional<Text> html = DecodeUtf8(ReadFile(file), nullptr);
    if (!html) continue;
    const TextView s = *html;
    Text paragraph, run;
    bool skipping = false;  // inside <head>, <pre>, <script> or <style>
    for (std::size_t i = 0; i < s.size();) {
      if (s[i] == u'<') {
        const std::size_t end = s.find(u'>', i);
        if (end == TextView::npos) break;
        const TextView tag = s.substr(i + 1, end - i - 1);
        for (const TextView name : {u"head", u"pre", u"script", u"style"}) {
          if (TagIs(tag, name)) skipping = true;
          if (!tag.empty() && tag[0] == u'/' && TagIs(tag.substr(1), name)) skipping = false;
        }
        if (IsBlockTag(tag)) {
          AppendCollapsed(run, paragraph);
          run.clear();
          Flush(paragraph, paragraphs);
        }
        i = end + 1;
      } else if (skipping) {
        ++i;
      } else if (s[i] == u'&') {
        i = AppendEntity(s, i, run);
      } else {
        run.push_back(s[i++]);
      }
    }
    AppendCollapsed(run, paragraph);
    Flush(paragraph, paragraphs);
  }
  return paragraphs;
}

std::vector<Text> PlainTextParagraphs(const std::filesystem::path& file) {
  std::vector<Text> paragraphs;
  const std::optional<Text> text = DecodeUtf8(ReadFile(file), nullptr);
  if (!text) return paragraphs;
  Text paragraph;
  std::size_t start = 0;
  while (start <= text->size()) {
    std::size_t end = text->find(u'\n', start);
    if (end == Text::npos) end = text->size();
    const TextView line = TextView(*text).substr(start, end - start);
    if (line.find_first_not_of(u" \t\r") == TextView::npos) {
      Flush(paragraph, paragraphs);
    } else {
      AppendCollapsed(line, paragraph);
      paragraph.push_back(u' ');
    }
    start = end + 1;
  }
  Flush(paragraph, paragraphs);
  return paragraphs;
}

std::vector<Text> ProsePieces(const std::vector<Text>& paragraphs, std::size_t length,
                              std::size_t most) {
  // The paragraphs one after another, a line each, as in a file.
  Text all;
  for (const Text& paragraph : paragraphs) all.append(paragraph).push_back(u'\n');
  std::vector<Text> pieces;
  std::size_t start = 0;
  while (start + length <= all.size()) {
    std::size_t end = all.find_first_of(u" \n", start + length);
    if (end == Text::npos) end = all.size();
    pieces.push_back(all.substr(start, end - start));
    start = end + 1;
  }
  if (most == 0 || pieces.size() <= most) return pieces;
  std::vector<Text> chosen;
  chosen.reserve(most);
  for (std::size_t i = 0; i < most; ++i) chosen.push_back(pieces[i * pieces.size() / most]);
  return chosen;
}

}  // namespace velmora::test
