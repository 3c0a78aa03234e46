#include "Messages/Translate.h"

#include <gtest/gtest.h>

#include "Messages/EmbeddedCatalogues.h"
#include "Messages/Format.h"
#include "TestCatalogues.h"

namespace velmora::messages {
namespace {

Translator Czech() {
  return Translator(Catalogue(TestCatalogue("cs")), "cs");
}

TEST(Translator, TranslatesOrKeepsTheEnglish) {
  const Translator czech = Czech();
  EXPECT_EQ(czech.Language(), "cs");
  EXPECT_EQ(czech.Tr("no command given"), "nebyl zadán žádný příkaz");
  EXPECT_EQ(czech.Tr("a message no catalogue has"), "a message no catalogue has");
  EXPECT_EQ(czech.Tr("a guess not yet reviewed"), "a guess not yet reviewed");
  EXPECT_EQ(czech.Tr("not yet translated"), "not yet translated");
  EXPECT_EQ(czech.TrC("a record's field", "Field"), "Pole");
  EXPECT_EQ(czech.TrC("a form's input box", "Field"), "Políčko");
  EXPECT_EQ(czech.Tr("Field"), "Field");
  EXPECT_EQ(Format(czech.Tr("%1: no %2 record found"), "a.txt", "Libol"),
            "záznam Libol nenalezen v a.txt");
}

TEST(Translator, PutsTheCountInTheLanguagesPluralForm) {
  const Translator czech = Czech();
  const Translator english;
  EXPECT_EQ(english.Language(), "en");
  struct Case {
    std::uint64_t count;
    const char* czech;
    const char* english;
  };
  const Case cases[] = {
      {0, "0 záznamů vynecháno", "0 records dropped"},
      {1, "1 záznam vynechán", "1 record dropped"},
      {4, "4 záznamy vynechány", "4 records dropped"},
      {5, "5 záznamů vynecháno", "5 records dropped"},
      {18446744073709551615u, "18446744073709551615 záznamů vynecháno",
       "18446744073709551615 records dropped"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(czech.TrN("%n record dropped", "%n records dropped", c.count), c.czech);
    EXPECT_EQ(english.TrN("%n record dropped", "%n records dropped", c.count), c.english);
  }
  EXPECT_EQ(Format(czech.TrN("%1: %n record dropped", "%1: %n records dropped", 3), "a.txt"),
            "vynechány 3 záznamy z a.txt");
  EXPECT_EQ(czech.TrCN("files written", "%n file", "%n files", 2), "2 soubory");
  EXPECT_EQ(czech.TrN("%n file", "%n files", 2), "2 files");
  // "%%n" is a literal "%n" once Format has read it; the count goes in once.
  EXPECT_EQ(Format(english.TrN("%n at 100%%n", "%n at 100%%n", 7)), "7 at 100%n");
}

// Each catalogue compiled into the program reads whole, with a plural rule
// that gives a form for every count.
TEST(EmbeddedCatalogues, EachReadsWithItsPluralRule) {
  ASSERT_FALSE(EmbeddedCatalogues().empty());
  for (const EmbeddedCatalogue& embedded : EmbeddedCatalogues()) {
    const Catalogue catalogue(embedded.mo);
    EXPECT_GT(catalogue.size(), 1u) << embedded.language;
    ASSERT_TRUE(catalogue.Plural()) << embedded.language;
    for (std::uint64_t n : {0u, 1u, 2u, 5u, 11u, 21u, 101u, 1000000u}) {
      EXPECT_TRUE(catalogue.Plural()->FormFor(n)) << embedded.language << " n = " << n;
    }
  }
}

TEST(EmbeddedCatalogues, VietnameseHasOneForm) {
  for (const EmbeddedCatalogue& embedded : EmbeddedCatalogues()) {
    if (embedded.language != "vi") continue;
    const Catalogue catalogue(embedded.mo);
    ASSERT_TRUE(catalogue.Plural());
    EXPECT_EQ(catalogue.Plural()->FormCount(), 1u);
    return;
  }
  FAIL() << "no Vietnamese catalogue";
}

}  // namespace
}  // namespace velmora::messages
