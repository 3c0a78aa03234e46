#include "ModMain/Records/SourceLayout.h"

#include <array>
#include <cstddef>

#include "Messages/Translate.h"

namespace velmora::records {
namespace {

constexpr std::size_t kTagLength = 3;

// A blank indicator: "#" (Libol, Verbrary), "_" (LacViet, Emiclib) or a space.
bool IsIndicator(char16_t c) {
  return text::IsAsciiDigit(c) || c == u'#' || c == u'_' || c == text::kSpace;
}

bool IsSubfieldCode(char16_t c) {
  return (c >= u'a' && c <= u'z') || text::IsAsciiDigit(c);
}

// How many indicator characters, at most `most`, stand at the start of `s`.
std::size_t IndicatorRun(TextView s, std::size_t most) {
  std::size_t n = 0;
  while (n < most && n < s.size() && IsIndicator(s[n])) ++n;
  return n;
}

bool StartsWith(TextView s, std::size_t at, TextView prefix) {
  return at <= s.size() && s.substr(at).starts_with(prefix);
}

bool CodeAt(TextView s, std::size_t at) {
  return at < s.size() && IsSubfieldCode(s[at]);
}

// What follows the tag of a data field line, layout by layout:
// «    10$a…» (Libol; up to three blanks before "$", as «020      $a» has).
bool FitsLibol(TextView rest) {
  if (!rest.starts_with(u"    ")) return false;
  const std::size_t at = 4 + IndicatorRun(rest.substr(4), 3);
  return StartsWith(rest, at, u"$") && at + 1 < rest.size() && rest[at + 1] != text::kSpace;
}

// «⇥1_|a…» (LacViet, Emiclib).
bool FitsLacViet(TextView rest) {
  if (!rest.starts_with(u"\t")) return false;
  const std::size_t at = 1 + IndicatorRun(rest.substr(1), 2);
  return StartsWith(rest, at, u"|") && CodeAt(rest, at + 1);
}

// «⇥1#⇥|a…» (Verbrary).
bool FitsVerbrary(TextView rest) {
  if (!rest.starts_with(u"\t")) return false;
  const std::size_t at = 1 + IndicatorRun(rest.substr(1), 2);
  return StartsWith(rest, at, u"\t|") && CodeAt(rest, at + 2);
}

// «⇥1 ⇥a⇥…» (iLib): the code in a column of its own.
bool FitsIlib(TextView rest) {
  if (!rest.starts_with(u"\t")) return false;
  const std::size_t at = 1 + IndicatorRun(rest.substr(1), 2);
  return StartsWith(rest, at, u"\t") && CodeAt(rest, at + 1) && StartsWith(rest, at + 2, u"\t");
}

// «10  a…», «  a…», « 7  a…» (Hue): indicators or none, two spaces, the code.
bool FitsHue(TextView rest) {
  for (std::size_t indicators = 0; indicators <= 2 && indicators <= rest.size(); ++indicators) {
    bool digitsOrSpaces = true;
    for (std::size_t i = 0; i < indicators; ++i) {
      digitsOrSpaces = digitsOrSpaces && (text::IsAsciiDigit(rest[i]) || rest[i] == text::kSpace);
    }
    if (digitsOrSpaces && StartsWith(rest, indicators, u"  ") && CodeAt(rest, indicators + 2)) {
      return true;
    }
  }
  return false;
}

// Each layout: its name as a cataloguer says it, and whether what follows
// the tag of a data field line has its shape. The systems' names stay as
// they are in every language; a name that joins them with a word is
// translated where a message shows it.
struct LayoutRow {
  SourceLayout layout;
  std::string_view name;
  bool (*fits)(TextView rest);
};
// Libol before Hue: «245    10$a» would also pass as Hue indicators «  ».
constexpr LayoutRow kLayouts[] = {
    {SourceLayout::Libol, "Libol", FitsLibol},
    {SourceLayout::LacVietEmiclib, messages::Translatable("LacViet or Emiclib"), FitsLacViet},
    {SourceLayout::Verbrary, "Verbrary", FitsVerbrary},
    {SourceLayout::Ilib, "iLib", FitsIlib},
    {SourceLayout::Hue, "Hue, Hai Phong", FitsHue},
};
static_assert(
    [] {
      for (const LayoutRow& row : kLayouts) {
        const auto value = static_cast<std::size_t>(row.layout);
        if (value == 0 || value > std::size(kLayouts)) return false;
      }
      return true;
    }(),
    "every layout but None has a row: the lines are counted by layout value");

// Tags 010-999 hold subfields; 000-009 are control fields, which every
// layout writes much alike.
bool IsDataFieldLine(TextView line) {
  if (line.size() < kTagLength) return false;
  for (std::size_t i = 0; i < kTagLength; ++i) {
    if (!text::IsAsciiDigit(line[i])) return false;
  }
  return !(line[0] == u'0' && line[1] == u'0');
}

SourceLayout LayoutOfLine(TextView line) {
  const TextView rest = line.substr(kTagLength);
  for (const LayoutRow& row : kLayouts) {
    if (row.fits(rest)) return row.layout;
  }
  return SourceLayout::None;
}

}  // namespace

SourceLayout RecognizeSourceLayout(TextView copied) {
  std::array<std::size_t, std::size(kLayouts) + 1> fitting{};  // by SourceLayout
  std::size_t dataLines = 0;
  std::size_t lineStart = 0;
  while (lineStart < copied.size()) {
    std::size_t lineEnd = copied.find_first_of(u"\r\n", lineStart);
    if (lineEnd == TextView::npos) lineEnd = copied.size();
    const TextView line = copied.substr(lineStart, lineEnd - lineStart);
    if (IsDataFieldLine(line)) {
      ++dataLines;
      ++fitting[static_cast<std::size_t>(LayoutOfLine(line))];
    }
    lineStart = lineEnd + 1;
  }
  std::size_t best = 1;  // index 0 counts the lines that fit no layout
  for (std::size_t layout = 2; layout < fitting.size(); ++layout) {
    if (fitting[layout] > fitting[best]) best = layout;
  }
  const std::size_t winner = fitting[best];
  if (winner == 0) return SourceLayout::None;
  std::size_t others = 0;
  for (std::size_t layout = 1; layout < fitting.size(); ++layout) {
    if (layout != best) others += fitting[layout];
  }
  // Most field lines fit the layout, and a line of another layout is at most
  // a stray one in ten: a text that mixes layouts is none of them.
  const bool mostFit = 3 * winner >= 2 * dataLines;
  const bool othersStray = others * 10 <= winner;
  return mostFit && othersStray ? static_cast<SourceLayout>(best) : SourceLayout::None;
}

std::string_view SourceLayoutName(SourceLayout layout) {
  for (const LayoutRow& row : kLayouts) {
    if (row.layout == layout) return row.name;
  }
  return {};
}

bool NameTakesAn(std::string_view name) {
  if (name.empty()) return false;
  const char first = static_cast<char>(name.front() | 0x20);  // ASCII lowercase
  return std::string_view("aeiou").find(first) != std::string_view::npos;
}

}  // namespace velmora::records
