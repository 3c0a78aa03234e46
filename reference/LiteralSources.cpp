#include "reference/LiteralSources.h"

#include "reference/LiteralIlibHueMarcEdit.h"
#include "reference/LiteralRewrites.h"
#include "reference/LiteralSourceRewrites.h"

namespace velmora::reference {
namespace {

constexpr LiteralSource kLiteralSources[] = {
    {SourceId::Libol, LiteralLibolRewrite, RecordPieces},
    {SourceId::LacViet, LiteralLacVietRewrite, SourceLayoutPieces},
    {SourceId::Verbrary, LiteralVerbraryRewrite, SourceLayoutPieces},
    {SourceId::Ilib, LiteralIlibRewrite, IlibPieces},
    {SourceId::Emiclib, LiteralLacVietRewrite, SourceLayoutPieces},
    {SourceId::Hue, LiteralHueRewrite, HuePieces},
};

}  // namespace

std::span<const LiteralSource> LiteralSources() {
  return kLiteralSources;
}

const LiteralSource* LiteralSourceOf(SourceId id) {
  for (const LiteralSource& literal : kLiteralSources) {
    if (literal.id == id) return &literal;
  }
  return nullptr;
}

Text RandomCopiedText(std::mt19937& random, const LiteralSource& literal, int maxPieces) {
  const Text copied = RandomText(random, literal.pieces(), maxPieces);
  return SourceOf(literal.id).startMarker ? Text(kStartMarker) + copied : copied;
}

}  // namespace velmora::reference
