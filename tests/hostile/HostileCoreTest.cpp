// Hostile texts in-process, where the command line cannot bring them: lone
// surrogates (no valid UTF-8 spells one) and other odd code units, through
// every command's conversion and every pair of representation codes.
#include <gtest/gtest.h>

#include <string>

#include "Encodings/Utf8.h"
#include "ModMain/Letters/ConvertCharset.h"
#include "ModMain/Records/MarcEditExport.h"
#include "cli/Commands.h"
#include "support/TextPrinting.h"

namespace velmora {
namespace {

constexpr char16_t kHigh = 0xD800, kLow = 0xDC00;

// A record with lone surrogates, a low-high pair in the wrong order, NUL,
// U+FFFF, U+FEFF and the line and paragraph separators in its values.
Text OddRecord() {
  Text s = u"245    10$aT\u1EC7  $bS\r\n650     7$aA  $xB\r\n";
  for (const char16_t unit : {kHigh, kLow, u'\0', u'\uFFFF', u'\uFEFF', u'\u2028', u'\u2029'}) {
    s = text::Replace(s, u"  ", Text(u" ") + unit + u" ");
  }
  s += Text{kLow, kHigh} + u"\r\n" + Text(1, kHigh);
  return s;
}

std::size_t LoneSurrogates(TextView s) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < s.size();) {
    const text::CodePoint codePoint = text::CodePointAt(s, i);
    count += text::IsSurrogate(codePoint.value) ? 1 : 0;
    i += codePoint.units;
  }
  return count;
}

TEST(HostileCore, LoneSurrogatesPassThroughEveryCommand) {
  const Text record = OddRecord();
  for (const cli::Command& command : cli::AllCommands()) {
    if (!std::holds_alternative<cli::SourceCommand>(command.kind) &&
        !std::holds_alternative<cli::WholeTextCommand>(command.kind)) {
      continue;  // reads bytes of its own
    }
    for (const bool working : {false, true}) {
      if (working && cli::SourceOf(command) == nullptr) continue;
      const Text result = *cli::ConvertCopied(command, working, record);
      // The command line writes a lone surrogate as U+FFFD: valid UTF-8 always.
      EXPECT_TRUE(encodings::DecodeUtf8(encodings::EncodeUtf8(result), nullptr)) << command.name;
      // A conversion keeps or drops characters; it never splits a pair.
      EXPECT_LE(LoneSurrogates(result), LoneSurrogates(record)) << command.name;
    }
  }
  // The letter conversion and the export keep every one of them.
  EXPECT_TEXT_EQ(letters::ConvertCharset(record, letters::CharsetUnicode, letters::CharsetUnicode),
                 record);
  EXPECT_EQ(LoneSurrogates(records::ExportMarcEdit(record)), LoneSurrogates(record));
}

TEST(HostileCore, EveryPairOfCodesTakesAnyCodeUnit) {
  Text everyUnit;
  for (char32_t unit = 0; unit <= 0xFFFF; ++unit) everyUnit.push_back(static_cast<char16_t>(unit));
  const std::int32_t codes[] = {INT32_MIN, -1, 0, 1, 2, 3, 4, 5, 6, INT32_MAX};
  for (const std::int32_t from : codes) {
    for (const std::int32_t to : codes) {
      const Text converted = letters::ConvertCharset(everyUnit, from, to);
      EXPECT_LE(converted.size(), 2 * everyUnit.size()) << from << " -> " << to;
      if (to < 1 || to > 5) {
        EXPECT_EQ(converted, everyUnit) << from << " -> " << to;
      }
    }
  }
}

}  // namespace
}  // namespace velmora
