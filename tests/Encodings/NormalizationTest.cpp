#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <sstream>

#include "Encodings/Normalization.h"
#include "ToolOutput.h"
#include "support/TextPrinting.h"

namespace velmora::encodings {
namespace {

// Unicode's own conformance test, shipped by unicode-data (scripts/deps.sh
// installs it with the test tools).
constexpr const char* kNormalizationTest = "/usr/share/unicode/NormalizationTest.txt.bz2";

Text CodePoints(std::string_view field) {
  Text text;
  std::istringstream words{std::string(field)};
  for (std::string hex; words >> hex;) {
    text::AppendCodePoint(static_cast<char32_t>(std::stoul(hex, nullptr, 16)), text);
  }
  return text;
}

struct ConformanceLine {
  int number;
  std::array<Text, 5> columns;
};

struct Conformance {
  std::vector<ConformanceLine> lines;
  std::set<char32_t> partOne;  // the single code points of part 1, which are tested there
};

std::optional<Conformance> ReadConformance() {
  const std::optional<test::ToolOutput> text =
      test::RunTool("/bin/bzcat", {kNormalizationTest}, "");
  if (!text || text->exitCode != 0) return std::nullopt;
  Conformance conformance;
  std::istringstream lines(text->out);
  bool inPartOne = false;
  int number = 0;
  for (std::string line; std::getline(lines, line);) {
    ++number;
    if (line.starts_with("@Part")) inPartOne = line.starts_with("@Part1");
    if (line.empty() || line[0] == '#' || line[0] == '@') continue;
    ConformanceLine parsed{number, {}};
    std::size_t start = 0;
    for (Text& column : parsed.columns) {
      const std::size_t end = line.find(';', start);
      column = CodePoints(std::string_view(line).substr(start, end - start));
      start = end + 1;
    }
    if (inPartOne) conformance.partOne.insert(text::CodePointAt(parsed.columns[0], 0).value);
    conformance.lines.push_back(std::move(parsed));
  }
  return conformance;
}

// Every line: NFC(c1..c3) is c2 and NFC(c4, c5) is c4; NFD(c1..c3) is c3 and
// NFD(c4, c5) is c5 (the other columns are the compatibility forms).
TEST(Normalization, AgreesWithEveryLineOfUnicodesConformanceTest) {
  const std::optional<Conformance> conformance = ReadConformance();
  if (!conformance) {
    GTEST_SKIP() << kNormalizationTest << " cannot be read: install unicode-data and bzip2";
  }
  ASSERT_GT(conformance->lines.size(), 19000u);
  std::size_t failures = 0;
  const auto check = [&](const ConformanceLine& line, const char* form, const Text& got,
                         const Text& expected, int column) {
    if (got == expected) return;
    if (++failures <= 20) {
      ADD_FAILURE() << "line " << line.number << ": " << form << "(c" << column << ") is "
                    << test::Readable(got) << ", expected " << test::Readable(expected);
    }
  };
  for (const ConformanceLine& line : conformance->lines) {
    const auto& c = line.columns;
    for (int i : {0, 1, 2}) check(line, "NFC", ToNfc(c[i]), c[1], i + 1);
    for (int i : {3, 4}) check(line, "NFC", ToNfc(c[i]), c[3], i + 1);
    for (int i : {0, 1, 2}) check(line, "NFD", ToNfd(c[i]), c[2], i + 1);
    for (int i : {3, 4}) check(line, "NFD", ToNfd(c[i]), c[4], i + 1);
    if (IsNfc(c[0]) != (c[0] == c[1])) {
      ++failures;
      ADD_FAILURE() << "line " << line.number << ": IsNfc(c1) is wrong";
    }
    Text inPlace = c[2];
    ToNfcInPlace(inPlace);
    check(line, "NFC in place", inPlace, c[1], 3);
  }
  EXPECT_EQ(failures, 0u);
}

// Part 1 lists every code point that some form changes; all the others are
// left as they are by both forms.
TEST(Normalization, LeavesEveryCodePointThatTheConformanceTestDoesNotListAsItIs) {
  const std::optional<Conformance> conformance = ReadConformance();
  if (!conformance) {
    GTEST_SKIP() << kNormalizationTest << " cannot be read: install unicode-data and bzip2";
  }
  std::size_t failures = 0;
  for (char32_t c = 0; c < 0x110000; ++c) {
    if (text::IsSurrogate(c) || conformance->partOne.count(c) != 0) continue;
    Text one;
    text::AppendCodePoint(c, one);
    if ((ToNfc(one) != one || ToNfd(one) != one) && ++failures <= 20) {
      ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(c) << " changed";
    }
  }
  EXPECT_EQ(failures, 0u);
}

// Texts the conformance test does not hold: the Vietnamese spellings, lone
// surrogates, long runs of marks and text that is NFC already.
TEST(Normalization, ComposesVietnameseInEverySpellingAndKeepsWhatIsNotACharacter) {
  test::ExpectConversions(ToNfc, {
                                     {u"Vie\u0323\u0302t", u"Vi\u1EC7t"},   // ệ, canonical order
                                     {u"Vie\u0302\u0323t", u"Vi\u1EC7t"},   // ệ, marks swapped
                                     {u"Vi\u00EA\u0323t", u"Vi\u1EC7t"},    // ê + dot below
                                     {u"Vi\u1EB9\u0302t", u"Vi\u1EC7t"},    // ẹ + circumflex
                                     {u"o\u031B\u0300", u"\u1EDD"},         // ờ
                                     {u"u\u0300\u031B", u"\u1EEB"},         // ừ, marks swapped
                                     {u"e\u0301\u0302", u"\u00E9\u0302"},   // not ế: same class
                                     {u"\u0301a", u"\u0301a"},              // a mark with no base
                                     {u"a\xD800\u0301", u"a\xD800\u0301"},  // a lone surrogate
                                     {u"\u1100\u1161\u11A8", u"\uAC01"},    // Hangul by algorithm
                                     {u"Ti\u1EBFng Vi\u1EC7t", u"Ti\u1EBFng Vi\u1EC7t"},
                                 });
  test::ExpectConversions(ToNfd, {
                                     {u"Vi\u1EC7t", u"Vie\u0323\u0302t"},
                                     {u"\u01B0\u0300", u"u\u031B\u0300"},
                                     {u"\uAC01", u"\u1100\u1161\u11A8"},
                                     {u"a\xDC00", u"a\xDC00"},
                                 });
  EXPECT_TRUE(IsNfc(u"Ti\u1EBFng Vi\u1EC7t, \u0111\u01B0\u1EDDng"));
  EXPECT_FALSE(IsNfc(u"Tie\u0302\u0301ng"));
}

// A mark run of 200 000 marks of two classes, interleaved: ordering it must
// stay linear, and so must composing a starter with a long run.
TEST(Normalization, LongRunsOfMarksTakeLinearTime) {
  const auto timeFor = [](std::size_t marks) {
    Text text = u"e";
    for (std::size_t i = 0; i < marks; ++i) text += i % 2 == 0 ? u'\u0301' : u'\u0323';
    double best = 1e9;  // the best of three, so that a busy machine does not count
    for (int run = 0; run < 3; ++run) {
      const auto start = std::chrono::steady_clock::now();
      const Text nfc = ToNfc(text);
      const Text nfd = ToNfd(text);
      best = std::min(
          best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
      EXPECT_EQ(nfc.size(), marks);  // e and a dot below composed into ẹ
      EXPECT_EQ(nfd.size(), marks + 1);
    }
    return best;
  };
  timeFor(1000);  // the tables are made
  const double small = timeFor(20000), large = timeFor(200000);
  // Ten times the marks: about ten times the time, where ordering by
  // insertion would take a hundred times (seconds). Generous bounds.
  EXPECT_LT(large, 30 * small + 0.5);
}

}  // namespace
}  // namespace velmora::encodings
