// The messages a person reads, in their language. Each English message is
// written in the source where it is used, marked for the catalogue by one of
// these calls (xgettext finds them: tools/message-catalogues.sh), and
// translated in po/LANGUAGE.po:
//
//   Tr("no command given")
//   Format(Tr("%1: no %2 record found"), file, source)          // Format.h
//   Format(TrN("%1: %n record dropped", "%1: %n records dropped", count), file)
//   TrC("the catalogue's field", "Field")                       // one English word, two meanings
//
//   constexpr Row kRows[] = {{"batch", Translatable("records separated by empty lines")}};
//   Tr(row.help)                                                // translated where it is shown
//
// Every message is a Format pattern ("%1" … "%99", "%%"); TrN puts the count
// in for "%n" and picks the plural form the language has for it. The text is
// UTF-8. The language is chosen once, on the first call, from the platform's
// settings (SystemLanguage.h); English when no catalogue fits. Safe to call
// from any thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Messages/Catalogue.h"

namespace velmora::messages {

std::string Tr(std::string_view english);
std::string TrC(std::string_view context, std::string_view english);
std::string TrN(std::string_view singular, std::string_view plural, std::uint64_t count);
std::string TrCN(std::string_view context, std::string_view singular, std::string_view plural,
                 std::uint64_t count);

// Marks a message that a table holds for the catalogue, unchanged: Tr() of
// it where it is shown gives its translation.
constexpr std::string_view Translatable(std::string_view english) {
  return english;
}

// The language the messages are shown in: "en", or a catalogue's ("vi").
std::string_view ChosenLanguage();

// The same lookups over one catalogue, for whoever needs a language other
// than the process's (tests, a catalogue checked by hand).
class Translator {
 public:
  // English.
  Translator() = default;
  Translator(Catalogue catalogue, std::string_view language);

  std::string Tr(std::string_view english) const { return TrC({}, english); }
  std::string TrC(std::string_view context, std::string_view english) const;
  std::string TrN(std::string_view singular, std::string_view plural, std::uint64_t count) const {
    return TrCN({}, singular, plural, count);
  }
  std::string TrCN(std::string_view context, std::string_view singular, std::string_view plural,
                   std::uint64_t count) const;

  std::string_view Language() const { return language_; }

 private:
  Catalogue catalogue_;
  std::string_view language_ = "en";
};

// The process's translator, chosen on the first call.
const Translator& ProcessTranslator();

}  // namespace velmora::messages
