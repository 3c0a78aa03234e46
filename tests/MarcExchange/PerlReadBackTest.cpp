// The sample record of every source through the real velmora-convert in each
// MARC format, read back by Perl's MARC::Record family (MARC::File::USMARC,
// MARC::File::XML, MARC::File::MARCMaker) and by yaz-marcdump, which must all
// see the same record; then checked by MARC::Lint, with field order and the
// 008 checked beside it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <string>

#include "ModMain/Records/Sources.h"
#include "support/CliFixture.h"

namespace velmora::test {
namespace {

bool HaveTools() {
  return std::system(
             "command -v yaz-marcdump >/dev/null 2>&1 && perl -MMARC::Lint "
             "-MMARC::File::XML -MMARC::File::MARCMaker -e1 >/dev/null 2>&1") == 0;
}

class PerlReadBack : public CliTest {
 protected:
  void SetUp() override {
    if (!HaveTools()) {
      GTEST_SKIP() << "needs yaz and the Debian packages libmarc-record-perl, libmarc-xml-perl, "
                      "libmarc-file-marcmaker-perl, libmarc-lint-perl";
    }
    CliTest::SetUp();
  }

  // The sample of `source` written in `format` («--format mrk»); its path.
  std::string Convert(const records::SourceSystem& source, const std::string& options,
                      const std::string& name) {
    const std::string path = (dir_ / name).string();
    const ScopedVariable epoch("SOURCE_DATE_EPOCH", "1741910400");  // 2025-03-14
    const std::string command(source.name);
    const RunResult run = Run(command + " " + options + " -o '" + path + "' " +
                              Example(std::string(source.sample) + ".txt"));
    EXPECT_EQ(run.exitCode, 0) << command << " " << options << ": " << run.err;
    return path;
  }

  std::string Tool(const std::string& command) {
    const std::string out = (dir_ / "tool.out").string(), err = (dir_ / "tool.err").string();
    EXPECT_EQ(std::system((command + " >'" + out + "' 2>'" + err + "'").c_str()), 0) << command;
    EXPECT_EQ(ReadFile(err), "") << command;
    return ReadFile(out);
  }

  std::string Perl(const std::string& format, const std::string& path,
                   const std::string& lint = "") {
    return Tool("perl '" VELMORA_READ_MARC "' " + format + " '" + path + "' " + lint);
  }
};

TEST_F(PerlReadBack, EveryReaderSeesTheSameRecordInEachFormat) {
  for (const records::SourceSystem& source : records::kSources) {
    for (const std::string working : {"", "--working "}) {
      const std::string stem = std::string(source.name) + (working.empty() ? "" : ".working");
      const std::string mrc = Convert(source, working + "--format iso2709", stem + ".mrc");
      const std::string xml = Convert(source, working + "--format marcxml", stem + ".xml");
      const std::string mrk = Convert(source, working + "--format mrk", stem + ".mrk");
      const std::string lines = Tool("yaz-marcdump -i marc -o line '" + mrc + "'");
      // Dated by SOURCE_DATE_EPOCH, unless the working text has its own 008.
      const bool own008 = !working.empty() && source.id == records::SourceId::LacViet;
      EXPECT_NE(lines.find(own008 ? "\n008 190315" : "\n008 250314"), std::string::npos)
          << stem << "\n"
          << lines;
      EXPECT_EQ(Tool("yaz-marcdump -i marcxml -o line '" + xml + "'"), lines) << stem;
      EXPECT_EQ(Perl("usmarc", mrc), lines) << stem;
      EXPECT_EQ(Perl("xml", xml), lines) << stem;
      EXPECT_EQ(Perl("marcmaker", mrk), lines) << stem;
    }
  }
}

// Lint may still speak of the cataloguing content (a missing final period,
// an ISBN check digit) and of indicators that the source itself left blank
// or wrong; of field order, the 008 and every other indicator it says nothing.
TEST_F(PerlReadBack, LintFindsNoFormatFaultTheSourceDidNotHave) {
  // By source; the others have none.
  const std::map<records::SourceId, std::multiset<std::string>> sourceFaults = {
      // The Verbrary rewrite writes "##" for each 650 it splits off.
      {records::SourceId::Verbrary,
       {"650: Indicator 2 must be 0, 1, 2, 3, 4, 5, 6 or 7 but it's \" \"",
        "650: Indicator 2 must be 0, 1, 2, 3, 4, 5, 6 or 7 but it's \" \""}},
      // The Hue sample's «10010», «490  a», «700  a».
      {records::SourceId::Hue,
       {"100: Indicator 2 must be blank but it's \"0\"",
        "490: Indicator 1 must be 0 or 1 but it's \" \"",
        "700: Indicator 1 must be 0, 1 or 3 but it's \" \""}},
  };
  for (const records::SourceSystem& source : records::kSources) {
    const std::string report = Perl(
        "usmarc", Convert(source, "--format iso2709", std::string(source.name) + ".mrc"), "--lint");
    std::multiset<std::string> formatFaults;
    for (std::size_t at = report.find("lint: "); at != std::string::npos;
         at = report.find("lint: ", at + 1)) {
      const std::string warning = report.substr(at + 6, report.find('\n', at) - at - 6);
      if (warning.find("Indicator") != std::string::npos || warning.starts_with("order:") ||
          warning.starts_with("008:")) {
        formatFaults.insert(warning);
      }
    }
    const auto expected = sourceFaults.find(source.id);
    EXPECT_EQ(formatFaults,
              expected == sourceFaults.end() ? std::multiset<std::string>() : expected->second)
        << source.name << "\n"
        << report;
  }
}

}  // namespace
}  // namespace velmora::test
