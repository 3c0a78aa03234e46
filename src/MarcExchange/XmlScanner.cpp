#include "MarcExchange/XmlScanner.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "Encodings/Utf8.h"
#include "Messages/Format.h"
#include "Messages/Translate.h"

namespace velmora::marc_exchange {
namespace {

using messages::Format;
using messages::Tr;

constexpr std::string_view kXmlNamespaceUri = "http://www.w3.org/XML/1998/namespace";
constexpr std::string_view kXmlnsNamespaceUri = "http://www.w3.org/2000/xmlns/";
constexpr std::string_view kXmlns = "xmlns";

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsXmlChar(char32_t cp) {
  if (cp < 0x20) return cp == 0x9 || cp == 0xA || cp == 0xD;
  if (cp <= 0xD7FF) return true;
  if (cp < 0xE000) return false;
  if (cp <= 0xFFFD) return true;
  return cp >= 0x10000 && cp <= 0x10FFFF;
}

// XML 1.0 fifth edition.
bool IsNameStartChar(char32_t cp) {
  return cp == ':' || (cp >= 'A' && cp <= 'Z') || cp == '_' || (cp >= 'a' && cp <= 'z') ||
         (cp >= 0xC0 && cp <= 0xD6) || (cp >= 0xD8 && cp <= 0xF6) || (cp >= 0xF8 && cp <= 0x2FF) ||
         (cp >= 0x370 && cp <= 0x37D) || (cp >= 0x37F && cp <= 0x1FFF) ||
         (cp >= 0x200C && cp <= 0x200D) || (cp >= 0x2070 && cp <= 0x218F) ||
         (cp >= 0x2C00 && cp <= 0x2FEF) || (cp >= 0x3001 && cp <= 0xD7FF) ||
         (cp >= 0xF900 && cp <= 0xFDCF) || (cp >= 0xFDF0 && cp <= 0xFFFD) ||
         (cp >= 0x10000 && cp <= 0xEFFFF);
}

bool IsNameChar(char32_t cp) {
  return IsNameStartChar(cp) || cp == '-' || cp == '.' || (cp >= '0' && cp <= '9') || cp == 0xB7 ||
         (cp >= 0x300 && cp <= 0x36F) || (cp >= 0x203F && cp <= 0x2040);
}

// The code point of the UTF-8 sequence at `i` and its length; 0 when it is
// not well-formed.
std::size_t DecodeAt(std::string_view bytes, std::size_t i, char32_t& cp) {
  const auto lead = static_cast<unsigned char>(bytes[i]);
  if (lead < 0x80) {
    cp = lead;
    return 1;
  }
  char16_t units[2];
  char16_t* end = units;
  const std::size_t length = encodings::DecodeUtf8Sequence(
      reinterpret_cast<const unsigned char*>(bytes.data()), i, bytes.size(), end);
  if (length == 0) return 0;
  cp = end - units == 2
           ? 0x10000 + ((char32_t(units[0]) - 0xD800) << 10) + (char32_t(units[1]) - 0xDC00)
           : char32_t(units[0]);
  return length;
}

std::size_t Utf8SequenceLength(unsigned char lead) {
  if (lead < 0xC0) return 1;
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  return 4;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return (x | 0x20) == (y | 0x20);
         });
}

// A URI reference as RFC 3986 writes one (what libxml2 checks a namespace
// name against): unreserved and reserved ASCII, "%" and two hex digits.
bool IsUriReference(std::string_view uri) {
  static constexpr std::string_view kMarks = "-._~:/?#@!$&'()*+,;=";
  for (std::size_t i = 0; i < uri.size(); ++i) {
    const char c = uri[i];
    if (std::isalnum(static_cast<unsigned char>(c)) || kMarks.find(c) != std::string_view::npos) {
      continue;
    }
    if (c == '%' && i + 2 < uri.size() + 0 &&
        std::isxdigit(static_cast<unsigned char>(uri[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(uri[i + 2]))) {
      i += 2;
      continue;
    }
    return false;
  }
  return true;
}

std::string Printable(std::string_view s) {
  std::string out;
  for (char c : s.substr(0, std::min<std::size_t>(s.size(), 40))) {
    out += (c >= 0x20 && c < 0x7F) ? c : '?';
  }
  return out;
}

}  // namespace

bool XmlAttribute::IsNamespaceDeclaration() const {
  return name == kXmlns ||
         (name.size() > kXmlns.size() && name.starts_with(kXmlns) && name[kXmlns.size()] == ':');
}

XmlScanner::XmlScanner(ByteSource& utf8) : window_(utf8) {}

std::string_view XmlScanner::LocalName() const {
  const std::size_t colon = name_.find(':');
  return colon == std::string::npos ? std::string_view(name_)
                                    : std::string_view(name_).substr(colon + 1);
}

const XmlAttribute* XmlScanner::Attribute(std::string_view name) const {
  for (const XmlAttribute& attribute : attributes_) {
    if (attribute.name == name) return &attribute;
  }
  return nullptr;
}

bool XmlScanner::TextIsWhiteSpace() const {
  return std::all_of(text_.begin(), text_.end(), IsSpace);
}

bool XmlScanner::Need(std::size_t bytes) {
  if (view_.size() >= bytes) return true;
  window_.Ensure(bytes);
  view_ = window_.View();
  return view_.size() >= bytes;
}

XmlToken XmlScanner::Fail(ReadErrorKind kind, std::size_t at, std::string detail) {
  if (error_) return XmlToken::kEnd;
  // The line and column of byte `at` of the token.
  std::size_t line = tokenLine_, column = tokenColumn_;
  const std::string_view before = view_.substr(0, std::min(at, view_.size()));
  for (std::size_t i = 0; i < before.size(); ++i) {
    const char c = before[i];
    if (c == '\n' || (c == '\r' && (i + 1 >= before.size() || before[i + 1] != '\n'))) {
      ++line;
      column = 1;
    } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
      ++column;
    }
  }
  error_ = ReadError{kind, 0, tokenOffset_ + at, line, column, std::move(detail)};
  tokenBytes_ = 0;
  return XmlToken::kEnd;
}

// Takes the token before, moving the line and column past it.
void XmlScanner::Take() {
  for (const char c : view_.substr(0, tokenBytes_)) {
    if (c == '\n') {
      if (!lastWasCr_) ++line_;
      column_ = 1;
    } else if (c == '\r') {
      ++line_;
      column_ = 1;
    } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
      ++column_;
    }
    lastWasCr_ = c == '\r';
  }
  window_.Consume(tokenBytes_);
  view_ = window_.View();
  tokenBytes_ = 0;
  tokenOffset_ = window_.Offset();
  tokenLine_ = line_;
  tokenColumn_ = column_;
}

XmlToken XmlScanner::Next() {
  if (error_) return XmlToken::kEnd;
  Take();
  if (pendingEnd_) {
    pendingEnd_ = false;
    open_.pop_back();
    while (!bindings_.empty() && bindings_.back().depth > open_.size()) {
      bindingBytes_ -= bindings_.back().uri.size() + bindings_.back().prefix.size();
      bindings_.pop_back();
    }
    if (open_.empty()) place_ = Place::kEpilog;
  }
  name_.clear();
  uri_ = {};
  attributes_.clear();
  text_.clear();
  selfClosing_ = cdata_ = false;
  if (!Need(1)) {
    if (window_.ReadFailed()) {
      return Fail(ReadErrorKind::kReadFailed, 0, Tr("the input could not be read"));
    }
    if (place_ == Place::kContent) {
      return Fail(ReadErrorKind::kXmlNotWellFormed, 0,
                  Format(Tr("the file ends inside element <%1>"), Printable(open_.back())));
    }
    if (place_ == Place::kProlog) {
      return Fail(ReadErrorKind::kXmlNotWellFormed, 0, Tr("no root element"));
    }
    return XmlToken::kEnd;
  }
  if (!started_ && Need(3) && view_.substr(0, 3) == "\xEF\xBB\xBF") {
    tokenBytes_ = 3;
    started_ = true;
    bomSeen_ = true;
    return XmlToken::kByteOrderMark;
  }
  const bool first = !started_ || (bomSeen_ && !afterBom_);
  if (bomSeen_) afterBom_ = true;
  started_ = true;
  if (view_[0] == '<') {
    if (first && Need(6) && view_.substr(0, 5) == "<?xml" && IsSpace(view_[5])) {
      if (!ScanDeclaration()) return XmlToken::kEnd;
      return XmlToken::kDeclaration;
    }
    return ScanMarkup();
  }
  return ScanText();
}

bool XmlScanner::SkipSpace(std::size_t& i) {
  const std::size_t from = i;
  while (IsSpace(At(i))) ++i;
  return i > from;
}

bool XmlScanner::ScanChar(std::size_t& i, char32_t& cp, std::size_t limit) {
  if (i >= limit) {
    Fail(ReadErrorKind::kXmlTooLarge, i, Tr("markup longer than its bound"));
    return false;
  }
  const char c = At(i);
  if (!Need(i + 1)) {
    Fail(ReadErrorKind::kXmlNotWellFormed, i, Tr("the file ends inside markup"));
    return false;
  }
  Need(i + Utf8SequenceLength(static_cast<unsigned char>(c)));
  const std::size_t length = DecodeAt(view_, i, cp);
  if (length == 0) {
    Fail(ReadErrorKind::kXmlNotWellFormed, i, Tr("bytes that are not UTF-8"));
    return false;
  }
  if (!IsXmlChar(cp)) {
    Fail(ReadErrorKind::kXmlNotWellFormed, i, Tr("a character XML does not allow"));
    return false;
  }
  i += length;
  return true;
}

bool XmlScanner::ScanName(std::size_t& i, std::string& name, std::size_t limit) {
  const std::size_t from = i;
  char32_t cp = 0;
  std::size_t at = i;
  if (!Need(at + 1)) return false;
  Need(at + 4);
  std::size_t length = DecodeAt(view_, at, cp);
  if (length == 0 || !IsNameStartChar(cp)) return false;
  at += length;
  while (true) {
    if (at - from > kMaxXmlNameBytes || at > limit) {
      Fail(ReadErrorKind::kXmlTooLarge, at, Tr("a name longer than 1000 bytes"));
      return false;
    }
    if (!Need(at + 1)) break;
    Need(at + 4);
    length = DecodeAt(view_, at, cp);
    if (length == 0 || !IsNameChar(cp)) break;
    at += length;
  }
  name.assign(view_.substr(from, at - from));
  i = at;
  return true;
}

bool XmlScanner::ScanReference(std::size_t& i, std::string& out, std::size_t limit) {
  const std::size_t start = i;
  ++i;  // "&"
  if (At(i) == '#') {
    ++i;
    const bool hex = At(i) == 'x';
    if (hex) ++i;
    char32_t cp = 0;
    std::size_t digits = 0;
    while (true) {
      const char c = At(i);
      int value = -1;
      if (c >= '0' && c <= '9') {
        value = c - '0';
      } else if (hex && c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
      } else if (hex && c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
      }
      if (value < 0) break;
      cp = std::min<char32_t>(cp * (hex ? 16 : 10) + static_cast<char32_t>(value), 0x110000);
      ++digits;
      if (++i > limit) {
        Fail(ReadErrorKind::kXmlTooLarge, i, Tr("a character reference too long"));
        return false;
      }
    }
    if (digits == 0 || At(i) != ';') {
      Fail(ReadErrorKind::kXmlNotWellFormed, start, Tr("a character reference without ';'"));
      return false;
    }
    if (!IsXmlChar(cp)) {
      Fail(ReadErrorKind::kXmlNotWellFormed, start,
           Tr("a character reference to a character XML does not allow"));
      return false;
    }
    ++i;
    encodings::AppendUtf8(cp, out);
    return true;
  }
  std::string name;
  if (!ScanName(i, name, limit) || At(i) != ';') {
    if (!error_) Fail(ReadErrorKind::kXmlNotWellFormed, start, Tr("'&' that starts no reference"));
    return false;
  }
  ++i;
  static constexpr std::pair<std::string_view, char> kEntities[] = {
      {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"apos", '\''}, {"quot", '"'}};
  for (const auto& [entity, c] : kEntities) {
    if (name == entity) {
      out += c;
      return true;
    }
  }
  Fail(ReadErrorKind::kXmlNotWellFormed, start,
       Format(Tr("the entity '%1' is not defined (only XML's five are)"), Printable(name)));
  return false;
}

XmlToken XmlScanner::ScanText() {
  std::size_t i = 0;
  while (true) {
    if (!Need(i + 1)) break;
    const char c = view_[i];
    if (c == '<') break;
    if (i >= kXmlTextPieceBytes && c != '&' && (static_cast<unsigned char>(c) & 0xC0) != 0x80 &&
        view_[i - 1] != '\r' && view_[i - 1] != ']') {
      break;  // a piece ends here; the text goes on in the next
    }
    if (c == '&') {
      if (!ScanReference(i, text_, i + kMaxXmlMarkupBytes)) return XmlToken::kEnd;
      continue;
    }
    if (c == '>' && i >= 2 && view_[i - 1] == ']' && view_[i - 2] == ']') {
      return Fail(ReadErrorKind::kXmlNotWellFormed, i - 2, Tr("']]>' in character data"));
    }
    if (c == '\r') {
      text_ += '\n';
      ++i;
      if (At(i) == '\n') ++i;
      continue;
    }
    const std::size_t from = i;
    // A run of plain ASCII at once; anything else a character at a time.
    const std::size_t limit = std::min(view_.size(), std::max(i + 1, kXmlTextPieceBytes));
    while (i < limit) {
      const auto b = static_cast<unsigned char>(view_[i]);
      if (b >= 0x80 || b == '<' || b == '&' || b == '\r' || b == ']' || b == '>' ||
          (b < 0x20 && b != '\t' && b != '\n')) {
        break;
      }
      ++i;
    }
    if (i == from) {
      char32_t cp = 0;
      if (!ScanChar(i, cp, SIZE_MAX)) return XmlToken::kEnd;
    }
    text_.append(view_.substr(from, i - from));
  }
  tokenBytes_ = i;
  if (place_ != Place::kContent && !TextIsWhiteSpace()) {
    return Fail(ReadErrorKind::kXmlNotWellFormed, 0,
                place_ == Place::kProlog ? Tr("text before the root element")
                                         : Tr("text after the root element"));
  }
  return XmlToken::kText;
}

XmlToken XmlScanner::ScanMarkup() {
  const char second = At(1);
  if (second == '/') return ScanEndTag();
  if (second == '?') return ScanProcessingInstruction();
  if (second == '!') {
    Need(9);
    if (view_.substr(0, 4) == "<!--") return ScanComment();
    if (view_.substr(0, 9) == "<![CDATA[") return ScanCdata();
    if (view_.substr(0, 9) == "<!DOCTYPE") {
      return Fail(
          ReadErrorKind::kXmlDoctype, 0,
          Tr("a document type declaration (DOCTYPE); MARCXML needs none, and none is read"));
    }
    return Fail(ReadErrorKind::kXmlNotWellFormed, 0, Tr("'<!' that starts no comment or CDATA"));
  }
  return ScanStartTag();
}

XmlToken XmlScanner::ScanComment() {
  std::size_t i = 4;
  while (true) {
    if (!Need(i + 1)) {
      return Fail(ReadErrorKind::kXmlNotWellFormed, 0, Tr("a comment without its end '-->'"));
    }
    if (view_[i] == '-' && At(i + 1) == '-') {
      if (At(i + 2) != '>')
        return Fail(ReadErrorKind::kXmlNotWellFormed, i, Tr("'--' in a comment"));
      tokenBytes_ = i + 3;
      return XmlToken::kComment;
    }
    char32_t cp = 0;
    if (!ScanChar(i, cp, kMaxXmlMarkupBytes)) return XmlToken::kEnd;
  }
}

XmlToken XmlScanner::ScanCdata() {
  if (place_ != Place::kContent) {
    return Fail(ReadErrorKind::kXmlNotWellFormed, 0,
                Tr("a CDATA section outside the root element"));
  }
  std::size_t i = 9;
  while (true) {
    if (!Need(i + 1)) {
      return Fail(ReadErrorKind::kXmlNotWellFormed, 0, Tr("a CDATA section without its end ']]>'"));
    }
    if (view_[i] == ']' && At(i + 1) == ']' && At(i + 2) == '>') {
      tokenBytes_ = i + 3;
      cdata_ = true;
      return XmlToken::kText;
    }
    if (view_[i] == '\r') {
      text_ += '\n';
      ++i;
      if (At(i) == '\n') ++i;
      continue;
    }
    const std::size_t from = i;
    char32_t cp = 0;
    if (!ScanChar(i, cp, kMaxXmlMarkupBytes)) return XmlToken::kEnd;
    text_.append(view_.substr(from, i - from));
  }
}

XmlToken XmlScanner::ScanProcessingInstruction() {
  std::size_t i = 2;
  std::string target;
  if (!ScanName(i, target, kMaxXmlMarkupBytes)) {
    return error_ ? XmlToken::kEnd
                  : Fail(ReadErrorKind::kXmlNotWellFormed, 2,
                         Tr("a processing instruction without a target"));
  }
  if (EqualsIgnoringAsciiCase(target, "xml")) {
    return Fail(ReadErrorKind::kXmlNotWellFormed, 0,
                Tr("an XML declaration, which may stand only at the start of the file"));
  }
  const bool spaced = SkipSpace(i);
  while (true) {
    if (!Need(i + 1)) {
      return Fail(ReadErrorKind::kXmlNotWellFormed, 0,
                  Tr("a processing instruction without its end '?>'"));
    }
    if (view_[i] == '?' && At(i + 1) == '>') {
      tokenBytes_ = i + 2;
      return XmlToken::kProcessingInstruction;
    }
    if (!spaced) {
      return Fail(ReadErrorKind::kXmlNotWellFormed, i,
                  Tr("no space after a processing instruction's target"));
    }
    char32_t cp = 0;
    if (!ScanChar(i, cp, kMaxXmlMarkupBytes)) return XmlToken::kEnd;
  }
}

// <?xml version="1.0" encoding="UTF-8" standalone="yes"?>
bool XmlScanner::ScanDeclaration() {
  std::size_t i = 5;
  const auto value = [&](std::string_view name, std::string& out, bool required) -> bool {
    const std::size_t before = i;
    const bool spaced = SkipSpace(i);
    Need(i + name.size());
    if (view_.substr(i, name.size()) != name) {
      i = before;
      if (required) {
        Fail(ReadErrorKind::kXmlNotWellFormed, i, Tr("an XML declaration without its version"));
      }
      return !required;
    }
    if (!spaced) {
      Fail(ReadErrorKind::kXmlNotWellFormed, i, Format(Tr("no space before '%1'"), name));
      return false;
    }
    i += name.size();
    SkipSpace(i);
    if (At(i) != '=') {
      Fail(ReadErrorKind::kXmlNotWellFormed, i, Tr("'=' expected in the XML declaration"));
      return false;
    }
    ++i;
    SkipSpace(i);
    const char quote = At(i);
    if (quote != '"' && quote != '\'') {
      Fail(ReadErrorKind::kXmlNotWellFormed, i, Tr("a quote expected in the XML declaration"));
      return false;
    }
    const std::size_t from = ++i;
    while (At(i) != quote) {
      const char c = At(i);
      const bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
      if (!allowed || i - from > 64) {
        Fail(ReadErrorKind::kXmlNotWellFormed, i, Tr("a value of the XML declaration malformed"));
        return false;
      }
      ++i;
    }
    out.assign(view_.substr(from, i - from));
    ++i;
    return true;
  };
  std::string version, standalone;
  if (!value("version", version, true)) return false;
  if (version.size() < 3 || version.substr(0, 2) != "1." ||
      version.find_first_not_of("0123456789", 2) != std::string::npos) {
    Fail(ReadErrorKind::kXmlNotWellFormed, 0,
         Format(Tr("the XML version '%1' is not 1.x"), version));
    return false;
  }
  if (!value("encoding", encoding_, false) || !value("standalone", standalone, false)) return false;
  if (!encoding_.empty() && !std::isalpha(static_cast<unsigned char>(encoding_[0]))) {
    Fail(ReadErrorKind::kXmlNotWellFormed, 0, Tr("the encoding name is malformed"));
    return false;
  }
  if (!standalone.empty() && standalone != "yes" && standalone != "no") {
    Fail(ReadErrorKind::kXmlNotWellFormed, 0, Tr("standalone is neither 'yes' nor 'no'"));
    return false;
  }
  SkipSpace(i);
  if (At(i) != '?' || At(i + 1) != '>') {
    Fail(ReadErrorKind::kXmlNotWellFormed, i, Tr("the XML declaration does not end with '?>'"));
    return false;
  }
  tokenBytes_ = i + 2;
  return true;
}

XmlToken XmlScanner::ScanEndTag() {
  std::size_t i = 2;
  if (!ScanName(i, name_, kMaxXmlMarkupBytes)) {
    return error_ ? XmlToken::kEnd
                  : Fail(ReadErrorKind::kXmlNotWellFormed, 2, Tr("an end tag without a name"));
  }
  SkipSpace(i);
  if (At(i) != '>') return Fail(ReadErrorKind::kXmlNotWellFormed, i, Tr("'>' expected"));
  if (open_.empty()) {
    return Fail(ReadErrorKind::kXmlNotWellFormed, 0,
                Format(Tr("the end tag </%1> closes no element"), Printable(name_)));
  }
  if (open_.back() != name_) {
    return Fail(ReadErrorKind::kXmlNotWellFormed, 0,
                Format(Tr("the end tag </%1> does not close <%2>"), Printable(name_),
                       Printable(open_.back())));
  }
  tokenBytes_ = i + 1;
  const std::size_t colon = name_.find(':');
  const Binding* binding = Lookup(
      colon == std::string::npos ? std::string_view() : std::string_view(name_).substr(0, colon));
  uri_ = binding == nullptr ? std::string_view() : std::string_view(binding->uri);
  pendingEnd_ = true;  // closed at the next token, so that Uri stays valid now
  return XmlToken::kEndTag;
}

XmlToken XmlScanner::ScanStartTag() {
  if (place_ == Place::kEpilog) {
    return Fail(ReadErrorKind::kXmlNotWellFormed, 0, Tr("a second root element"));
  }
  std::size_t i = 1;
  if (!ScanName(i, name_, kMaxXmlMarkupBytes)) {
    return error_ ? XmlToken::kEnd
                  : Fail(ReadErrorKind::kXmlNotWellFormed, 1, Tr("'<' that starts no tag"));
  }
  while (true) {
    const bool spaced = SkipSpace(i);
    const char c = At(i);
    if (!Need(i + 1))
      return Fail(ReadErrorKind::kXmlNotWellFormed, 0, Tr("the file ends in a tag"));
    if (c == '>') return FinishStartTag(i + 1);
    if (c == '/') {
      if (At(i + 1) != '>') return Fail(ReadErrorKind::kXmlNotWellFormed, i, Tr("'/>' expected"));
      selfClosing_ = true;
      return FinishStartTag(i + 2);
    }
    if (!spaced) {
      return Fail(ReadErrorKind::kXmlNotWellFormed, i, Tr("no space before an attribute"));
    }
    if (attributes_.size() == kMaxXmlAttributes) {
      return Fail(ReadErrorKind::kXmlTooLarge, i, Tr("more than 256 attributes"));
    }
    XmlAttribute attribute;
    if (!ScanName(i, attribute.name, kMaxXmlMarkupBytes)) {
      return error_ ? XmlToken::kEnd
                    : Fail(ReadErrorKind::kXmlNotWellFormed, i, Tr("an attribute name expected"));
    }
    SkipSpace(i);
    if (At(i) != '=') {
      return Fail(ReadErrorKind::kXmlNotWellFormed, i, Tr("'=' expected after an attribute name"));
    }
    ++i;
    SkipSpace(i);
    const char quote = At(i);
    if (quote != '"' && quote != '\'') {
      return Fail(ReadErrorKind::kXmlNotWellFormed, i, Tr("an attribute value without quotes"));
    }
    ++i;
    const std::size_t valueStart = i;
    while (true) {
      if (i - valueStart > kMaxXmlAttributeBytes) {
        return Fail(ReadErrorKind::kXmlTooLarge, i, Tr("an attribute value longer than 64 KiB"));
      }
      const char v = At(i);
      if (!Need(i + 1)) {
        return Fail(ReadErrorKind::kXmlNotWellFormed, 0, Tr("the file ends in an attribute value"));
      }
      if (v == quote) break;
      if (v == '<') {
        return Fail(ReadErrorKind::kXmlNotWellFormed, i, Tr("'<' in an attribute value"));
      }
      if (v == '&') {
        if (!ScanReference(i, attribute.value, i + kMaxXmlMarkupBytes)) return XmlToken::kEnd;
        continue;
      }
      if (IsSpace(v)) {
        attribute.value += ' ';
        ++i;
        if (v == '\r' && At(i) == '\n') ++i;
        continue;
      }
      const std::size_t from = i;
      char32_t cp = 0;
      if (!ScanChar(i, cp, kMaxXmlMarkupBytes)) return XmlToken::kEnd;
      attribute.value.append(view_.substr(from, i - from));
    }
    ++i;
    for (const XmlAttribute& other : attributes_) {
      if (other.name == attribute.name) {
        return Fail(ReadErrorKind::kXmlNotWellFormed, 0,
                    Format(Tr("the attribute '%1' twice"), Printable(attribute.name)));
      }
    }
    attributes_.push_back(std::move(attribute));
  }
}

const XmlScanner::Binding* XmlScanner::Lookup(std::string_view prefix) const {
  for (auto binding = bindings_.rbegin(); binding != bindings_.rend(); ++binding) {
    if (binding->prefix == prefix) return &*binding;
  }
  return nullptr;
}

// The namespace declarations of the element just started, then its name and
// its attributes' names resolved.
bool XmlScanner::ResolveNamespaces(std::size_t at) {
  const Binding* outer = Lookup("");
  outerDefaultUri_ = outer == nullptr ? std::string() : outer->uri;
  const std::size_t depth = open_.size() + 1;
  const auto fail = [&](std::string detail) {
    Fail(ReadErrorKind::kXmlNamespace, at, std::move(detail));
    return false;
  };
  const auto validQName = [](std::string_view name) {
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos || (colon > 0 && colon + 1 < name.size() &&
                                               name.find(':', colon + 1) == std::string_view::npos);
  };
  for (const XmlAttribute& attribute : attributes_) {
    if (!attribute.IsNamespaceDeclaration()) continue;
    const std::string_view prefix =
        attribute.name == kXmlns ? std::string_view()
                                 : std::string_view(attribute.name).substr(kXmlns.size() + 1);
    if (prefix.find(':') != std::string_view::npos) return fail(Tr("a malformed namespace prefix"));
    if (prefix == "xmlns") return fail(Tr("the prefix 'xmlns' declared"));
    if (prefix == "xml" ? attribute.value != kXmlNamespaceUri
                        : attribute.value == kXmlNamespaceUri) {
      return fail(Tr("the XML namespace bound to another prefix, or 'xml' to another namespace"));
    }
    if (attribute.value == kXmlnsNamespaceUri) return fail(Tr("the xmlns namespace declared"));
    if (!prefix.empty() && attribute.value.empty()) {
      return fail(Format(Tr("the prefix '%1' bound to an empty namespace"), Printable(prefix)));
    }
    if (!IsUriReference(attribute.value)) {
      return fail(Format(Tr("the namespace '%1' is not a valid URI"), Printable(attribute.value)));
    }
    bindingBytes_ += prefix.size() + attribute.value.size();
    if (bindingBytes_ > kMaxXmlNamespaceBytes) {
      Fail(ReadErrorKind::kXmlTooLarge, at, Tr("namespace declarations longer than 1 MiB"));
      return false;
    }
    bindings_.push_back({std::string(prefix), attribute.value, depth});
  }
  if (!validQName(name_))
    return fail(Format(Tr("the name '%1' is no qualified name"), Printable(name_)));
  const std::size_t colon = name_.find(':');
  const std::string_view prefix =
      colon == std::string::npos ? std::string_view() : std::string_view(name_).substr(0, colon);
  if (prefix == "xmlns") return fail(Tr("an element in the xmlns namespace"));
  const Binding* binding = Lookup(prefix);
  if (prefix == "xml") {
    uri_ = kXmlNamespaceUri;
  } else if (binding == nullptr && !prefix.empty()) {
    return fail(Format(Tr("the prefix '%1' is not declared"), Printable(prefix)));
  } else {
    uri_ = binding == nullptr ? std::string_view() : std::string_view(binding->uri);
  }
  boundAt_ = binding == nullptr ? 0 : binding->depth;
  for (std::size_t k = 0; k < attributes_.size(); ++k) {
    XmlAttribute& attribute = attributes_[k];
    if (attribute.IsNamespaceDeclaration()) continue;
    if (!validQName(attribute.name)) {
      return fail(
          Format(Tr("the attribute name '%1' is no qualified name"), Printable(attribute.name)));
    }
    const std::size_t c = attribute.name.find(':');
    if (c == std::string::npos) continue;
    const std::string_view p = std::string_view(attribute.name).substr(0, c);
    if (p == "xml") {
      attribute.uri = kXmlNamespaceUri;
      continue;
    }
    const Binding* b = Lookup(p);
    if (b == nullptr) return fail(Format(Tr("the prefix '%1' is not declared"), Printable(p)));
    attribute.uri = b->uri;
    attribute.boundAt = b->depth;
    for (std::size_t j = 0; j < k; ++j) {
      const XmlAttribute& other = attributes_[j];
      const std::size_t oc = other.name.find(':');
      if (oc != std::string::npos && other.uri == attribute.uri &&
          std::string_view(other.name).substr(oc + 1) ==
              std::string_view(attribute.name).substr(c + 1)) {
        return fail(
            Format(Tr("the attribute '%1' twice in one namespace"), Printable(attribute.name)));
      }
    }
  }
  return true;
}

XmlToken XmlScanner::FinishStartTag(std::size_t end) {
  tokenBytes_ = end;
  if (open_.size() == kMaxXmlDepth) {
    return Fail(ReadErrorKind::kXmlTooDeep, 0,
                Format(Tr("elements nested more than %1 deep"), kMaxXmlDepth));
  }
  if (!ResolveNamespaces(0)) return XmlToken::kEnd;
  open_.push_back(name_);
  place_ = Place::kContent;
  if (selfClosing_) pendingEnd_ = true;
  return XmlToken::kStartTag;
}

// XmlInput.

namespace {

constexpr std::size_t kSniffBytes = 4;
constexpr std::size_t kDeclarationBytes = 512;

bool NamesEncoding(std::string_view declared, std::initializer_list<std::string_view> names) {
  for (std::string_view name : names) {
    if (EqualsIgnoringAsciiCase(declared, name)) return true;
  }
  return false;
}

}  // namespace

XmlInput::XmlInput(ByteSource& raw) : raw_(raw) {
  // The first bytes: enough for a byte order mark and the declaration.
  pending_.resize(kDeclarationBytes);
  std::size_t got = 0;
  while (got < kDeclarationBytes) {
    const std::size_t n = raw_.Read(pending_.data() + got, kDeclarationBytes - got);
    if (n == 0) break;
    got += n;
  }
  pending_.resize(got);
  const std::string_view start = pending_;
  std::string_view declarationText = start;
  if (start.starts_with("\xEF\xBB\xBF")) {
    declarationText = start.substr(3);
  } else if (start.starts_with("\xFF\xFE") || start.starts_with(std::string_view("<\0?\0", 4))) {
    encoding_ = XmlEncoding::kUtf16Le;
    pendingAt_ = start.starts_with("\xFF\xFE") ? 2 : 0;
  } else if (start.starts_with("\xFE\xFF") || start.starts_with(std::string_view("\0<\0?", 4))) {
    encoding_ = XmlEncoding::kUtf16Be;
    pendingAt_ = start.starts_with("\xFE\xFF") ? 2 : 0;
  }
  rawOffset_ = pendingAt_;
  if (encoding_ != XmlEncoding::kUtf8) {
    // The declaration is checked by the scanner on the converted text; UTF-16
    // that names an 8-bit encoding contradicts itself.
    std::string ascii;
    const std::size_t low = encoding_ == XmlEncoding::kUtf16Le ? 0 : 1;
    for (std::size_t i = pendingAt_; i + 1 < start.size(); i += 2) ascii += start[i + low];
    declarationText = ascii;
    const std::size_t at = ascii.find("encoding");
    if (ascii.starts_with("<?xml") && at != std::string::npos && at < ascii.find("?>")) {
      std::size_t q = ascii.find_first_of("\"'", at);
      const std::size_t e = q == std::string::npos ? q : ascii.find(ascii[q], q + 1);
      const std::string declared = e == std::string::npos ? "" : ascii.substr(q + 1, e - q - 1);
      if (!NamesEncoding(declared,
                         {"UTF-16", "UTF16", "UTF-16LE", "UTF-16BE", "ISO-10646-UCS-2"})) {
        error_ = ReadError{
            ReadErrorKind::kXmlEncoding,
            0,
            0,
            1,
            1,
            Format(Tr("the file is UTF-16 but declares the encoding '%1'"), Printable(declared))};
      }
    }
    return;
  }
  if (declarationText.starts_with("<?xml")) {
    const std::size_t stop = declarationText.find("?>");
    const std::string_view declaration = declarationText.substr(0, stop);
    const std::size_t at = declaration.find("encoding");
    if (at != std::string_view::npos) {
      const std::size_t q = declaration.find_first_of("\"'", at);
      const std::size_t e =
          q == std::string_view::npos ? q : declaration.find(declaration[q], q + 1);
      const std::string declared(
          e == std::string_view::npos ? std::string_view() : declaration.substr(q + 1, e - q - 1));
      if (NamesEncoding(declared, {"ISO-8859-1", "ISO8859-1", "LATIN1", "ISO_8859-1", "L1"})) {
        encoding_ = XmlEncoding::kLatin1;
      } else if (NamesEncoding(declared, {"UTF-16", "UTF16"})) {
        error_ = ReadError{ReadErrorKind::kXmlEncoding,
                           0,
                           0,
                           1,
                           1,
                           Tr("the file declares UTF-16 but is not UTF-16")};
      } else if (!declared.empty() &&
                 !NamesEncoding(declared, {"UTF-8", "UTF8", "US-ASCII", "ASCII"})) {
        error_ = ReadError{
            ReadErrorKind::kXmlEncoding,
            0,
            0,
            1,
            1,
            Format(Tr("the encoding '%1': MARCXML is read in UTF-8, UTF-16, ISO-8859-1 or "
                      "US-ASCII; convert the file to UTF-8 first (iconv -f %1 -t "
                      "UTF-8)"),
                   Printable(declared))};
      }
    }
  }
}

void XmlInput::ReadMore() {
  char piece[4096];
  const std::size_t n = raw_.Read(piece, sizeof piece);
  pending_.append(piece, n);
  if (n == 0) ended_ = true;
}

std::size_t XmlInput::Read(char* to, std::size_t capacity) {
  if (error_) return 0;
  while (outAt_ == out_.size()) {
    out_.clear();
    outAt_ = 0;
    if (pendingAt_ == pending_.size() ||
        (encoding_ != XmlEncoding::kUtf8 && pending_.size() - pendingAt_ < 2 && !ended_)) {
      if (ended_) {
        if (pendingAt_ < pending_.size()) {
          error_ = ReadError{ReadErrorKind::kXmlNotWellFormed,
                             0,
                             rawOffset_,
                             0,
                             0,
                             Tr("the file ends in the middle of a UTF-16 character")};
        }
        return 0;
      }
      pending_.erase(0, pendingAt_);
      pendingAt_ = 0;
      ReadMore();
      continue;
    }
    const std::string_view bytes = std::string_view(pending_).substr(pendingAt_);
    if (encoding_ == XmlEncoding::kUtf8) {
      const std::size_t n = std::min(capacity, bytes.size());
      std::memcpy(to, bytes.data(), n);
      pendingAt_ += n;
      rawOffset_ += n;
      return n;
    }
    if (encoding_ == XmlEncoding::kLatin1) {
      for (const char c : bytes) encodings::AppendUtf8(static_cast<unsigned char>(c), out_);
      pendingAt_ += bytes.size();
      rawOffset_ += bytes.size();
      continue;
    }
    const bool little = encoding_ == XmlEncoding::kUtf16Le;
    std::size_t i = 0;
    while (i + 1 < bytes.size()) {
      const auto unit = [&](std::size_t at) {
        const auto a = static_cast<unsigned char>(bytes[at]),
                   b = static_cast<unsigned char>(bytes[at + 1]);
        return static_cast<char32_t>(little ? a | (b << 8) : (a << 8) | b);
      };
      char32_t cp = unit(i);
      if (cp >= 0xD800 && cp <= 0xDBFF) {
        if (i + 3 >= bytes.size()) {
          if (!ended_) break;  // the pair's second half comes with the next read
          cp = 0;
        } else {
          const char32_t low = unit(i + 2);
          cp =
              low >= 0xDC00 && low <= 0xDFFF ? 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00) : 0;
        }
        if (cp == 0) {
          error_ = ReadError{ReadErrorKind::kXmlNotWellFormed,       0, rawOffset_ + i, 0, 0,
                             Tr("UTF-16 with half a surrogate pair")};
          return 0;
        }
        encodings::AppendUtf8(cp, out_);
        i += 4;
        continue;
      }
      if (cp >= 0xDC00 && cp <= 0xDFFF) {
        error_ = ReadError{ReadErrorKind::kXmlNotWellFormed,       0, rawOffset_ + i, 0, 0,
                           Tr("UTF-16 with half a surrogate pair")};
        return 0;
      }
      encodings::AppendUtf8(cp, out_);
      i += 2;
    }
    pendingAt_ += i;
    rawOffset_ += i;
    if (i == 0 && ended_) {
      error_ = ReadError{ReadErrorKind::kXmlNotWellFormed,
                         0,
                         rawOffset_,
                         0,
                         0,
                         Tr("the file ends in the middle of a UTF-16 character")};
      return 0;
    }
    if (i == 0) {
      // Half a unit or half a pair: read on.
      pending_.erase(0, pendingAt_);
      pendingAt_ = 0;
      ReadMore();
    }
  }
  const std::size_t n = std::min(capacity, out_.size() - outAt_);
  std::memcpy(to, out_.data() + outAt_, n);
  outAt_ += n;
  return n;
}

}  // namespace velmora::marc_exchange
