// The library systems whose copied records Velmora converts, one row each.
// The command line's commands, the window's source buttons, the fuzz
// harnesses, the sample records and the tests that loop over sources all
// read this table; adding a source is its step list (a header of its own,
// like LibolSteps.h), its row, its sample and its layout (SourceLayout.cpp).
#pragma once

#include <iterator>
#include <span>
#include <string_view>
#include <vector>

#include "Messages/Translate.h"
#include "ModMain/Records/CatalogRecord.h"
#include "ModMain/Records/CatalogRecordHue.h"
#include "ModMain/Records/HueSteps.h"
#include "ModMain/Records/IlibSteps.h"
#include "ModMain/Records/LacVietSteps.h"
#include "ModMain/Records/LibolSteps.h"
#include "ModMain/Records/Rewrite.h"
#include "ModMain/Records/SourceLayout.h"
#include "ModMain/Records/VerbrarySteps.h"
#include "ModMain/Text/Text.h"

namespace velmora::records {

enum class SourceId { Libol, LacViet, Verbrary, Ilib, Emiclib, Hue };

// Where the window's button takes the text it converts from.
enum class InputFrom {
  Clipboard,  // the copied text, put into the box first
  TextBox,    // the box's text as it stands (a previous result, or hand-edited)
};

// A record rebuild: the output record, and the same with the origin of each
// output field, from which the MARC formats take the source's indicators.
struct RecordRebuild {
  Text (*build)(TextView working);
  TracedRecord (*traced)(TextView working);
};
inline constexpr RecordRebuild kCatalogRecordRebuild{BuildCatalogRecord, BuildCatalogRecordTraced};
// The variant rebuild, which gathers the subfields of one output field from
// repeated source fields.
inline constexpr RecordRebuild kVariantRecordRebuild{BuildCatalogRecordHue,
                                                     BuildCatalogRecordHueTraced};

struct SourceSystem {
  SourceId id;
  std::string_view name;     // its command on the command line: "libol"
  std::string_view title;    // its name in messages: "Libol"
  std::string_view control;  // its window button: "CmdLibol"
  std::string_view caption;  // the button's caption
  std::string_view summary;  // what the conversion does, in plain words
  InputFrom input;
  SourceLayout layout;                 // how its copied records look
  std::span<const RewriteStep> steps;  // its rewrite: copied text -> working text
  bool joinsLetters;                   // base letter + tone mark joined after the rewrite
  RecordRebuild rebuild;               // working text -> output record
  std::string_view sample;  // examples/<sample>.txt, and <sample>.expected.txt its result
};

// The window's button names come from the libraries that first used each
// system, not from the systems: CmdLacViet is the Verbrary button and
// CmdDaNang the LacViet one.
inline constexpr SourceSystem kSources[] = {
    {.id = SourceId::Libol,
     .name = "libol",
     .title = "Libol",
     .control = "CmdLibol",
     .caption = "Libol",
     .summary = messages::Translatable("a record copied from Libol -> output record"),
     .input = InputFrom::Clipboard,
     .layout = SourceLayout::Libol,
     .steps = kLibolSteps,
     .joinsLetters = false,
     .rebuild = kCatalogRecordRebuild,
     .sample = "libol"},
    {.id = SourceId::LacViet,
     .name = "lacviet",
     .title = "LacViet",
     .control = "CmdDaNang",
     .caption = "LacViet (Dak Nong, Ca Mau, Hoi An)",
     .summary = messages::Translatable(
         "a record copied from LacViet -> output record, decomposed letters joined"),
     .input = InputFrom::Clipboard,
     .layout = SourceLayout::LacVietEmiclib,
     .steps = kLacVietSteps,
     .joinsLetters = true,
     .rebuild = kCatalogRecordRebuild,
     .sample = "lacviet"},
    {.id = SourceId::Verbrary,
     .name = "verbrary",
     .title = "Verbrary",
     .control = "CmdLacViet",
     .caption = "Verbrary (Dong Nai)",
     .summary = messages::Translatable(
         "a record copied from Verbrary -> output record, each subject subdivision a "
         "heading of its own, decomposed letters joined"),
     .input = InputFrom::Clipboard,
     .layout = SourceLayout::Verbrary,
     .steps = kVerbrarySteps,
     .joinsLetters = true,
     .rebuild = kCatalogRecordRebuild,
     .sample = "verbrary"},
    {.id = SourceId::Ilib,
     .name = "ilib",
     .title = "iLib",
     .control = "CmdTvDakLak",
     .caption = "Ilib 4X-8X",
     .summary = messages::Translatable("a record copied from iLib -> output record"),
     .input = InputFrom::Clipboard,
     .layout = SourceLayout::Ilib,
     .steps = kIlibSteps,
     .joinsLetters = false,
     .rebuild = kCatalogRecordRebuild,
     .sample = "ilib"},
    {.id = SourceId::Emiclib,
     .name = "emiclib",
     .title = "Emiclib",
     .control = "CmdTVHCM",
     .caption = "Emiclib (VLong, HCM)",
     .summary = messages::Translatable(
         "a record copied from Emiclib (the LacViet layout) -> output record, letters as copied"),
     .input = InputFrom::Clipboard,
     .layout = SourceLayout::LacVietEmiclib,
     .steps = kLacVietSteps,
     .joinsLetters = false,
     .rebuild = kCatalogRecordRebuild,
     .sample = "emiclib"},
    {.id = SourceId::Hue,
     .name = "hue",
     .title = "Hue",
     .control = "CmdHue",
     .caption = "Hue, Hai Phong",
     .summary = messages::Translatable(
         "a record in the form of the Hue and Hai Phong libraries -> output record, repeated "
         "fields gathered into one; the window's button for it is hidden and takes the box's text"),
     .input = InputFrom::TextBox,
     .layout = SourceLayout::Hue,
     .steps = kHueSteps,
     .joinsLetters = false,
     .rebuild = kVariantRecordRebuild,
     .sample = "hue"},
};

namespace detail {
constexpr bool RowsInIdOrder() {
  for (std::size_t i = 0; i < std::size(kSources); ++i) {
    if (static_cast<std::size_t>(kSources[i].id) != i) return false;
  }
  return true;
}
}  // namespace detail
static_assert(detail::RowsInIdOrder(), "SourceOf indexes the table by id");

constexpr std::span<const SourceSystem> Sources() {
  return kSources;
}
constexpr const SourceSystem& SourceOf(SourceId id) {
  return kSources[static_cast<std::size_t>(id)];
}
// The row whose command-line name is `name`, or nullptr.
const SourceSystem* FindSource(std::string_view name);

// The rows whose copied records look like `layout` (LacViet and Emiclib
// share theirs), in table order.
std::vector<const SourceSystem*> SourcesWithLayout(SourceLayout layout);

// Whether `text` holds anything but spaces, tabs and line breaks.
bool HoldsMoreThanWhiteSpace(TextView text);

// The copied text (line breaks as CRLF) to the working text: the source's
// steps, then the letters joined where the source joins them.
Text WorkingText(const SourceSystem& source, TextView copied);

// The same in the buffer of `copied`, so that a large text is held once:
// room left in it beyond its size takes what the steps add (the start
// marker in front) without moving to a larger buffer.
Text WorkingTextInPlace(const SourceSystem& source, Text copied);

// The whole conversion of the source's button: the working text rebuilt into
// the output record.
Text ConvertRecord(const SourceSystem& source, TextView copied);

}  // namespace velmora::records
