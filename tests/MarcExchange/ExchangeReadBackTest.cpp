// Records read from files, written again, checked by independent
// implementations, both ways: yaz-marcdump and Perl's MARC::Record family
// read our ISO 2709, MARCXML and .mrk and show exactly the fields written;
// what yaz and MARC::Record write (UTF-8 and MARC-8, ISO 2709 and MARCXML)
// we read to the fields they read themselves.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "MarcExchange/MarcXmlWriter.h"
#include "MarcTestRecords.h"
#include "support/Files.h"

namespace velmora::marc_exchange::test {
namespace {

namespace fs = std::filesystem;

using velmora::test::ReadFile;

class ExchangeReadBack : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::system("command -v yaz-marcdump >/dev/null 2>&1 && perl -MMARC::File::XML "
                    "-MMARC::File::MARCMaker -MMARC::Charset -e1 >/dev/null 2>&1") != 0) {
      GTEST_SKIP() << "needs yaz and the Debian packages libmarc-record-perl, libmarc-xml-perl, "
                      "libmarc-file-marcmaker-perl, libmarc-charset-perl";
    }
    dir_ = fs::temp_directory_path() /
           ("velmora-readback-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override {
    if (!dir_.empty()) fs::remove_all(dir_);
  }

  std::string Save(const std::string& name, const std::string& bytes) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }

  // A tool's standard output; it must succeed and say nothing on standard error.
  std::string Tool(const std::string& command) {
    const std::string out = (dir_ / "tool.out").string(), err = (dir_ / "tool.err").string();
    const int status = std::system((command + " >'" + out + "' 2>'" + err + "'").c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    EXPECT_EQ(ReadFile(err), "") << command;
    return ReadFile(out);
  }

  std::string Perl(const std::string& arguments) {
    return Tool("perl '" VELMORA_READ_MARC "' " + arguments);
  }

  fs::path dir_;
};

// The sample records, read from a damaged file and repaired, then written by
// each writer: every other reader sees exactly their fields.
TEST_F(ExchangeReadBack, OtherReadersSeeTheFieldsWeWrite) {
  std::string damaged = WriteFile(OutputFormat::kIso2709, SampleRecords(40));
  damaged.replace(0, 5, "00001");                                        // a wrong record length
  damaged.insert(damaged.find("\x1D", damaged.size() / 2) + 1, "\r\n");  // between records
  const ReadBack read = ReadAll(damaged);
  ASSERT_EQ(read.records.size(), 40u);
  for (const OutputFormat format :
       {OutputFormat::kIso2709, OutputFormat::kMarcXml, OutputFormat::kMrk}) {
    const std::string file = Rewrite(damaged, format);
    // The lengths in the leader as the file written has them.
    const std::string expected = YazLineForm(ReadAll(file).records);
    const std::string path = Save(std::string(OutputFormatName(format)), file);
    switch (format) {
      case OutputFormat::kIso2709:
        EXPECT_EQ(Tool("yaz-marcdump -i marc -o line '" + path + "'"), expected);
        EXPECT_EQ(Perl("usmarc '" + path + "'"), expected);
        EXPECT_EQ(Tool("yaz-marcdump -i marc -o marc '" + path + "'"), file);
        break;
      case OutputFormat::kMarcXml:
        EXPECT_EQ(Tool("yaz-marcdump -i marcxml -o line '" + path + "'"), expected);
        EXPECT_EQ(Perl("xml '" + path + "'"), expected);
        Tool("xmllint --noout '" + path + "'");
        break;
      default:
        EXPECT_EQ(Perl("marcmaker '" + path + "'"), expected);
    }
  }
}

// yaz writes ISO 2709 and MARCXML from its line form, and MARC-8 from UTF-8;
// we read each to the fields yaz reads back from the same file.
TEST_F(ExchangeReadBack, WeReadWhatYazWrites) {
  const std::string lines =
      Save("records.txt",
           "00000nam a2200000   4500\n001 VN-1\n245 10 $a M\u00E8n \u0111\u01A1n $b {x} $5 & <\n"
           "650  7 $a V\u0103n $x \n\n00000cam a2200000   4500\n008 190315s2019    vm\n"
           "245 00 $a Plain\n\n");
  const std::string mrc = Save("yaz.mrc", Tool("yaz-marcdump -i line -o marc '" + lines + "'"));
  const std::string xml = Save("yaz.xml", Tool("yaz-marcdump -i line -o marcxml '" + lines + "'"));
  const std::string marc8 = Save(
      "yaz8.mrc", Tool("yaz-marcdump -i line -o marc -f utf8 -t marc8 -l 9=32 '" + lines + "'"));
  for (const auto& [path, format] :
       {std::pair{mrc, "marc"}, std::pair{xml, "marcxml"}, std::pair{marc8, "marc"}}) {
    const ReadBack ours = ReadAll(ReadFile(path));
    EXPECT_TRUE(ours.repairs.empty()) << path;
    EXPECT_EQ(ours.records.size(), 2u) << path;
    EXPECT_EQ(YazLineForm(ours.records),
              Tool(std::string("yaz-marcdump -i ") + format + " -o line '" + path + "'"))
        << path;
  }
  // And yaz's ISO 2709 written again by us is yaz's byte for byte.
  EXPECT_EQ(Rewrite(ReadFile(mrc), OutputFormat::kIso2709), ReadFile(mrc));
}

TEST_F(ExchangeReadBack, WeReadWhatMarcRecordWrites) {
  for (const char* format : {"usmarc", "xml"}) {
    for (const char* coding : {"utf8", "marc8"}) {
      const std::string path = (dir_ / (std::string(format) + "." + coding)).string();
      Perl(std::string("write ") + format + " " + coding + " '" + path + "'");
      const ReadBack ours = ReadAll(ReadFile(path));
      EXPECT_TRUE(ours.errors.empty()) << path;
      EXPECT_TRUE(ours.repairs.empty()) << path;
      ASSERT_EQ(ours.records.size(), 2u) << path;
      // MARC::Record reads its MARC-8 back as characters; the bytes we hold
      // are compared with yaz's for ISO 2709, which shows them as they are.
      const std::string theirs = std::string(format) == "xml" || std::string(coding) == "utf8"
                                     ? Perl(std::string(format) + " '" + path + "'")
                                     : Tool("yaz-marcdump -i marc -o line '" + path + "'");
      EXPECT_EQ(YazLineForm(ours.records), theirs) << path;
      if (std::string(coding) == "marc8" && std::string(format) == "usmarc") {
        EXPECT_EQ(ours.records[0].Leader()[kLeaderCharacterCoding], ' ');
      }
    }
  }
}

// The committed table of mnemonic names is what its generator makes of the
// Perl modules installed.
TEST_F(ExchangeReadBack, TheMnemonicTableIsItsGeneratorsOutput) {
  EXPECT_EQ(Tool("perl '" VELMORA_MNEMONIC_GENERATOR "'"), ReadFile(VELMORA_MNEMONIC_TABLE));
}

// The committed list of the tags MARC 21 allows once in a record, which
// tells a batch where one record ends, is what its generator makes of
// MARC::Lint's tag list.
TEST_F(ExchangeReadBack, TheNonRepeatableTagTableIsItsGeneratorsOutput) {
  EXPECT_EQ(Tool("perl '" VELMORA_TAG_REPEATABILITY_GENERATOR "'"),
            ReadFile(VELMORA_NON_REPEATABLE_TAG_TABLE));
}

}  // namespace
}  // namespace velmora::marc_exchange::test
