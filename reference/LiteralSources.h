// The literal rewrite of each source system, with the pieces its random test
// texts are made of, keyed by the source table's ids.
#pragma once

#include <random>
#include <span>

#include "ModMain/Records/Sources.h"

namespace velmora::reference {

struct LiteralSource {
  records::SourceId id;
  Text (*rewrite)(Text);                  // the literal form of the source's rewrite
  std::span<const TextView> (*pieces)();  // what its random texts are made of
};

// One row per source that has a literal form of its rewrite.
std::span<const LiteralSource> LiteralSources();

// The row of `id`, or nullptr when the source has no literal form.
const LiteralSource* LiteralSourceOf(records::SourceId id);

// A random copied text for `literal`'s source, as its rewrite receives it
// (the start marker in front where the source puts it there).
Text RandomCopiedText(std::mt19937& random, const LiteralSource& literal, int maxPieces);

}  // namespace velmora::reference
