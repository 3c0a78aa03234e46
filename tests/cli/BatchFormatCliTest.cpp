// velmora-convert --batch and --format end to end: records split at empty
// lines, one output per record, MARC output read back by yaz-marcdump.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ModMain/Records/Sources.h"
#include "cli/SplitFiles.h"
#include "support/CliFixture.h"
#include "support/PlatformLines.h"

namespace velmora::test {
namespace {

using BatchFormatCli = CliTest;

bool HaveYaz() {
  return std::system("command -v yaz-marcdump >/dev/null 2>&1") == 0;
}

TEST_F(BatchFormatCli, RecordsSplitAtEmptyLinesConvertOneByOne) {
  // Separators: empty lines, a line of spaces and tabs, and every line break.
  // An empty line before a field whose tag follows the record's last one
  // (650 after 245) is a gap between two fields of one record.
  const std::string input =
      "\r\n245    10$aOne\r\n100    1 $aA\r\n\r\n \t \r\n"
      "245    10$aTwo\n\n\n"
      "245    10$aThree\r\r650    #7$aX$zY";
  const RunResult result = Run("libol --batch", input);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, PlatformLines("245=00$aOne%100=##$aA\n245=00$aTwo\n245=00$aThree%650=##"
                                      "$aX%650=##$aY\n"));
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(Run("libol --batch --working", "245    10$aT\n\n100    1 $aA").out,
            PlatformLines("245=10$aT%\n100=1$aA\n"));
}

// A record is handed to the conversion as it stood in the input, its last
// line break included, so that a batch of the samples gives what each sample
// gives alone (a Verbrary record's last line break ends its last field).
TEST_F(BatchFormatCli, ARecordConvertsTheSameInABatchAsAlone) {
  const ScopedVariable epoch("SOURCE_DATE_EPOCH", "1741910400");
  for (const records::SourceSystem& source : records::Sources()) {
    const std::string sample = ReadFile(ExamplePath(std::string(source.sample) + ".txt"));
    for (const char* format : {"record", "iso2709", "mrk"}) {
      const std::string options = std::string(source.name) + " --format " + format;
      const std::string alone = Run(options, sample).out;
      const std::string twice = sample + "\n" + sample;
      const RunResult batched = Run(options + " --batch", twice);
      EXPECT_EQ(batched.exitCode, 0) << options << ": " << batched.err;
      EXPECT_EQ(batched.out, alone + alone) << options;
    }
  }
}

// Records copied from a web page, with repeated 500, 650, 653 and 700
// fields, and empty lines between every field, between some, or none: a
// batch gives each record what it gives alone, in every format, with the
// warnings it gets alone (named by the record instead of the input).
TEST_F(BatchFormatCli, WebCopiedRecordsConvertInABatchAsAlone) {
  const ScopedVariable epoch("SOURCE_DATE_EPOCH", "1741910400");
  const std::vector<std::vector<std::string>> records = {
      {"001    VN-1", "100    1 $aTr\xE1\xBA\xA7n V\xC4\x83n A",
       "245    10$aL\xE1\xBB\x8B"
       "ch s\xE1\xBB\xAD Vi\xE1\xBB\x87t Nam",
       "500    ##$aGhi ch\xC3\xBA 1", "500    ##$aGhi ch\xC3\xBA 2",
       "650    #7$aL\xE1\xBB\x8B"
       "ch s\xE1\xBB\xAD",
       "650    #7$aV\xC4\x83n ho\xC3\xA1", "653    ##$aVi\xE1\xBB\x87t Nam",
       "653    ##$aTh\xE1\xBA\xBF k\xE1\xBB\xB7 20", "700    1 $aNguy\xE1\xBB\x85n B",
       "700    1 $aL\xC3\xAA C"},
      {"245    10$a\xC4\x90\xE1\xBB\x8B"
       "a l\xC3\xBD$bmi\xE1\xBB\x81n B\xE1\xBA\xAF"
       "c",
       "650    #7$a\xC4\x90\xE1\xBB\x8B"
       "a l\xC3\xBD",
       "650    #7$aMi\xE1\xBB\x81n B\xE1\xBA\xAF"
       "c",
       "653    ##$aB\xE1\xBA\xA3n \xC4\x91\xE1\xBB\x93", "700    1 $aPh\xE1\xBA\xA1m D"},
      {"100    1 $aH\xE1\xBB\x93 E", "245    10$aTh\xC6\xA1\x01 ca",
       "500    ##$aIn l\xE1\xBA\xA7n hai", "650    #7$aTh\xC6\xA1",
       "650    #7$aV\xC4\x83n h\xE1\xBB\x8D"
       "c"},
  };
  // Which gaps between two fields of a record are empty lines.
  const struct {
    const char* what;
    bool (*gapAfter)(std::size_t field);
  } spacings[] = {
      {"an empty line between every field", [](std::size_t) { return true; }},
      {"between some", [](std::size_t field) { return field % 2 == 1; }},
      {"none", [](std::size_t) { return false; }},
  };
  // The <record> elements of a MARCXML collection: a batch is one
  // collection, each record alone its own.
  const auto xmlRecords = [](const std::string& xml) {
    std::string inside;
    for (std::size_t at = xml.find("<record"); at != std::string::npos;
         at = xml.find("<record", at + 1)) {
      inside += xml.substr(at, xml.find("</record>", at) + 9 - at);
    }
    return inside;
  };
  for (const auto& spacing : spacings) {
    std::string batch;
    std::vector<std::string> alone;
    for (const std::vector<std::string>& fields : records) {
      std::string record;
      for (std::size_t k = 0; k < fields.size(); ++k) {
        record += fields[k] + "\n";
        if (k + 1 < fields.size() && spacing.gapAfter(k)) record += "\n";
      }
      batch += record + "\n";
      alone.push_back(record);
    }
    for (const char* format : {"record", "iso2709", "marcxml", "mrk"}) {
      const std::string options = std::string("libol --format ") + format;
      const std::string label = options + ", " + spacing.what;
      std::string out, err;
      for (std::size_t n = 0; n < alone.size(); ++n) {
        const RunResult one = Run(options, alone[n]);
        EXPECT_EQ(one.exitCode, 0) << label << ": " << one.err;
        out += one.out;
        // The same warnings, named by the record.
        std::string said = one.err;
        const std::string name =
            "record " + std::to_string(n + 1) + " ('" + records[n].front() + "')";
        for (std::size_t at = said.find("standard input"); at != std::string::npos;
             at = said.find("standard input", at + name.size())) {
          said.replace(at, std::string("standard input").size(), name);
        }
        err += said;
      }
      const RunResult batched = Run(options + " --batch", batch);
      EXPECT_EQ(batched.exitCode, 0) << label << ": " << batched.err;
      if (std::string_view(format) == "marcxml") {
        EXPECT_EQ(xmlRecords(batched.out), xmlRecords(out)) << label;
      } else {
        EXPECT_EQ(batched.out, out) << label;
      }
      EXPECT_EQ(batched.err, err) << label;
    }
  }
}

// A batch record without a title is most often the end of the record before
// it, cut off by an empty line: it is written, and named.
TEST_F(BatchFormatCli, ARecordWithoutATitleIsNamed) {
  const RunResult result = Run("libol --batch",
                               "245    10$aA\n650    #7$aX\n\n100    1 $aB\n\n245    10$aC\n\n"
                               "650    #7$aY\n");
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, PlatformLines("245=00$aA%650=##$aX\n245=00$aC%100=##$aB%650=##$aY\n"));
  EXPECT_EQ(result.err, "");
  const RunResult cut = Run("libol --batch", "245    10$aA\n650    #7$aX\n\n100    1 $aB\n");
  EXPECT_EQ(cut.exitCode, 0) << cut.err;
  // The rebuild starts a record without a title with its field separator.
  EXPECT_EQ(cut.out, PlatformLines("245=00$aA%650=##$aX\n%100=##$aB\n"));
  EXPECT_EQ(cut.err,
            "velmora-convert: warning: record 2 ('100    1 $aB'): it has no title (245); if it is "
            "the end of the record before it, take out the empty lines between them\n");
}

// A warning says what was done to a piece of the record, and where it
// stands: the record, the field and the character of the field.
TEST_F(BatchFormatCli, WarningsNameTheFieldAndWhatWasDone) {
  const struct {
    std::string input;
    const char* warning;
  } cases[] = {
      {"245    10$aA\x01"
       "B",
       "warning: standard input: field 245, character 10: U+0001 replaced "
       "by U+FFFD"},
      {"245    10$aA\tB", "field 245, character 10: U+0009 replaced by a space"},
      {"245    10$aA\x1F\x1E", "field 245, character 10: U+001F U+001E replaced by U+FFFD"},
  };
  for (const auto& c : cases) {
    const RunResult result = Run("libol --format iso2709", c.input);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find(c.warning), std::string::npos) << result.err;
  }
  const RunResult batch = Run("libol --batch --format mrk", "245    10$aOne\n\n245    10$aT\x01");
  EXPECT_NE(batch.err.find("record 2 ('245    10$aT\x01'): field 245, character 10: U+0001"),
            std::string::npos)
      << batch.err;
}

TEST_F(BatchFormatCli, DroppedRecordsAreNamedAndFailTheRun) {
  const std::string input =
      "245    10$aKept\n\n"
      "245    10$aBroken \xC3(\n\n"   // invalid UTF-8
      "000    nam a22\n001    X\n\n"  // no field the rebuild keeps
      "001    Y\n245    10$aAlso kept";
  const RunResult result = Run("libol --batch", input);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, PlatformLines("245=00$aKept\n245=00$aAlso kept\n"));
  EXPECT_NE(result.err.find("record 3 ('000    nam a22') dropped"), std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("record 2 ('245    10$aBroken ') dropped: invalid UTF-8 at byte "
                            "offset 35"),
            std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("2 of 4 records dropped"), std::string::npos) << result.err;
}

TEST_F(BatchFormatCli, Iso2709CountsBytesOfVietnameseLetters) {
  // «Việt» is 4 letters but 6 bytes: the record length and the directory count
  // bytes. The title has the source's indicators, 10.
  const RunResult result = Run("libol --format iso2709", "245    10$aVi\xE1\xBB\x87t");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const std::string& record = result.out;
  ASSERT_GE(record.size(), 24u);
  EXPECT_EQ(record.substr(0, 5), std::to_string(100000 + record.size()).substr(1));
  EXPECT_EQ(record.substr(5, 5), "nam a");
  EXPECT_EQ(record.substr(20, 4), "4500");
  EXPECT_EQ(record.substr(24, 12), "008004100000");  // the 008 made for it, 41 bytes
  EXPECT_EQ(record.substr(36, 12), "245001100041");  // tag, 11 bytes from 41
  EXPECT_EQ(record.back(), '\x1D');
  EXPECT_NE(record.find("10\x1F"
                        "aVi\xE1\xBB\x87t\x1E"),
            std::string::npos);
}

TEST_F(BatchFormatCli, MnemonicAndXmlFormatsAndOutputFile) {
  const RunResult mrk = Run("libol --batch --format mrk", "245    10$aA$b{x}\n\n245    10$aB");
  EXPECT_EQ(mrk.exitCode, 0) << mrk.err;
  EXPECT_NE(mrk.out.find("=245  10$aA$b{lcub}x{rcub}\r\n\r\n=LDR  "), std::string::npos) << mrk.out;
  const std::string path = (dir_ / "out.xml").string();
  const RunResult xml = Run("libol --format=marcxml -o '" + path + "' " + Example("libol.txt"));
  EXPECT_EQ(xml.exitCode, 0) << xml.err;
  EXPECT_EQ(xml.out, "");
  const std::string written = ReadFile(path);
  EXPECT_NE(written.find("<collection xmlns=\"http://www.loc.gov/MARC21/slim\""),
            std::string::npos);
  EXPECT_NE(written.find("</collection>"), std::string::npos);
}

TEST_F(BatchFormatCli, MisusedOptionsAreUsageErrors) {
  const struct {
    const char* args;
    const char* message;
  } cases[] = {
      {"libol --format marc21", "unknown format 'marc21'"},
      {"libol --format", "--format needs a FORMAT"},
      {"marcedit --format iso2709", "'marcedit' takes no --format"},
      {"pre-unicode --batch", "'pre-unicode' takes no --batch"},
      {"libol --batch --format mrk --split-size 0 -o x.mrk", "--split-size '0' is no size"},
      {"libol --batch --format mrk --split-size 8X -o x.mrk", "--split-size '8X' is no size"},
      {"libol --batch --format mrk --split-size", "--split-size needs a SIZE"},
      {"libol --format mrk --split-size 8K -o x.mrk", "--split-size splits a --batch"},
      {"libol --batch --format mrk --split-size 8K", "--split-size splits a --batch"},
      {"libol --batch --split-size 8K -o x.txt", "--split-size splits a --batch"},
      {"charset vni unicode --precompose", "'charset' takes no --precompose"},
      {"libol --batch --jobs 0", "--jobs '0' is no number of threads"},
      {"libol --batch -j two", "--jobs 'two' is no number of threads"},
      {"libol --jobs 2", "--jobs shares the records of a --batch"},
  };
  for (const auto& c : cases) {
    const RunResult result = Run(c.args);
    EXPECT_EQ(result.exitCode, 2) << c.args;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << c.args << ": " << result.err;
  }
}

// With --working every field of the working text is written, with the
// indicators the source gave it, its own 008 kept and dated by
// SOURCE_DATE_EPOCH otherwise.
TEST_F(BatchFormatCli, WorkingTextAsMarcKeepsEveryField) {
  const std::string input =
      "000    nam a22\r\n001    VN-1\r\n245    10$aT\r\n100    1 $aA$d1950-\r\n"
      "650    #7$aX$zY\r\n999    ##$aLocal";
  std::optional<ScopedVariable> epoch(std::in_place, "SOURCE_DATE_EPOCH", "1741910400");
  const RunResult mrk = Run("libol --working --format mrk", input);  // 2025-03-14
  EXPECT_EQ(mrk.exitCode, 0) << mrk.err;
  EXPECT_EQ(mrk.err, "");
  const std::size_t fields = mrk.out.find("\r\n") + 2;
  EXPECT_EQ(mrk.out.substr(fields),
            "=001  VN-1\r\n=008  250314|||||||||vm\\|||||||||||||||||vie||\r\n"
            "=100  1\\$aA$d1950-\r\n=245  10$aT\r\n=650  \\7$aX$zY\r\n=999  \\\\$aLocal\r\n\r\n");
  epoch.reset();
  const ScopedVariable yesterday("SOURCE_DATE_EPOCH", "yesterday");
  const RunResult bad = Run("libol --format mrk", input);
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_NE(bad.err.find("SOURCE_DATE_EPOCH is 'yesterday'"), std::string::npos) << bad.err;
}

// --split-size: numbered files of whole records, each at most the size; put
// together they are the unsplit output. A record larger than the size stands
// alone, and the run says so.
TEST_F(BatchFormatCli, SplitSizeWritesNumberedFilesOfWholeRecords) {
  std::string batch;
  for (int i = 1; i <= 5; ++i) batch += "245    10$aRecord " + std::to_string(i) + "\n\n";
  const ScopedVariable epoch("SOURCE_DATE_EPOCH", "1741910400");
  const std::string whole = Run("libol --batch --format iso2709", batch).out;
  ASSERT_EQ(whole.size(), 5u * 104);  // 24 + 2 * 12 + 1 + 41 (008) + 13 (245) + 1
  const std::string out = (dir_ / "records.mrc").string();
  const RunResult split =
      Run("libol --batch --format iso2709 --split-size 208 -o '" + out + "'", batch);
  EXPECT_EQ(split.exitCode, 0) << split.err;
  EXPECT_EQ(split.err, "");
  std::string joined;
  for (const char* name : {"records-001.mrc", "records-002.mrc", "records-003.mrc"}) {
    const std::string part = ReadFile(dir_ / name);
    EXPECT_LE(part.size(), 208u) << name;
    joined += part;
  }
  EXPECT_EQ(joined, whole);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "records-004.mrc"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "records.mrc"));

  const RunResult tooSmall =
      Run("libol --batch --format iso2709 --split-size 100 -o '" + out + "'", batch);
  EXPECT_EQ(tooSmall.exitCode, 1);
  EXPECT_NE(tooSmall.err.find("record 1 ('245    10$aRecord 1') is larger than --split-size on "
                              "its own; written alone in " +
                              (dir_ / "records-001.mrc").string()),
            std::string::npos)
      << tooSmall.err;
  EXPECT_EQ(ReadFile(dir_ / "records-005.mrc").size(), 104u);
}

// --jobs shares a batch's records among threads; what it writes, warns and
// exits with is what one thread gives, in every format and split in files.
TEST_F(BatchFormatCli, JobsGiveWhatOneThreadGives) {
  const ScopedVariable epoch("SOURCE_DATE_EPOCH", "1741910400");
  std::string batch;  // records enough for many chunks on each thread
  for (int i = 0; i < 700; ++i) {
    const std::string n = std::to_string(i);
    switch (i % 5) {
      case 1:
        batch += "245    10$aBroken " + n + " \xC3(\n\n";
        break;  // invalid UTF-8
      case 2:
        batch += "000    nam a22\n001    " + n + "\n\n";
        break;  // no field kept
      case 3:
        batch += "245    10$aControl\x01" + n + "\n520    ##$a\tNote\n\n";
        break;
      default:
        batch += "245    10$aRecord " + n + "\n650    #7$aX$zY\n\n";
    }
  }
  const std::string out = (dir_ / "records.mrc").string();
  const auto splitFiles = [&] {  // every numbered file, one after another
    std::string all;
    for (std::size_t n = 1; std::filesystem::exists(cli::NumberedPath(out, n)); ++n) {
      all += ReadFile(cli::NumberedPath(out, n)) + "\n--\n";
    }
    return all;
  };
  const std::string split = "--split-size 4K -o '" + out + "'";
  const std::string optionSets[] = {"--format record", "--format iso2709 --verbose",
                                    "--format marcxml --working", "--format mrk --precompose",
                                    "--format iso2709 " + split};
  for (const std::string& options : optionSets) {
    const RunResult one = Run("libol --batch --jobs 1 " + options, batch);
    EXPECT_EQ(one.exitCode, 1) << options;
    const std::string files = splitFiles();
    for (const char* jobs : {"2", "7"}) {
      const RunResult many =
          Run("libol --batch --jobs " + std::string(jobs) + " " + options, batch);
      EXPECT_EQ(many.exitCode, one.exitCode) << options << " --jobs " << jobs;
      EXPECT_EQ(many.out, one.out) << options << " --jobs " << jobs;
      EXPECT_EQ(many.err, one.err) << options << " --jobs " << jobs;
      EXPECT_EQ(splitFiles(), files) << options << " --jobs " << jobs;
    }
  }
}

// --precompose: each letter as its one character, whatever spelling, in the
// output record, the working text, the MARC formats and pre-unicode alike.
TEST_F(BatchFormatCli, PrecomposeWritesEveryLetterAsOneCharacter) {
  const std::string viet = "Vie\xCC\xA3\xCC\x82t";  // e, dot below, circumflex
  const std::string viet1 = "Vi\xE1\xBB\x87t";      // ệ
  EXPECT_EQ(Run("libol", "245    10$a" + viet).out, PlatformLines("245=00$a" + viet + "\n"));
  EXPECT_EQ(Run("libol --precompose", "245    10$a" + viet).out,
            PlatformLines("245=00$a" + viet1 + "\n"));
  EXPECT_EQ(Run("libol --batch --working --precompose", "245    10$a" + viet).out,
            PlatformLines("245=10$a" + viet1 + "\n"));
  EXPECT_NE(Run("libol --precompose --format mrk", "245    10$a" + viet).out.find(viet1),
            std::string::npos);
  // pre-unicode alone joins only a tone mark that directly follows its base.
  EXPECT_EQ(Run("pre-unicode", viet).out, "Vi\xE1\xBA\xB9\xCC\x82t");  // ẹ, circumflex
  EXPECT_EQ(Run("pre-unicode --precompose", viet).out, viet1);
}

// A thousand varied records: yaz-marcdump reads our ISO 2709 and our MARCXML
// back, and renders both the same.
TEST_F(BatchFormatCli, ThousandRecordsRoundTripThroughYaz) {
  if (!HaveYaz()) GTEST_SKIP() << "yaz-marcdump is not installed";
  const char* titles[] = {"D\xE1\xBA\xBF M\xC3\xA8n", "Vie\xCC\xA3\xCC\x82t", "A & B <c>",
                          "\xE2\x80\x9CQuo\xE2\x80\x9D", "S\xE1\xBB\xAD {1}"};
  std::string batch;
  for (int i = 0; i < 1000; ++i) {
    batch += "245    10$a" + std::string(titles[i % 5]) + " " + std::to_string(i) + "\r\n";
    if (i % 2 == 0) batch += "100    1 $aNguy\xE1\xBB\x85n " + std::to_string(i) + "\r\n";
    if (i % 3 == 0) batch += "260    ##$aH\xC3\xA0 N\xE1\xBB\x99i :$bNXB,$c2019\r\n";
    for (int k = 0; k < i % 4; ++k) batch += "650    #7$aCh\xE1\xBB\xA7 \xC4\x91\xE1\xBB\x81\r\n";
    batch += "\r\n";
  }
  const std::string mrc = (dir_ / "batch.mrc").string(), xml = (dir_ / "batch.xml").string();
  Write("batch.txt", batch);
  const std::string input = "'" + (dir_ / "batch.txt").string() + "'";
  ASSERT_EQ(Run("libol --batch --format iso2709 -o '" + mrc + "' " + input).exitCode, 0);
  ASSERT_EQ(Run("libol --batch --format marcxml -o '" + xml + "' " + input).exitCode, 0);
  const std::string fromIso = (dir_ / "iso.txt").string(), fromXml = (dir_ / "xml.txt").string();
  ASSERT_EQ(std::system(("yaz-marcdump -i marc -o line '" + mrc + "' >'" + fromIso + "' 2>'" +
                         fromIso + ".err'")
                            .c_str()),
            0);
  ASSERT_EQ(std::system(("yaz-marcdump -i marcxml -o line '" + xml + "' >'" + fromXml + "' 2>'" +
                         fromXml + ".err'")
                            .c_str()),
            0);
  EXPECT_EQ(ReadFile(fromIso + ".err"), "");
  EXPECT_EQ(ReadFile(fromXml + ".err"), "");
  const std::string lines = ReadFile(fromIso);
  EXPECT_EQ(lines, ReadFile(fromXml));
  std::size_t leaders = 0;
  for (std::size_t at = lines.find("nam a22"); at != std::string::npos;
       at = lines.find("nam a22", at + 1)) {
    ++leaders;
  }
  EXPECT_EQ(leaders, 1000u);
  EXPECT_NE(lines.find("245 10 $a D\xE1\xBA\xBF M\xC3\xA8n 995"), std::string::npos);
}

}  // namespace
}  // namespace velmora::test
