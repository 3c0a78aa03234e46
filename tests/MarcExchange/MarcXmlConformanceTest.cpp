// The MARCXML reader against xmllint (libxml2) on generated files and on
// every small damage to them: what xmllint rejects we reject, what it takes
// as well-formed MARCXML we read, to the fields yaz-marcdump reads; a
// DOCTYPE we always refuse. Hostile files (entity expansion, external
// entities, deep nesting, huge text and records) are refused or streamed
// without the process's memory growing.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "MarcExchange/ByteSource.h"
#include "MarcExchange/MarcXmlReader.h"
#include "MarcTestRecords.h"
#include "support/Files.h"

namespace velmora::marc_exchange::test {
namespace {

namespace fs = std::filesystem;

using velmora::test::ReadFile;

class MarcXmlConformance : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::system("command -v xmllint >/dev/null 2>&1 && command -v yaz-marcdump >/dev/null "
                    "2>&1") != 0) {
      GTEST_SKIP() << "needs xmllint and yaz-marcdump (Debian packages libxml2-utils, yaz)";
    }
    dir_ = fs::temp_directory_path() / ("velmora-xmllint-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    if (!dir_.empty()) fs::remove_all(dir_);
  }

  struct Tool {
    int status;
    std::string out, err;
  };
  Tool Run(const std::string& command, const std::string& file) {
    const fs::path out = dir_ / "out", err = dir_ / "err";
    const int status = std::system(
        (command + " '" + file + "' >'" + out.string() + "' 2>'" + err.string() + "'").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(out), ReadFile(err)};
  }

  // One file through xmllint, yaz and us; false on a disagreement.
  void Compare(const std::string& name, const std::string& xml) {
    const fs::path path = dir_ / "file.xml";
    std::ofstream(path, std::ios::binary) << xml;
    const Tool lint = Run("xmllint --noout", path.string());
    // Namespace errors leave xmllint's status 0 but are errors all the same.
    const bool wellFormed = lint.status == 0 && lint.err.find("error") == std::string::npos;
    const ReadBack ours = ReadAll(xml);
    const bool refused =
        !ours.errors.empty() && ours.errors[0].kind != ReadErrorKind::kNoMarcXmlRecords;
    const bool doctype = xml.find("<!DOCTYPE") != std::string::npos;
    ++compared_;
    if (!wellFormed || doctype) {
      EXPECT_TRUE(refused) << name << ": xmllint refuses it, we do not\n"
                           << lint.err << "\n"
                           << xml;
      return;
    }
    ASSERT_FALSE(refused) << name << ": xmllint takes it, we refuse it: " << ours.errors[0].detail
                          << " (line " << ours.errors[0].line << ")\n"
                          << xml;
    if (ours.records.empty() || !ours.repairs.empty() || !ours.rejected.empty()) return;
    const std::string lines = YazLineForm(ours.records);
    const Tool yaz = Run("yaz-marcdump -i marcxml -o line", path.string());
    if (yaz.status == 0 && yaz.err.empty()) {
      EXPECT_EQ(lines, yaz.out) << name << "\n" << xml;
      ++sameFields_;
    }
  }

  fs::path dir_;
  int compared_ = 0, sameFields_ = 0;
};

const std::string kSlim = "http://www.loc.gov/MARC21/slim";

std::vector<std::pair<std::string, std::string>> GeneratedFiles() {
  const std::string ours = WriteFile(OutputFormat::kMarcXml, SampleRecords(3));
  const std::string record =
      "<m:record><m:leader>00000nam a2200000   4500</m:leader><m:controlfield tag='001'>"
      "VN&#x2D;1</m:controlfield><m:datafield ind2=\"0\" tag=\"245\" ind1='1'><m:subfield "
      "code=\"a\">D&#7871; <![CDATA[M\u00E8n & <b>]]></m:subfield><!-- note --><?pi x?>"
      "<m:subfield code='b'>&lt;&gt;&amp;&quot;&apos;</m:subfield></m:datafield></m:record>";
  return {
      {"our own", ours},
      {"prefixed", "<?xml version='1.0' encoding='utf-8'?>\n<m:collection xmlns:m='" + kSlim +
                       "'>" + record + record + "</m:collection>\n"},
      {"no namespace",
       "<collection><record><leader>00000nam a2200000   4500</leader>"
       "<datafield tag=\"650\" ind1=\" \" ind2=\"7\"><subfield code=\"a\">V\u0103n"
       "</subfield></datafield></record></collection>"},
      {"a single record", "<record xmlns=\"" + kSlim +
                              "\"><leader>00000nam a2200000   4500</leader><controlfield "
                              "tag=\"008\">190315s2019    vm</controlfield></record>"},
  };
}

// Damage that xmllint and we must judge alike: each byte deleted, and each
// of a set of troublemakers put at places picked by a fixed seed.
TEST_F(MarcXmlConformance, JudgesEveryDamagedFileAsXmllintDoes) {
  const char* const kInserts[] = {"<",
                                  "&",
                                  ">",
                                  "]]>",
                                  "&nbsp;",
                                  "&#0;",
                                  "\x01",
                                  "\xC3",
                                  "\"",
                                  "'",
                                  "<!--",
                                  "-->",
                                  "<?xml ?>",
                                  "</x>",
                                  " a='1' a='2'",
                                  "<![CDATA[",
                                  "\xEF\xBF\xBE",
                                  " xmlns:p=''",
                                  "<p:x/>",
                                  "&#xD800;",
                                  "<!DOCTYPE r>",
                                  "\r\n",
                                  "\t"};
  std::mt19937 random(2709);
  for (const auto& [name, xml] : GeneratedFiles()) {
    Compare(name, xml);
    if (HasFailure()) return;
    for (int i = 0; i < 60; ++i) {
      const std::size_t at = std::uniform_int_distribution<std::size_t>(0, xml.size() - 1)(random);
      std::string deleted = xml;
      deleted.erase(at, 1);
      Compare(name + ", byte " + std::to_string(at) + " deleted", deleted);
      std::string inserted = xml;
      const char* insert = kInserts[static_cast<std::size_t>(i) % std::size(kInserts)];
      inserted.insert(at, insert);
      Compare(name + ", \"" + insert + "\" at " + std::to_string(at), inserted);
      if (HasFailure()) return;
    }
  }
  EXPECT_GT(sameFields_, 40);  // enough files were read to the same fields
}

TEST_F(MarcXmlConformance, JudgesTheRulesAsXmllintDoes) {
  const std::string head = "<collection xmlns=\"" + kSlim + "\">";
  const char* const kBodies[] = {
      "<record/>",
      "<record></record >",
      "<record\n/>",
      "<record a='&#x10FFFF;'/>",
      "<record a='&#x110000;'/>",
      "<record>&#65;&#x41;&#0065;</record>",
      "<record>&#x;</record>",
      "<record>&#65</record>",
      "<record>&amp</record>",
      "<record><![CDATA[]]]]></record>",
      "<record><!----></record>",
      "<record><!-- - --></record>",
      "<record><?x?></record>",
      "<record><?xml-stylesheet a?></record>",
      "<record><?XML x?></record>",
      "<record><?x?y?></record>",
      "<record><1a/></record>",
      "<record><a:b:c/></record>",
      "<record xmlns:a='u'><a:b/></record>",
      "<record><b xmlns:a='u' a:x='1' a:y='2'/></record>",
      "<record xmlns:a='u' xmlns:b='u'><c a:x='1' b:x='2'/></record>",
      "<record xmlns:xml='http://www.w3.org/XML/1998/namespace'/>",
      "<record xml:lang='vi'/>",
      "<record xmlns:xmlns='u'/>",
      "<record \u1EBF='1'/>",
      "<\u1EBF/>",
      "<record a=\"x\"b=\"y\"/>",
      "<record a = 'x' />",
      "<record a='\t\r\n'/>",
      "< record/>",
      "<record/ >",
  };
  for (const char* body : kBodies) {
    Compare(body, head + body + "</collection>");
    if (HasFailure()) return;
  }
  const char* const kDocuments[] = {
      "<?xml version=\"1.0\"?><collection/>",
      "<?xml version=\"1.1\"?><collection/>",
      "<?xml version=\"2.0\"?><collection/>",
      "<?xml version='1.0' standalone='maybe'?><c/>",
      "<?xml version='1.0' encoding='UTF-8' standalone='no' ?><collection/>",
      "<?xml encoding='UTF-8'?><collection/>",
      " <?xml version='1.0'?><collection/>",
      "<collection/>\n<!-- after --><?pi?>\n",
      "<collection/>x",
      "x<collection/>",
      " ",
      "<collection/><collection/>",
      "\xEF\xBB\xBF<collection/>",
      "<?xml version='1.0' encoding='UTF-16'?><collection/>",
  };
  for (const char* document : kDocuments) {
    Compare(document, document);
    if (HasFailure()) return;
  }
}

// A source of `count` repeats of `piece` between `head` and `tail`, made as
// it is read: the file is never in memory.
class RepeatSource final : public ByteSource {
 public:
  RepeatSource(std::string head, std::string piece, std::size_t count, std::string tail)
      : head_(std::move(head)), piece_(std::move(piece)), count_(count), tail_(std::move(tail)) {}
  std::size_t Read(char* to, std::size_t capacity) override {
    std::size_t n = 0;
    while (n < capacity) {
      const std::string& part = stage_ == 0 ? head_ : stage_ == 1 ? piece_ : tail_;
      if (stage_ > 2) break;
      if (at_ == part.size()) {
        at_ = 0;
        if (stage_ != 1 || ++repeats_ >= count_) ++stage_;
        if (stage_ == 1 && count_ == 0) ++stage_;
        continue;
      }
      const std::size_t k = std::min(capacity - n, part.size() - at_);
      std::memcpy(to + n, part.data() + at_, k);
      n += k;
      at_ += k;
    }
    return n;
  }

 private:
  std::string head_, piece_;
  std::size_t count_;
  std::string tail_;
  int stage_ = 0;
  std::size_t at_ = 0, repeats_ = 0;
};

// AddressSanitizer and valgrind keep what is freed in quarantine, so that
// the peak grows with all that was read; the bound holds without them.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPeakIsTheReaders = false;
#else
constexpr bool kPeakIsTheReaders = true;
#endif

long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

TEST(MarcXmlHostile, RefusesOrStreamsWithoutGrowingMemory) {
  const std::string head = "<collection xmlns=\"http://www.loc.gov/MARC21/slim\">";
  const std::string record =
      "<record><leader>00000nam a2200000   4500</leader><datafield tag=\"245\" ind1=\"1\" "
      "ind2=\"0\"><subfield code=\"a\">T\u00EAn s\u00E1ch</subfield></datafield></record>\n";
  const std::string laughs =
      "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\">"
      "<!ENTITY lol2 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">"
      "<!ENTITY lol3 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">]>"
      "<collection>&lol3;</collection>";
  const struct {
    const char* name;
    std::string head, piece;
    std::size_t count;
    std::string tail;
    std::optional<ReadErrorKind> refused;  // nullopt: read through
    std::size_t records, rejected;
  } cases[] = {
      {"entity expansion", laughs, "", 0, "", ReadErrorKind::kXmlDoctype, 0, 0},
      {"an external entity",
       "<!DOCTYPE c [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><collection>&x;</collection>", "",
       0, "", ReadErrorKind::kXmlDoctype, 0, 0},
      {"an entity without a DOCTYPE", head + "&x;", "", 0, "</collection>",
       ReadErrorKind::kXmlNotWellFormed, 0, 0},
      {"ten million nested elements", "", "<a>", 10'000'000, "", ReadErrorKind::kXmlTooDeep, 0, 0},
      {"a comment of 200 MB", "<!--", "-a", 100'000'000, "-->", ReadErrorKind::kXmlTooLarge, 0, 0},
      {"an attribute value of 200 MB", "<collection a=\"", "ab", 100'000'000, "\"/>",
       ReadErrorKind::kXmlTooLarge, 0, 0},
      {"a million attributes of one name", "<collection", " a=\"1\"", 1'000'000, "/>",
       ReadErrorKind::kXmlNotWellFormed, 0, 0},
      {"50 MB of text between records", head, "text ", 10'000'000, "</collection>", std::nullopt, 0,
       0},
      {"a subfield of 50 MB",
       head + "<record><datafield tag=\"520\" ind1=\" \" ind2=\" \"><subfield code=\"a\">", "ab",
       25'000'000, "</subfield></datafield></record></collection>", std::nullopt, 0, 1},
      {"200 000 records", head, record, 200'000, "</collection>", std::nullopt, 200'000, 0},
  };
  for (const auto& c : cases) {
    const long before = PeakKilobytes();
    RepeatSource source(c.head, c.piece, c.count, c.tail);
    MarcXmlReader reader(source, {});
    ReadItem item;
    std::size_t records = 0, rejected = 0;
    while (reader.Next(item)) {
      records += item.kind == ReadItem::Kind::kRecord;
      rejected += item.kind == ReadItem::Kind::kRejected;
    }
    if (c.refused) {
      ASSERT_TRUE(reader.Error().has_value()) << c.name;
      EXPECT_EQ(reader.Error()->kind, *c.refused) << c.name << ": " << reader.Error()->detail;
    } else {
      EXPECT_FALSE(reader.Error().has_value()) << c.name << ": " << reader.Error()->detail;
    }
    EXPECT_EQ(records, c.records) << c.name;
    EXPECT_EQ(rejected, c.rejected) << c.name;
    // The window, one record and the framing kept: a few megabytes at most.
    const char* preloaded = std::getenv("LD_PRELOAD");  // valgrind preloads its own
    const bool underValgrind = preloaded != nullptr && std::strstr(preloaded, "vgpreload");
    if (kPeakIsTheReaders && !underValgrind) {
      EXPECT_LT(PeakKilobytes() - before, 32 * 1024) << c.name;
    }
  }
}

}  // namespace
}  // namespace velmora::marc_exchange::test
