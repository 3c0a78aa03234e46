// One language's translations, read from the bytes of a GNU .mo file (what
// msgfmt compiles a .po file into): each English message, in its context and
// with its plural, and its translation.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "Messages/PluralRule.h"

namespace velmora::messages {

class Catalogue {
 public:
  // A catalogue that translates nothing.
  Catalogue() = default;

  // Reads `mo`, which must outlive the catalogue (the translations are views
  // into it). Bytes that are not a well-formed .mo file of UTF-8 text, in
  // either byte order, give a catalogue that translates nothing; nothing
  // read from them is trusted.
  explicit Catalogue(std::span<const unsigned char> mo);
  // Bytes about to go are no catalogue to keep views into.
  explicit Catalogue(std::vector<unsigned char>&&) = delete;

  // How many messages it translates.
  std::size_t size() const { return entries_.size(); }

  // The translation of `english` in `context` ("" for none), or nullopt.
  std::optional<std::string_view> Find(std::string_view context, std::string_view english) const;

  // The translation's plural form for `count` of the message whose singular
  // is `english`, or nullopt when there is none or the catalogue's plural
  // rule gives no form for `count`.
  std::optional<std::string_view> FindPlural(std::string_view context, std::string_view english,
                                             std::uint64_t count) const;

  // The rule that picks a plural form; nullopt when the catalogue's
  // Plural-Forms cannot be read, and its plural messages are not used.
  const std::optional<PluralRule>& Plural() const { return plural_; }

 private:
  struct Entry {
    std::string_view key;          // context, '\4', the English; or the English alone
    std::string_view translation;  // its forms, each ended by '\0' but the last
  };
  const Entry* Lookup(std::string_view context, std::string_view english) const;

  std::vector<Entry> entries_;  // sorted by key, the first of equal keys kept
  std::optional<PluralRule> plural_ = PluralRule();
};

}  // namespace velmora::messages
