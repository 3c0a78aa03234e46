// A pull parser for XML 1.0 with namespaces, written for hostile files: it
// reads no DTD (a DOCTYPE is refused), expands no entity beyond XML's five,
// fetches nothing, bounds nesting, names, attributes and every piece of
// markup, and holds one token at a time. A file that is not well-formed is
// an error with its line and column. It reads UTF-8; XmlInput turns UTF-16
// and ISO-8859-1 into it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "MarcExchange/ByteSource.h"
#include "MarcExchange/ReadReport.h"

namespace velmora::marc_exchange {

// As libxml2 without its "huge" option reads: 257 elements inside each other.
inline constexpr std::size_t kMaxXmlDepth = 257;
inline constexpr std::size_t kMaxXmlNameBytes = 1000;
inline constexpr std::size_t kMaxXmlAttributes = 256;
inline constexpr std::size_t kMaxXmlAttributeBytes = 64 * 1024;
// A tag, a comment, a processing instruction or a CDATA section.
inline constexpr std::size_t kMaxXmlMarkupBytes = 1024 * 1024;
// The namespace declarations in scope, together.
inline constexpr std::size_t kMaxXmlNamespaceBytes = 1024 * 1024;
// Character data comes in pieces of about this size.
inline constexpr std::size_t kXmlTextPieceBytes = 64 * 1024;

enum class XmlToken {
  kEnd,            // the end of the document, or an error (Error)
  kByteOrderMark,  // UTF-8's, kept as the file's first bytes
  kDeclaration,
  kStartTag,
  kEndTag,
  kText,  // character data, references resolved; CDATA sections too
  kComment,
  kProcessingInstruction,
};

struct XmlAttribute {
  std::string name;         // as written, «xsi:schemaLocation»
  std::string value;        // normalised, references resolved
  std::string_view uri;     // its namespace; empty for an unprefixed attribute
  std::size_t boundAt = 0;  // depth of the element whose declaration bound its prefix
  bool IsNamespaceDeclaration() const;
};

class XmlScanner {
 public:
  explicit XmlScanner(ByteSource& utf8);

  XmlToken Next();

  // The token's bytes as they stood, until the next call.
  std::string_view Raw() const { return view_.substr(0, tokenBytes_); }
  std::uint64_t Offset() const { return tokenOffset_; }
  std::size_t Line() const { return tokenLine_; }
  std::size_t Column() const { return tokenColumn_; }

  // Start and end tags: the name as written, its namespace and local part.
  const std::string& Name() const { return name_; }
  std::string_view Uri() const { return uri_; }
  std::string_view LocalName() const;
  // Start tags.
  const std::vector<XmlAttribute>& Attributes() const { return attributes_; }
  const XmlAttribute* Attribute(std::string_view name) const;  // unprefixed
  bool SelfClosing() const { return selfClosing_; }
  // The depth of the element whose declaration bound the element's namespace
  // (0 when nothing did: no namespace).
  std::size_t BoundAt() const { return boundAt_; }
  // The default namespace in scope outside the element just started, and
  // whether any declaration bound it.
  std::string_view OuterDefaultUri() const { return outerDefaultUri_; }

  // Text: its characters.
  const std::string& Text() const { return text_; }
  bool TextIsWhiteSpace() const;
  bool InCdata() const { return cdata_; }

  // Elements open after this token; the element of a start tag counts.
  std::size_t Depth() const { return open_.size(); }
  // The declaration's encoding as written; empty when it names none.
  const std::string& DeclaredEncoding() const { return encoding_; }

  const std::optional<ReadError>& Error() const { return error_; }

 private:
  struct Binding {
    std::string prefix;
    std::string uri;
    std::size_t depth;
  };
  enum class Place { kProlog, kContent, kEpilog };

  bool Need(std::size_t bytes);
  // The byte at `i` of the token, or 0 past the end of the input.
  char At(std::size_t i) { return Need(i + 1) ? view_[i] : '\0'; }
  XmlToken Fail(ReadErrorKind kind, std::size_t at, std::string detail);
  void Take();

  XmlToken ScanMarkup();
  XmlToken ScanText();
  XmlToken ScanStartTag();
  XmlToken ScanEndTag();
  XmlToken ScanComment();
  XmlToken ScanProcessingInstruction();
  XmlToken ScanCdata();
  XmlToken FinishStartTag(std::size_t end);

  // A name at `i` (moved past it) into `name`; false when there is none.
  bool ScanName(std::size_t& i, std::string& name, std::size_t limit);
  // One character at `i` (moved past it), checked: UTF-8 and an XML Char.
  bool ScanChar(std::size_t& i, char32_t& cp, std::size_t limit);
  // A reference at `i` (on "&", moved past ";") appended to `out`.
  bool ScanReference(std::size_t& i, std::string& out, std::size_t limit);
  bool SkipSpace(std::size_t& i);
  bool ScanDeclaration();
  bool ResolveNamespaces(std::size_t at);
  const Binding* Lookup(std::string_view prefix) const;

  ByteWindow window_;
  std::string_view view_;  // from the token's first byte
  std::size_t tokenBytes_ = 0;
  std::uint64_t tokenOffset_ = 0;
  std::size_t tokenLine_ = 1, tokenColumn_ = 1;
  std::size_t line_ = 1, column_ = 1;  // of the next byte to scan
  bool lastWasCr_ = false;

  Place place_ = Place::kProlog;
  bool started_ = false;  // a token has been read: no declaration any more
  bool bomSeen_ = false, afterBom_ = false;
  std::string name_;
  std::string_view uri_;
  std::size_t boundAt_ = 0;
  std::string outerDefaultUri_;
  std::vector<XmlAttribute> attributes_;
  bool selfClosing_ = false;
  bool pendingEnd_ = false;  // a self-closing tag's element closes at the next token
  std::string text_;
  bool cdata_ = false;
  std::string encoding_;
  std::vector<std::string> open_;
  std::vector<Binding> bindings_;
  std::size_t bindingBytes_ = 0;
  std::optional<ReadError> error_;
};

// The encodings a MARCXML file may be in, and the UTF-8 it is read as.
enum class XmlEncoding { kUtf8, kUtf16Le, kUtf16Be, kLatin1 };

// Finds an input's encoding from its byte order mark, its first bytes and
// its declaration, and reads it as UTF-8. An encoding outside the four, or a declaration that
// contradicts the bytes, is an error (Error), as is UTF-16 that does not decode.
class XmlInput final : public ByteSource {
 public:
  explicit XmlInput(ByteSource& raw);
  std::size_t Read(char* to, std::size_t capacity) override;
  bool Failed() const override { return error_.has_value() || raw_.Failed(); }
  XmlEncoding Encoding() const { return encoding_; }
  // The bytes given are the input's own: UTF-8 (its byte order mark is left
  // to the scanner).
  bool Unchanged() const { return encoding_ == XmlEncoding::kUtf8; }
  const std::optional<ReadError>& Error() const { return error_; }

 private:
  void ReadMore();

  ByteSource& raw_;
  std::string pending_;  // read and not given yet, in the input's encoding
  std::size_t pendingAt_ = 0;
  bool ended_ = false;
  XmlEncoding encoding_ = XmlEncoding::kUtf8;
  std::uint64_t rawOffset_ = 0;
  std::optional<ReadError> error_;
  std::string out_;  // converted and not given yet
  std::size_t outAt_ = 0;
};

}  // namespace velmora::marc_exchange
