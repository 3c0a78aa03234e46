#include "reference/LiteralSources.h"

#include "reference/LiteralIlibHueMarcEdit.h"
#include "reference/LiteralRewrites.h"
#include "reference/LiteralSourceRewrites.h"

namespace velmora::reference {
namespace {

constexpr LiteralSource kLiteralSources[] = {
    {records::SourceId::Libol, LiteralLibolRewrite, RecordPieces},
    {records::SourceId::LacViet, LiteralLacVietRewrite, SourceLayoutPieces},
    {records::SourceId::Verbrary, LiteralVerbraryRewrite, SourceLayoutPieces},
    {records::SourceId::Ilib, LiteralIlibRewrite, IlibPieces},
    {records::SourceId::Emiclib, LiteralLacVietRewrite, SourceLayoutPieces},
    {records::SourceId::Hue, LiteralHueRewrite, HuePieces},
};

}  // namespace

std::span<const LiteralSource> LiteralSources() {
  return kLiteralSources;
}

const LiteralSource* LiteralSourceOf(records::SourceId id) {
  for (const LiteralSource& literal : kLiteralSources) {
    if (literal.id == id) return &literal;
  }
  return nullptr;
}

Text RandomCopiedText(std::mt19937& random, const LiteralSource& literal, int maxPieces) {
  const Text copied = RandomText(random, literal.pieces(), maxPieces);
  return records::SourceOf(literal.id).startMarker ? Text(text::kStartMarker) + copied : copied;
}

}  // namespace velmora::reference
