#include "Messages/Catalogue.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "TestCatalogues.h"

namespace velmora::messages {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes Fixture() {
  const std::span<const unsigned char> mo = TestCatalogue("cs");
  return Bytes(mo.begin(), mo.end());
}

std::uint32_t WordAt(const Bytes& bytes, std::size_t offset) {
  std::uint32_t word = 0;
  std::memcpy(&word, bytes.data() + offset, 4);
  return word;
}

void SetWord(Bytes& bytes, std::size_t offset, std::uint32_t word) {
  std::memcpy(bytes.data() + offset, &word, 4);
}

// The .mo header's fields (little-endian, as msgfmt writes on this machine).
constexpr std::size_t kRevision = 4, kCount = 8, kOriginals = 12, kTranslations = 16;

// What every lookup of the fixture gives, for comparing another reading.
struct Lookups {
  std::optional<std::string_view> plain, reordered, recordField, formField, fuzzy, untranslated;
  std::optional<std::string_view> one, few, many, withFile, files;
  bool operator==(const Lookups&) const = default;
};

Lookups LookUp(const Catalogue& c) {
  return {c.Find("", "no command given"),
          c.Find("", "%1: no %2 record found"),
          c.Find("a record's field", "Field"),
          c.Find("a form's input box", "Field"),
          c.Find("", "a guess not yet reviewed"),
          c.Find("", "not yet translated"),
          c.FindPlural("", "%n record dropped", 1),
          c.FindPlural("", "%n record dropped", 3),
          c.FindPlural("", "%n record dropped", 5),
          c.FindPlural("", "%1: %n record dropped", 2),
          c.FindPlural("files written", "%n file", 21)};
}

TEST(Catalogue, ReadsMessagesContextsAndPlurals) {
  const Catalogue catalogue(TestCatalogue("cs"));
  ASSERT_EQ(catalogue.Plural()->FormCount(), 3u);
  const Lookups found = LookUp(catalogue);
  EXPECT_EQ(found.plain, "nebyl zadán žádný příkaz");
  EXPECT_EQ(found.reordered, "záznam %2 nenalezen v %1");
  EXPECT_EQ(found.recordField, "Pole");
  EXPECT_EQ(found.formField, "Políčko");
  // msgfmt leaves out fuzzy and empty translations.
  EXPECT_EQ(found.fuzzy, std::nullopt);
  EXPECT_EQ(found.untranslated, std::nullopt);
  EXPECT_EQ(found.one, "%n záznam vynechán");
  EXPECT_EQ(found.few, "%n záznamy vynechány");
  EXPECT_EQ(found.many, "%n záznamů vynecháno");
  EXPECT_EQ(found.withFile, "vynechány %n záznamy z %1");
  EXPECT_EQ(found.files, "%n souborů");
}

TEST(Catalogue, FindsNothingOutsideItsMessages) {
  const Catalogue catalogue(TestCatalogue("cs"));
  EXPECT_EQ(catalogue.Find("", ""), std::nullopt);  // the header
  EXPECT_EQ(catalogue.Find("", "Field"), std::nullopt);
  EXPECT_EQ(catalogue.Find("a record's", "Field"), std::nullopt);
  EXPECT_EQ(catalogue.Find("", "no command given "), std::nullopt);
  EXPECT_EQ(catalogue.FindPlural("", "%n file", 2), std::nullopt);
  EXPECT_EQ(Catalogue().Find("", "no command given"), std::nullopt);
}

// The same catalogue with every word of the header and the tables in the
// other byte order.
Bytes BigEndian(Bytes bytes) {
  const auto swap = [&](std::size_t offset) {
    std::swap(bytes[offset], bytes[offset + 3]);
    std::swap(bytes[offset + 1], bytes[offset + 2]);
  };
  const std::uint32_t count = WordAt(bytes, kCount);
  const std::uint32_t originals = WordAt(bytes, kOriginals);
  const std::uint32_t translations = WordAt(bytes, kTranslations);
  const std::uint32_t hashSize = WordAt(bytes, 20);
  const std::uint32_t hashOffset = WordAt(bytes, 24);
  for (std::size_t i = 0; i < 7; ++i) swap(4 * i);
  for (std::size_t i = 0; i < 2 * count; ++i) {
    swap(originals + 4 * i);
    swap(translations + 4 * i);
  }
  for (std::size_t i = 0; i < hashSize; ++i) swap(hashOffset + 4 * i);
  return bytes;
}

TEST(Catalogue, ReadsEitherByteOrder) {
  const Bytes little = Fixture();
  const Bytes big = BigEndian(little);
  ASSERT_NE(big, little);
  EXPECT_EQ(LookUp(Catalogue(big)), LookUp(Catalogue(little)));
}

TEST(Catalogue, FindsMessagesWhateverTheirOrderInTheFile) {
  Bytes bytes = Fixture();
  const std::uint32_t count = WordAt(bytes, kCount);
  ASSERT_GE(count, 3u);
  // The first and last messages' table entries exchanged.
  for (const std::size_t table : {WordAt(bytes, kOriginals), WordAt(bytes, kTranslations)}) {
    for (std::size_t word = 0; word < 2; ++word) {
      const std::size_t first = table + 4 * word;
      const std::size_t last = table + 8 * (count - 1) + 4 * word;
      const std::uint32_t kept = WordAt(bytes, first);
      SetWord(bytes, first, WordAt(bytes, last));
      SetWord(bytes, last, kept);
    }
  }
  const Bytes fixture = Fixture();
  EXPECT_EQ(LookUp(Catalogue(bytes)), LookUp(Catalogue(fixture)));
}

// Bytes that are no catalogue translate nothing: each case changes one
// header or table word of the fixture.
TEST(Catalogue, TranslatesNothingFromAMalformedFile) {
  const Bytes fixture = Fixture();
  const std::uint32_t size = static_cast<std::uint32_t>(fixture.size());
  const std::uint32_t originals = WordAt(fixture, kOriginals);
  const std::uint32_t translations = WordAt(fixture, kTranslations);
  struct Case {
    const char* name;
    std::size_t offset;
    std::uint32_t word;
  };
  const Case cases[] = {
      {"magic", 0, 0x950412df},
      {"revision 2", kRevision, 2u << 16},
      {"count past the end", kCount, size},
      {"most messages", kCount, 0xffffffff},
      {"originals past the end", kOriginals, size},
      {"originals near 2^32", kOriginals, 0xfffffff8},
      {"translations past the end", kTranslations, size - 4},
      {"a length past the end", originals + 8, size},
      {"a length of 2^32 - 1", translations + 8, 0xffffffff},
      {"an offset past the end", originals + 12, size + 1},
      {"an offset near 2^32", translations + 12, 0xfffffffc},
  };
  for (const Case& c : cases) {
    Bytes bytes = fixture;
    SetWord(bytes, c.offset, c.word);
    const Catalogue catalogue(bytes);
    EXPECT_EQ(catalogue.size(), 0u) << c.name;
    EXPECT_EQ(catalogue.Find("", "no command given"), std::nullopt) << c.name;
  }
  const Bytes none, shorterThanAHeader(27, 0);
  EXPECT_EQ(Catalogue(none).size(), 0u);
  EXPECT_EQ(Catalogue(shorterThanAHeader).size(), 0u);
}

// Every shorter piece of the file, and the file with each byte changed:
// nothing is read outside the bytes (the sanitizer build checks), and a
// reading either fails whole or finds what the whole file gives.
TEST(Catalogue, StaysInsideCutAndDamagedBytes) {
  const Bytes fixture = Fixture();
  const Lookups whole = LookUp(Catalogue(fixture));
  for (std::size_t length = 0; length < fixture.size(); ++length) {
    const Bytes piece(fixture.begin(), fixture.begin() + static_cast<std::ptrdiff_t>(length));
    const Catalogue catalogue(piece);
    if (catalogue.size() > 0) {
      EXPECT_EQ(LookUp(catalogue), whole) << "first " << length << " bytes";
    }
  }
  for (std::size_t at = 0; at < fixture.size(); ++at) {
    for (const unsigned char value : {0x00, 0x7f, 0xff}) {
      Bytes damaged = fixture;
      damaged[at] = value;
      const Catalogue catalogue(damaged);
      (void)LookUp(catalogue);
    }
  }
}

// Replaces `from` by `to`, of the same length, in the catalogue's bytes.
Bytes Replaced(Bytes bytes, std::string_view from, std::string_view to) {
  const auto at = std::search(bytes.begin(), bytes.end(), from.begin(), from.end());
  EXPECT_NE(at, bytes.end()) << from;
  if (at != bytes.end()) std::copy(to.begin(), to.end(), at);
  return bytes;
}

TEST(Catalogue, ReadsUtf8AndAsciiOnly) {
  struct Case {
    const char* charset;  // of the length of "UTF-8", to be written in its place
    bool read;
  };
  for (const Case& c :
       {Case{"utf-8", true}, Case{"ASCII", true}, Case{"UCS-2", false}, Case{"CP125", false}}) {
    const Bytes bytes = Replaced(Fixture(), "charset=UTF-8", std::string("charset=") + c.charset);
    const Catalogue catalogue(bytes);
    EXPECT_EQ(catalogue.Find("", "no command given"),
              c.read ? std::optional<std::string_view>("nebyl zadán žádný příkaz") : std::nullopt)
        << c.charset;
  }
}

TEST(Catalogue, LeavesPluralsUntranslatedUnderAnUnreadableRule) {
  const Bytes bytes = Replaced(Fixture(), "plural=(n==1)", "plural=(n=+1)");
  const Catalogue catalogue(bytes);
  EXPECT_FALSE(catalogue.Plural());
  EXPECT_EQ(catalogue.FindPlural("", "%n record dropped", 1), std::nullopt);
  EXPECT_EQ(catalogue.Find("", "no command given"), "nebyl zadán žádný příkaz");
}

}  // namespace
}  // namespace velmora::messages
