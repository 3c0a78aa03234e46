// The committed code page tables say what glibc's iconv says: every byte,
// and every base and tone mark that it joins (or not).
#include <gtest/gtest.h>

#include <string>

#include "Encodings/CodePage.h"
#include "Encodings/Utf8.h"
#include "Iconv.h"

namespace velmora::encodings {
namespace {

struct Page {
  const char* iconvName;
  const CodePage& (*page)();
  const codepage::ByteTable& table;
  std::string_view marks;  // the bytes that are combining tone marks
};

const Page kPages[] = {
    {"WINDOWS-1252", Windows1252, codepage::kWindows1252Bytes, ""},
    {"WINDOWS-1258", Windows1258, codepage::kWindows1258Bytes, "\xCC\xD2\xDE\xEC\xF2"},
    {"VISCII", Viscii, codepage::kVisciiBytes, ""},
    {"TCVN5712-1", Tcvn5712, codepage::kTcvn5712Bytes, "\xB0\xB1\xB2\xB3\xB4"},
};

// Every byte iconv takes, each on a line of its own; then every other byte
// followed by each tone mark, also one pair a line.
std::string EveryByteAndPair(const Page& page) {
  std::string bytes;
  for (int b = 0; b < 256; ++b) {
    if (page.table[b] != codepage::kUnassigned) bytes += std::string(1, char(b)) + "\n";
  }
  for (const char mark : page.marks) {
    for (int b = 0; b < 256; ++b) {
      if (page.table[b] != codepage::kUnassigned && page.marks.find(char(b)) == std::string::npos) {
        bytes += std::string(1, char(b)) + mark + "\n";
      }
    }
  }
  return bytes;
}

TEST(CodePageTables, ReadAsIconvReadsThem) {
  for (const Page& page : kPages) {
    const std::string bytes = EveryByteAndPair(page);
    const std::string expected = test::Iconv(page.iconvName, "UTF-8", bytes);
    ASSERT_FALSE(expected.empty()) << page.iconvName << ": is iconv there?";
    Text text;
    page.page().Decode(bytes, text);
    EXPECT_EQ(EncodeUtf8(text), expected) << page.iconvName;
  }
}

// Writing: every character the code page reads goes back to its byte, or to
// a base and a tone mark where the code page has no byte of its own for it,
// as iconv writes it. (iconv cannot write a few characters it reads, such as
// TCVN 5712's U with acute and tilde, U+1E78: those are written as read.)
TEST(CodePageTables, WriteAsIconvWritesThem) {
  for (const Page& page : kPages) {
    Text read;
    page.page().Decode(EveryByteAndPair(page), read);
    std::u16string lines;  // each character once, on a line of its own
    for (const char16_t c : read) {
      if (c != u'\n' && lines.find(c) == std::u16string::npos) lines += std::u16string{c, u'\n'};
    }
    const std::string expected = test::Iconv(
        "UTF-16LE", page.iconvName,
        std::string(reinterpret_cast<const char*>(lines.data()), 2 * lines.size()), true);
    std::size_t at = 0, mismatches = 0, unwritten = 0;
    for (std::size_t i = 0; i < lines.size(); i += 2) {
      const std::size_t end = expected.find('\n', at);
      ASSERT_NE(end, std::string::npos) << page.iconvName;
      const std::string iconvBytes = expected.substr(at, end - at);
      at = end + 1;
      const CodePageBytes ours = page.page().Encode(lines[i]);
      std::string ourBytes(1, char(ours.first));
      if (ours.length == 2) ourBytes += char(ours.second);
      if (iconvBytes.empty()) {
        ++unwritten;
      } else if (ours.length == 0 || ourBytes != iconvBytes) {
        ++mismatches;
        ADD_FAILURE() << page.iconvName << " U+" << std::hex << int(lines[i]);
      }
    }
    EXPECT_EQ(mismatches, 0u);
    EXPECT_LT(unwritten, 10u) << page.iconvName;
  }
}

}  // namespace
}  // namespace velmora::encodings
