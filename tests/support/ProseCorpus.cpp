#include "support/ProseCorpus.h"

#include <algorithm>
#include <cstdint>

#include "Encodings/Utf8.h"
#include "support/Files.h"

namespace velmora::test {
namespace {

bool IsSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\u00A0';
}

// Collects paragraphs, every run of white space as one space.
struct Paragraphs {
  std::vector<Text> all;
  Text current;

  void Add(char16_t c) {
    if (!IsSpace(c)) {
      current.push_back(c);
    } else if (!current.empty() && current.back() != u' ') {
      current.push_back(u' ');
    }
  }
  void End() {
    while (!current.empty() && current.back() == u' ') current.pop_back();
    if (!current.empty()) all.push_back(current);
    current.clear();
  }
};

bool TagIs(TextView tag, TextView name) {
  if (!tag.empty() && tag[0] == u'/') tag.remove_prefix(1);
  return tag.starts_with(name) &&
         (tag.size() == name.size() || tag.find_first_of(u" />", name.size()) == name.size());
}

bool TagIsOneOf(TextView tag, std::initializer_list<TextView> names) {
  return std::any_of(names.begin(), names.end(), [tag](TextView name) { return TagIs(tag, name); });
}

bool IsAsciiLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// A message as it reads: without its format directives («%s», «%1$d», «%lu»,
// GCC's «%qs» and «%<»), and without the accelerator marks before a letter
// («^Tìm», «&Mở»).
Text WithoutDirectivesAndAccelerators(TextView message) {
  Text out;
  for (std::size_t i = 0; i < message.size(); ++i) {
    const char16_t c = message[i];
    const bool beforeLetter = i + 1 < message.size() && message[i + 1] > u' ' &&
                              !(message[i + 1] < 0x80 && !IsAsciiLetter(message[i + 1]));
    if ((c == u'^' || c == u'&') && beforeLetter) continue;
    if (c != u'%') {
      out.push_back(c);
      continue;
    }
    std::size_t end = i + 1;
    while (end < message.size() &&
           TextView(u"0123456789$#-+ .'*").find(message[end]) != TextView::npos) {
      ++end;
    }
    while (end < message.size() && TextView(u"hlLqjzt").find(message[end]) != TextView::npos) ++end;
    if (end < message.size() && (IsAsciiLetter(message[end]) || message[end] == u'<' ||
                                 message[end] == u'>' || message[end] == u'%')) {
      ++end;
    }
    i = end - 1;
  }
  return out;
}

}  // namespace

std::vector<Text> ManualParagraphs(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.path().extension() == ".html") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  Paragraphs paragraphs;
  for (const auto& file : files) {
    const std::optional<Text> html = encodings::DecodeUtf8(ReadFile(file), nullptr);
    if (!html) continue;
    bool skipping = false;  // inside <head>, <pre>, <script> or <style>
    for (std::size_t i = 0; i < html->size(); ++i) {
      const char16_t c = (*html)[i];
      if (c == u'<') {
        const std::size_t end = html->find(u'>', i);
        if (end == Text::npos) break;
        const TextView tag = TextView(*html).substr(i + 1, end - i - 1);
        if (TagIsOneOf(tag, {u"head", u"pre", u"script", u"style"})) skipping = tag[0] != u'/';
        if (TagIsOneOf(tag, {u"p", u"li", u"dt", u"dd", u"td", u"th", u"br", u"div", u"h1", u"h2",
                             u"h3", u"h4", u"title", u"table"})) {
          paragraphs.End();
        }
        i = end;
      } else if (!skipping && c == u'&') {
        // The manuals' only entities.
        const TextView rest = TextView(*html).substr(i);
        const struct {
          TextView name;
          char16_t c;
        } entities[] = {{u"&lt;", u'<'},
                        {u"&gt;", u'>'},
                        {u"&amp;", u'&'},
                        {u"&quot;", u'"'},
                        {u"&nbsp;", u' '}};
        const auto* found =
            std::find_if(std::begin(entities), std::end(entities),
                         [rest](const auto& e) { return rest.starts_with(e.name); });
        paragraphs.Add(found == std::end(entities) ? c : found->c);
        if (found != std::end(entities)) i += found->name.size() - 1;
      } else if (!skipping) {
        paragraphs.Add(c);
      }
    }
    paragraphs.End();
  }
  return paragraphs.all;
}

std::vector<Text> PlainTextParagraphs(const std::filesystem::path& file) {
  Paragraphs paragraphs;
  const Text text = encodings::DecodeUtf8(ReadFile(file), nullptr).value_or(Text());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool blankLine = text[i] == u'\n' &&
                           text.find_first_not_of(u" \t\r", i + 1) < text.size() &&
                           text[text.find_first_not_of(u" \t\r", i + 1)] == u'\n';
    if (blankLine) paragraphs.End();
    paragraphs.Add(text[i]);
  }
  paragraphs.End();
  return paragraphs.all;
}

std::vector<Text> CatalogueTranslations(const std::filesystem::path& file) {
  const std::string bytes = ReadFile(file);
  // The header: magic number, revision, count, and where the tables of
  // originals and translations start; each table entry is a length and an
  // offset. The magic number tells the byte order.
  bool bigEndian = false;
  const auto word = [&](std::size_t at) -> std::optional<std::uint32_t> {
    if (at > bytes.size() || bytes.size() - at < 4) return std::nullopt;
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
      const auto byte = static_cast<unsigned char>(bytes[at + (bigEndian ? i : 3 - i)]);
      value = value << 8 | byte;
    }
    return value;
  };
  const std::optional<std::uint32_t> magic = word(0);
  if (!magic) return {};
  if (*magic != 0x950412DEu) {
    bigEndian = true;
    if (word(0) != 0x950412DEu) return {};
  }
  const std::optional<std::uint32_t> count = word(8), originals = word(12), translations = word(16);
  if (!count || !originals || !translations) return {};
  Paragraphs paragraphs;
  for (std::uint32_t i = 0; i < *count; ++i) {
    const std::optional<std::uint32_t> originalLength = word(*originals + 8 * std::size_t{i});
    const std::optional<std::uint32_t> length = word(*translations + 8 * std::size_t{i});
    const std::optional<std::uint32_t> offset = word(*translations + 8 * std::size_t{i} + 4);
    if (!originalLength || !length || !offset || *offset > bytes.size() ||
        bytes.size() - *offset < *length) {
      break;
    }
    if (*originalLength == 0) continue;  // the header
    const std::optional<Text> text =
        encodings::DecodeUtf8(std::string_view(bytes).substr(*offset, *length), nullptr);
    if (!text) continue;
    const Text message = WithoutDirectivesAndAccelerators(*text);
    for (const char16_t c : message) {
      if (c == u'\0') {
        paragraphs.End();  // between plural forms
      } else {
        paragraphs.Add(c);
      }
    }
    paragraphs.End();
  }
  return paragraphs.all;
}

std::vector<Text> ProsePieces(const std::vector<Text>& paragraphs, std::size_t length,
                              std::size_t most) {
  // The paragraphs one after another, a line each, as in a file.
  Text all;
  for (const Text& paragraph : paragraphs) all.append(paragraph).push_back(u'\n');
  std::vector<Text> pieces;
  for (std::size_t start = 0; start + length <= all.size();) {
    const std::size_t end = std::min(all.find_first_of(u" \n", start + length), all.size());
    pieces.push_back(all.substr(start, end - start));
    start = end + 1;
  }
  if (most == 0 || pieces.size() <= most) return pieces;
  std::vector<Text> chosen;
  for (std::size_t i = 0; i < most; ++i) chosen.push_back(pieces[i * pieces.size() / most]);
  return chosen;
}

}  // namespace velmora::test
