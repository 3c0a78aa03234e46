#include "Messages/Translate.h"

#include <vector>

#include "Messages/EmbeddedCatalogues.h"
#include "Messages/LanguageChoice.h"
#include "Messages/SystemLanguage.h"

namespace velmora::messages {

namespace {

// "%n" replaced by the count; "%%" is left for Format, so that "%%n" stays
// a literal "%n".
std::string PutCount(std::string_view form, std::uint64_t count) {
  const std::string number = std::to_string(count);
  std::string out;
  out.reserve(form.size() + number.size());
  for (std::size_t i = 0; i < form.size(); ++i) {
    if (form[i] == '%' && i + 1 < form.size()) {
      if (form[i + 1] == 'n') {
        out.append(number);
        ++i;
        continue;
      }
      if (form[i + 1] == '%') {
        out.append("%%");
        ++i;
        continue;
      }
    }
    out.push_back(form[i]);
  }
  return out;
}

Translator ChooseTranslator() {
  const std::span<const EmbeddedCatalogue> catalogues = EmbeddedCatalogues();
  std::vector<std::string_view> languages;
  for (const EmbeddedCatalogue& catalogue : catalogues) languages.push_back(catalogue.language);
  const std::vector<std::string> names = SystemLanguagePreferences();
  const std::vector<std::string_view> preferences(names.begin(), names.end());
  const std::optional<std::size_t> chosen = ChooseCatalogue(preferences, languages);
  if (!chosen) return Translator();
  return Translator(Catalogue(catalogues[*chosen].mo), catalogues[*chosen].language);
}

}  // namespace

Translator::Translator(Catalogue catalogue, std::string_view language)
    : catalogue_(std::move(catalogue)), language_(language) {}

std::string Translator::TrC(std::string_view context, std::string_view english) const {
  return std::string(catalogue_.Find(context, english).value_or(english));
}

std::string Translator::TrCN(std::string_view context, std::string_view singular,
                             std::string_view plural, std::uint64_t count) const {
  const std::string_view english = count == 1 ? singular : plural;
  return PutCount(catalogue_.FindPlural(context, singular, count).value_or(english), count);
}

const Translator& ProcessTranslator() {
  static const Translator translator = ChooseTranslator();
  return translator;
}

std::string Tr(std::string_view english) {
  return ProcessTranslator().Tr(english);
}

std::string TrC(std::string_view context, std::string_view english) {
  return ProcessTranslator().TrC(context, english);
}

std::string TrN(std::string_view singular, std::string_view plural, std::uint64_t count) {
  return ProcessTranslator().TrN(singular, plural, count);
}

std::string TrCN(std::string_view context, std::string_view singular, std::string_view plural,
                 std::uint64_t count) {
  return ProcessTranslator().TrCN(context, singular, plural, count);
}

std::string_view ChosenLanguage() {
  return ProcessTranslator().Language();
}

}  // namespace velmora::messages
