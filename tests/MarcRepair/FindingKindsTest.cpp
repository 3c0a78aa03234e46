// The README's list of the report's kinds is the table's, row for row.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "MarcRepair/FindingKinds.h"

namespace velmora::marc_repair {
namespace {

TEST(MarcRepairKinds, TheReadmeListsEveryKindAsTheTableHasIt) {
  std::ifstream file(VELMORA_README);
  ASSERT_TRUE(file) << VELMORA_README;
  std::stringstream readme;
  readme << file.rdbuf();
  constexpr std::string_view kSeverities[] = {"change", "problem", "warning"};
  std::size_t rows = 0;
  for (const FindingKindRow& row : AllFindingKinds()) {
    const std::string line = "| `" + std::string(row.id) + "` | " +
                             std::string(kSeverities[static_cast<int>(row.severity)]) + " | " +
                             std::string(row.caption) + " |\n";
    EXPECT_NE(readme.str().find(line), std::string::npos) << line;
    ++rows;
  }
  // No row beyond the table's: as many rows between the header and the
  // first line after the list.
  const std::string text = readme.str();
  const std::size_t header = text.find("| Kind | Counts as | What the summary counts |");
  ASSERT_NE(header, std::string::npos);
  std::size_t listed = 0;
  for (std::size_t at = text.find('\n', header) + 1;
       text.compare(at, 3, "|--") == 0 || text.compare(at, 3, "| `") == 0;
       at = text.find('\n', at) + 1) {
    listed += text.compare(at, 3, "| `") == 0 ? 1 : 0;
  }
  EXPECT_EQ(listed, rows);
}

}  // namespace
}  // namespace velmora::marc_repair
