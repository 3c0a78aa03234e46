// Where a batch's records end: at an empty line, unless the field after it
// goes on with the record as MARC 21 allows (a repeatable tag, or a tag not
// lower than the record's last one that the record has not yet).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/FileIo.h"
#include "cli/RecordReader.h"
#include "support/Files.h"

namespace velmora::cli {
namespace {

struct ReadRecord {
  std::string firstLine;
  std::size_t lines;      // of the input it spans, empty ones within it included
  std::size_t startLine;  // of the input
};

std::vector<ReadRecord> ReadRecords(const std::string& input, RecordReader::Split split) {
  test::ScratchDir dir("record-reader");
  test::WriteFile(dir / "batch", input);
  std::string error;
  const int fd = OpenInput((dir / "batch").string(), error);
  EXPECT_GE(fd, 0) << error;
  InputCloser closer{fd};
  RecordReader reader(fd, split);
  std::vector<ReadRecord> records;
  BatchRecord record;
  while (reader.Next(record, error)) {
    std::size_t lines = 0;
    for (const char c : record.bytes) lines += c == '\n';
    records.push_back(
        {record.bytes.substr(0, record.bytes.find_first_of("\r\n")), lines, record.firstLine});
  }
  EXPECT_EQ(error, "");
  return records;
}

std::vector<std::string> FirstLines(const std::vector<ReadRecord>& records) {
  std::vector<std::string> lines;
  for (const ReadRecord& record : records) lines.push_back(record.firstLine);
  return lines;
}

TEST(RecordReader, AnEmptyLineEndsARecordOnlyWhereMarc21WouldHaveANewOne) {
  const struct {
    const char* what;
    std::string input;
    std::vector<std::string> firstLines;
  } cases[] = {
      {"repeated 650 and a 700 after empty lines: one record",
       "245    10$aA\n\n650    #7$aX\n\n650    #7$aY\n\n700    1 $aB\n",
       {"245    10$aA"}},
      {"repeated 500, 653 and 700",
       "245    10$aA\n\n500    ##$aN1\n\n500    ##$aN2\n653    ##$aK\n\n"
       "653    ##$aL\n\n700    1 $aB\n\n700    1 $aC\n",
       {"245    10$aA"}},
      {"a second 245 starts the next record",
       "245    10$aA\n\n650    #7$aX\n\n245    10$aB\n",
       {"245    10$aA", "245    10$aB"}},
      {"a second 100, 001 or 008",
       "100    1 $aA\n\n100    1 $aB\n\n001    X\n\n001    Y\n",
       {"100    1 $aA", "100    1 $aB", "001    X", "001    Y"}},
      {"a second 310, which MARC 21 allows once, after a 250 and a 250 it repeats",
       "245    10$aA\n\n250    ##$aE1\n\n250    ##$aE2\n\n310    ##$aF\n\n310    ##$aG\n",
       {"245    10$aA", "310    ##$aG"}},
      {"a lower tag",
       "245    10$aA\n650    #7$aX\n\n100    1 $aB\n",
       {"245    10$aA", "100    1 $aB"}},
      {"a leader",
       "245    10$aA\n\n000    nam a22\n\nLDR    00000nam\n245    10$aB\n",
       {"245    10$aA", "000    nam a22", "LDR    00000nam"}},
      {"a line without a tag", "245    10$aA\n\nwrapped text\n", {"245    10$aA", "wrapped text"}},
      {"a higher tag the record does not have yet",
       "100    1 $aA\n\n245    10$aB\n",
       {"100    1 $aA"}},
      {"without empty lines nothing splits",
       "245    10$aA\n245    10$aB\n100    1 $aC\n",
       {"245    10$aA"}},
      {"white space lines and every line break",
       "\r\n245    10$aA\r\n \t \r\n650    #7$aX\r\r245    10$aB\r\n",
       {"245    10$aA", "245    10$aB"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FirstLines(ReadRecords(c.input, RecordReader::Split::kCopiedRecords)), c.firstLines)
        << c.what;
  }
}

TEST(RecordReader, RecordsKnowTheLineOfTheInputTheyStartOn) {
  const std::vector<ReadRecord> records =
      ReadRecords("\n245    10$aA\n\n650    #7$aX\n\n\n245    10$aB\n100    1 $aC\n",
                  RecordReader::Split::kCopiedRecords);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].startLine, 2u);
  EXPECT_EQ(records[0].lines, 3u);  // the empty line between its fields kept
  EXPECT_EQ(records[1].startLine, 7u);
}

TEST(RecordReader, OneRecordALineSkipsEmptyLines) {
  const std::vector<ReadRecord> records =
      ReadRecords("245=00$aA%100=##$aB\n\n \n245=00$aC\r\n245=00$aD", RecordReader::Split::kLines);
  EXPECT_EQ(FirstLines(records),
            (std::vector<std::string>{"245=00$aA%100=##$aB", "245=00$aC", "245=00$aD"}));
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[1].startLine, 4u);
}

}  // namespace
}  // namespace velmora::cli
