// Whole files repaired: a clean file comes out byte for byte in every
// format, each kind of structural damage is repaired and reported, a record
// that cannot be read goes to the rejects as it stood, and what the repair
// writes is left as it is when repaired again.
#include <gtest/gtest.h>

#include "DamagedCatalogue.h"
#include "MarcExchange/MarcTestRecords.h"
#include "MarcRepair/RepairPipeline.h"

namespace velmora::marc_repair {
namespace {

using marc_exchange::OutputFormat;
using marc_exchange::RepairKind;
using marc_exchange::test::SampleRecords;
using marc_exchange::test::WriteFile;

constexpr OutputFormat kFormats[] = {OutputFormat::kIso2709, OutputFormat::kMarcXml,
                                     OutputFormat::kMrk};

FileRepairOptions Options(std::optional<OutputFormat> format,
                          TargetCoding target = TargetCoding::kUtf8) {
  FileRepairOptions options;
  options.format = format;
  options.repair.target = target;
  return options;
}

RepairedFiles Repair(std::string_view bytes, const FileRepairOptions& options = {}) {
  const std::string_view inputs[] = {bytes};
  return RepairInMemory(inputs, options);
}

std::string Lines(const RepairedFiles& files) {
  std::string text;
  for (const std::string& line : files.lines) text += "\n  " + line;
  return text;
}

TEST(MarcRepairFile, WritesACleanFileAsItCameInEveryFormat) {
  for (const OutputFormat format : kFormats) {
    const std::string clean = WriteFile(format, SampleRecords(12));
    const RepairedFiles files = Repair(clean);
    EXPECT_EQ(files.output, clean) << OutputFormatName(format);
    EXPECT_TRUE(files.lines.empty()) << OutputFormatName(format) << Lines(files);
    EXPECT_EQ(files.tally.Clean(), 12u);
  }
}

// Every format into every other, then again: the second repair changes nothing.
TEST(MarcRepairFile, LeavesItsOwnOutputAsItIs) {
  const test::DamagedCatalogue damaged = test::MakeDamagedCatalogue(120);
  for (const OutputFormat from : kFormats) {
    const RepairedFiles first = Repair(damaged.bytes, Options(from));
    for (const OutputFormat to : kFormats) {
      for (const TargetCoding target : {TargetCoding::kUtf8, TargetCoding::kMarc8}) {
        if (target == TargetCoding::kMarc8 && to == OutputFormat::kMarcXml) continue;
        const FileRepairOptions options = Options(to, target);
        const RepairedFiles once = Repair(first.output, options);
        const RepairedFiles twice = Repair(once.output, options);
        const std::string where = std::string(OutputFormatName(from)) + " -> " +
                                  std::string(OutputFormatName(to)) +
                                  (target == TargetCoding::kMarc8 ? ", MARC-8" : "");
        EXPECT_EQ(twice.output, once.output) << where;
        // What could not be read stays a problem, and nothing else is said.
        EXPECT_EQ(twice.tally.Changed(), 0u) << where << Lines(twice);
        EXPECT_EQ(twice.tally.WithWarnings(), 0u) << where << Lines(twice);
        EXPECT_EQ(twice.tally.Records() + once.tally.Count(FindingKind::kNotWritable),
                  once.tally.Records())
            << where;
      }
    }
  }
}

struct StructureCase {
  const char* what;
  std::function<void(std::string& file, std::size_t second)> apply;
  RepairKind reported;
};

// The second record of three damaged; the repair gives the clean file back.
TEST(MarcRepairFile, RepairsTheStructureAndReportsIt) {
  const std::string clean = WriteFile(OutputFormat::kIso2709, SampleRecords(3));
  const std::size_t second = std::stoul(clean.substr(0, 5));
  const auto setLength = [](std::string& f, std::size_t at, std::size_t delta) {
    const std::string n = std::to_string(std::stoul(f.substr(at, 5)) + delta);
    f.replace(at, 5, std::string(5 - n.size(), '0') + n);
  };
  const StructureCase cases[] = {
      {"record length off", [&](std::string& f, std::size_t r) { setLength(f, r, 9); },
       RepairKind::kRecordLengthWrong},
      {"base address off", [&](std::string& f, std::size_t r) { setLength(f, r + 12, 2); },
       RepairKind::kBaseAddressWrong},
      {"a directory offset off",
       [&](std::string& f, std::size_t r) { setLength(f, r + 24 + 12 * 2 + 7, 4); },
       RepairKind::kDirectoryOffsetWrong},
      {"garbage between records", [](std::string& f, std::size_t r) { f.insert(r, "\r\n##\x01"); },
       RepairKind::kGarbageSkipped},
  };
  for (const StructureCase& c : cases) {
    std::string file = clean;
    c.apply(file, second);
    const RepairedFiles files = Repair(file);
    EXPECT_EQ(files.output, clean) << c.what;
    EXPECT_EQ(files.tally.Count(c.reported), 1u) << c.what << Lines(files);
    ASSERT_EQ(files.lines.size(), 1u) << c.what << Lines(files);
    EXPECT_TRUE(files.lines[0].starts_with("record 2, 001 VN-1001: ")) << files.lines[0];
    EXPECT_EQ(files.tally.Changed(), 1u) << c.what;
  }
}

TEST(MarcRepairFile, KeepsWhatATruncatedRecordHolds) {
  const std::string clean = WriteFile(OutputFormat::kIso2709, SampleRecords(2));
  const RepairedFiles files = Repair(clean.substr(0, clean.size() - 12));
  EXPECT_TRUE(files.output.starts_with(clean.substr(0, std::stoul(clean.substr(0, 5)))));
  EXPECT_EQ(files.tally.Records(), 2u) << Lines(files);
  EXPECT_EQ(files.tally.Count(FindingKind::kStructureRepaired), 1u) << Lines(files);
  // What the cut left (a letter cut in two is kept as its bytes) needs no
  // change the second time.
  EXPECT_EQ(Repair(files.output).tally.Changed(), 0u);
}

// A record that cannot be read is neither dropped in silence nor written:
// the rejects get its bytes, the report its number and byte offset.
TEST(MarcRepairFile, HandsBackWhatCannotBeRead) {
  const std::string clean = WriteFile(OutputFormat::kIso2709, SampleRecords(2));
  const std::size_t second = std::stoul(clean.substr(0, 5));
  std::string file = clean;
  const std::string unreadable = "junk\x1Emore\x1D";
  file.insert(second, unreadable);
  FileRepairOptions options;
  options.repair.rejectsName = "rejects.mrc";
  const RepairedFiles files = Repair(file, options);
  EXPECT_EQ(files.output, clean);
  EXPECT_EQ(files.rejects, unreadable);
  EXPECT_EQ(files.tally.WithProblems(), 1u);
  ASSERT_EQ(files.lines.size(), 1u) << Lines(files);
  EXPECT_NE(files.lines[0].find("record 2: "), std::string::npos) << files.lines[0];
  EXPECT_NE(files.lines[0].find("byte offset " + std::to_string(second)), std::string::npos)
      << files.lines[0];
  EXPECT_NE(files.lines[0].find("rejects.mrc"), std::string::npos) << files.lines[0];
}

// Two .mrk records with no empty line between them are written apart.
TEST(MarcRepairFile, SeparatesMrkRecordsThatRanTogether) {
  const std::string clean = WriteFile(OutputFormat::kMrk, SampleRecords(2));
  std::string joined = clean;
  joined.erase(joined.find("\r\n\r\n=LDR") + 2, 2);
  const RepairedFiles files = Repair(joined);
  EXPECT_EQ(files.tally.Count(RepairKind::kRecordWithoutBreak), 1u) << Lines(files);
  EXPECT_EQ(files.output, clean);
  EXPECT_TRUE(Repair(files.output).lines.empty());
}

TEST(MarcRepairFile, ReadsSeveralInputsAsOneStream) {
  const std::string iso = WriteFile(OutputFormat::kIso2709, SampleRecords(2));
  const std::string xml = WriteFile(OutputFormat::kMarcXml, SampleRecords(3));
  const std::string_view inputs[] = {iso, xml};
  const RepairedFiles files = RepairInMemory(inputs, Options(OutputFormat::kIso2709));
  EXPECT_EQ(files.tally.Records(), 5u);
  EXPECT_EQ(files.output, iso + WriteFile(OutputFormat::kIso2709, SampleRecords(3)));
}

// The generated catalogue: every damaged record found and repaired, none
// left as a problem but the unreadable ones, the output clean.
TEST(MarcRepairFile, FindsEveryDamageOfAGeneratedCatalogue) {
  using test::Damage;
  const test::DamagedCatalogue catalogue = test::MakeDamagedCatalogue(600);
  FileRepairOptions options;
  options.check = false;
  const RepairedFiles files = Repair(catalogue.bytes, options);
  const auto damaged = [&](Damage d) {
    const auto found = catalogue.damaged.find(d);
    return found == catalogue.damaged.end() ? 0 : found->second;
  };
  EXPECT_EQ(files.tally.Records(), 600 + damaged(Damage::kUnreadableBetween));
  // The record cut short may end inside a letter, whose field is then kept as it is.
  EXPECT_GE(files.tally.WithProblems(), damaged(Damage::kUnreadableBetween)) << Lines(files);
  EXPECT_LE(files.tally.WithProblems(),
            damaged(Damage::kUnreadableBetween) + damaged(Damage::kTruncated))
      << Lines(files);
  EXPECT_EQ(files.tally.Count(FindingKind::kLeaderCodingFixed), damaged(Damage::kLeaderSaysMarc8));
  EXPECT_EQ(files.tally.Count(FindingKind::kCharsetConverted), damaged(Damage::kLeaderSaysUtf8));
  EXPECT_EQ(files.tally.Count(FindingKind::kReadAsLegacy),
            damaged(Damage::kTcvn3) + damaged(Damage::kVni) + damaged(Damage::kCp1258) +
                damaged(Damage::kViscii) + damaged(Damage::kTcvn5712) +
                damaged(Damage::kUtf8AmongTcvn3));
  EXPECT_EQ(files.tally.Count(FindingKind::kDoubleEncoded), damaged(Damage::kDoubleEncoded));
  EXPECT_EQ(files.tally.Count(FindingKind::kNormalized), damaged(Damage::kDecomposed));
  EXPECT_EQ(files.tally.Count(RepairKind::kRecordLengthWrong), damaged(Damage::kRecordLength));
  EXPECT_EQ(files.tally.Count(RepairKind::kBaseAddressWrong), damaged(Damage::kBaseAddress));
  EXPECT_EQ(files.tally.Count(RepairKind::kGarbageSkipped), damaged(Damage::kGarbageBefore));
  EXPECT_EQ(files.tally.Count(FindingKind::kRejected), damaged(Damage::kUnreadableBetween));
  EXPECT_EQ(files.tally.Count(FindingKind::kLowercasedCapitals), 0u);
  // A record after an unreadable one is itself clean.
  EXPECT_EQ(files.tally.Clean(), damaged(Damage::kClean) + damaged(Damage::kUnreadableBetween));
  EXPECT_EQ(files.tally.Count(RepairKind::kRecordTruncated), damaged(Damage::kTruncated));
  for (const auto& [damage, count] : catalogue.damaged) EXPECT_GT(count, 0u) << DamageName(damage);
  const RepairedFiles again = Repair(files.output);
  EXPECT_EQ(again.tally.Changed(), 0u) << Lines(again);
  EXPECT_EQ(again.tally.WithProblems(),
            files.tally.WithProblems() - files.tally.Count(FindingKind::kRejected));
  EXPECT_EQ(again.output, files.output);
}

}  // namespace
}  // namespace velmora::marc_repair
