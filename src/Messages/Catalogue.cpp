#include "Messages/Catalogue.h"

#include <algorithm>
#include <string>

#include "Messages/AsciiLetters.h"

namespace velmora::messages {

namespace {

constexpr std::uint32_t kMagic = 0x950412de;
constexpr std::size_t kHeaderBytes = 28;
// What msgfmt writes between a message's context and its English.
constexpr char kContextEnd = '\4';

// The .mo header's words, in the byte order its magic number says.
class MoReader {
 public:
  explicit MoReader(std::span<const unsigned char> bytes) : bytes_(bytes) {}

  // Whether the bytes start with the magic number, either way round.
  bool Start() {
    if (bytes_.size() < kHeaderBytes) return false;
    if (WordAt(0) == kMagic) return true;
    bigEndian_ = true;
    return WordAt(0) == kMagic;
  }

  std::uint32_t WordAt(std::size_t offset) const {
    const unsigned char* p = bytes_.data() + offset;
    const auto b = [p](int i) { return static_cast<std::uint32_t>(p[i]); };
    return bigEndian_ ? b(0) << 24 | b(1) << 16 | b(2) << 8 | b(3)
                      : b(3) << 24 | b(2) << 16 | b(1) << 8 | b(0);
  }

  // The string described by the (length, offset) pair at `descriptor`, or
  // nullopt when the pair or the string lies outside the bytes.
  std::optional<std::string_view> StringAt(std::uint64_t descriptor) const {
    if (descriptor + 8 > bytes_.size()) return std::nullopt;
    const std::uint64_t length = WordAt(descriptor);
    const std::uint64_t offset = WordAt(descriptor + 4);
    if (offset > bytes_.size() || length > bytes_.size() - offset) return std::nullopt;
    return std::string_view(reinterpret_cast<const char*>(bytes_.data() + offset), length);
  }

  std::size_t size() const { return bytes_.size(); }

 private:
  std::span<const unsigned char> bytes_;
  bool bigEndian_ = false;
};

std::string_view UpToNul(std::string_view s) {
  return s.substr(0, s.find('\0'));
}

// The value of the header line "Name: value", or nullopt.
std::optional<std::string_view> HeaderField(std::string_view header, std::string_view name) {
  while (!header.empty()) {
    const std::size_t end = header.find('\n');
    const std::string_view line = header.substr(0, end);
    if (line.size() > name.size() && SameAsciiLetters(line.substr(0, name.size()), name) &&
        line[name.size()] == ':') {
      return line.substr(name.size() + 1);
    }
    if (end == std::string_view::npos) break;
    header.remove_prefix(end + 1);
  }
  return std::nullopt;
}

// Whether the header's Content-Type says UTF-8 (or ASCII, which msginit
// writes for a new catalogue, and UTF-8 includes), or names no charset.
bool IsUtf8(std::string_view header) {
  const std::optional<std::string_view> type = HeaderField(header, "Content-Type");
  if (!type) return true;
  std::string lower(*type);
  std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);
  const std::size_t at = lower.find("charset=");
  if (at == std::string::npos) return true;
  std::string_view charset = std::string_view(lower).substr(at + 8);
  charset = charset.substr(0, charset.find_first_of(" ;\t\r"));
  return charset == "utf-8" || charset == "utf8" || charset == "ascii" || charset == "us-ascii";
}

}  // namespace

Catalogue::Catalogue(std::span<const unsigned char> mo) {
  MoReader reader(mo);
  if (!reader.Start()) return;
  // Revisions 0 and 1 share the tables read here; 1 adds strings for
  // <inttypes.h> macros, which C++ messages never use.
  if (reader.WordAt(4) >> 16 > 1) return;
  const std::uint64_t count = reader.WordAt(8);
  const std::uint64_t originals = reader.WordAt(12);
  const std::uint64_t translations = reader.WordAt(16);
  // Both tables whole inside the bytes: this also bounds `count`.
  if (originals > mo.size() || count > (mo.size() - originals) / 8) return;
  if (translations > mo.size() || count > (mo.size() - translations) / 8) return;

  std::vector<Entry> entries;
  entries.reserve(count);
  for (std::uint64_t i = 0; i < count; ++i) {
    const auto original = reader.StringAt(originals + 8 * i);
    const auto translation = reader.StringAt(translations + 8 * i);
    if (!original || !translation) return;
    entries.push_back({UpToNul(*original), *translation});
  }
  // msgfmt writes them sorted; sorting again costs little and keeps the
  // lookups right whatever the bytes hold.
  std::stable_sort(entries.begin(), entries.end(),
                   [](const Entry& a, const Entry& b) { return a.key < b.key; });

  std::optional<PluralRule> plural = PluralRule();
  if (!entries.empty() && entries.front().key.empty()) {
    const std::string_view header = UpToNul(entries.front().translation);
    if (!IsUtf8(header)) return;
    // A rule that cannot be read leaves the plural messages untranslated: a
    // wrong form would be worse than English.
    if (const auto forms = HeaderField(header, "Plural-Forms")) plural = PluralRule::Parse(*forms);
  }
  entries_ = std::move(entries);
  plural_ = plural;
}

const Catalogue::Entry* Catalogue::Lookup(std::string_view context,
                                          std::string_view english) const {
  std::string key;
  if (!context.empty()) {
    key.reserve(context.size() + 1 + english.size());
    key.append(context).push_back(kContextEnd);
  }
  key.append(english);
  const auto found =
      std::lower_bound(entries_.begin(), entries_.end(), key,
                       [](const Entry& e, const std::string& k) { return e.key < k; });
  if (found == entries_.end() || found->key != key) return nullptr;
  return &*found;
}

std::optional<std::string_view> Catalogue::Find(std::string_view context,
                                                std::string_view english) const {
  // The header is no message's translation.
  if (english.empty() && context.empty()) return std::nullopt;
  const Entry* entry = Lookup(context, english);
  if (entry == nullptr) return std::nullopt;
  const std::string_view translation = UpToNul(entry->translation);
  if (translation.empty()) return std::nullopt;
  return translation;
}

std::optional<std::string_view> Catalogue::FindPlural(std::string_view context,
                                                      std::string_view english,
                                                      std::uint64_t count) const {
  if (english.empty() && context.empty()) return std::nullopt;
  const Entry* entry = Lookup(context, english);
  if (entry == nullptr) return std::nullopt;
  if (!plural_) return std::nullopt;
  const std::optional<std::size_t> form = plural_->FormFor(count);
  if (!form) return std::nullopt;
  std::string_view forms = entry->translation;
  for (std::size_t i = 0; i < *form; ++i) {
    const std::size_t end = forms.find('\0');
    if (end == std::string_view::npos) return std::nullopt;
    forms.remove_prefix(end + 1);
  }
  const std::string_view translation = UpToNul(forms);
  if (translation.empty()) return std::nullopt;
  return translation;
}

}  // namespace velmora::messages
