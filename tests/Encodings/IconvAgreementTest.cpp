// Real Vietnamese prose from Debian packages (the maintainers' guide and the
// manual pages in Vietnamese), written by iconv in each code page: reading it
// gives exactly what iconv reads, and writing VISCII and TCVN 5712 gives
// exactly the bytes iconv writes.
#include <gtest/gtest.h>

#include <string>

#include "Encodings/Codecs.h"
#include "Encodings/Utf8.h"
#include "Iconv.h"

namespace velmora::encodings {
namespace {

const std::string& Prose() {
  static const std::string prose = [] {
    std::string text = test::PackageText("/usr/share/doc/maint-guide-vi/maint-guide.vi.txt.gz");
    for (const char* page : {"advanced", "build", "checkit", "dother", "dreq", "first", "index",
                             "modify", "start", "update", "upload"}) {
      text +=
          test::PackageText(std::string("/usr/share/doc/maint-guide-vi/html/") + page + ".vi.html");
    }
    FILE* pages = ::popen("find /usr/share/man/vi -name '*.gz' | sort | xargs -r zcat", "r");
    char buffer[1 << 16];
    for (std::size_t got; pages && (got = std::fread(buffer, 1, sizeof buffer, pages)) > 0;) {
      text.append(buffer, got);
    }
    if (pages) ::pclose(pages);
    return text;
  }();
  return prose;
}

struct Page {
  const char* iconvName;
  Text (*decode)(std::string_view);
  Representation representation;
  bool writtenAsIconv;
};

TEST(IconvAgreement, ReadsAndWritesProseAsIconvDoes) {
  ASSERT_GT(Prose().size(), 1'000'000u) << "install maint-guide-vi and manpages-vi";
  const Page pages[] = {
      {"CP1258", DecodeCp1258, Representation::Cp1258, false},  // written decomposed instead
      {"VISCII", DecodeViscii, Representation::Viscii, true},
      {"TCVN5712-1", DecodeTcvn5712, Representation::Tcvn5712, true},
  };
  for (const Page& page : pages) {
    const std::string bytes = test::Iconv("UTF-8", page.iconvName, Prose(), true);
    const std::string read = test::Iconv(page.iconvName, "UTF-8", bytes);
    ASSERT_GT(read.size(), Prose().size() * 9 / 10) << page.iconvName;
    EXPECT_TRUE(EncodeUtf8(page.decode(bytes)) == read) << page.iconvName << ": reading differs";
    if (!page.writtenAsIconv) continue;
    std::string written;
    EncodeReport report;
    EXPECT_TRUE(
        EncodeRepresentation(page.representation, *DecodeUtf8(read, nullptr), {}, written, report))
        << page.iconvName;
    EXPECT_TRUE(written == test::Iconv("UTF-8", page.iconvName, read))
        << page.iconvName << ": writing differs";
  }
}

}  // namespace
}  // namespace velmora::encodings
