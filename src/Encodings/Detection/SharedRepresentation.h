// One representation for several short pieces of text that share it: the
// fields of a record, each a dozen to a few dozen bytes. Alone such a piece
// is one to a few words and mostly refused (DetectPieceRepresentation);
// together they tell, and a piece that reads clearly as another
// representation on its own (a field written in UTF-8 in a TCVN3 record) is
// named rather than decided with the rest.
//
//   TCVN3's «Tác giả», «Năm xuất bản», «Hà Nội»   each refused alone; tcvn3
//                                                  together
//   the same with «Hà Nội» in UTF-8                tcvn3, and piece 2 reads
//                                                  as unicode
#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "Encodings/Detection/DetectRepresentation.h"

namespace velmora::detection {

struct SharedGuess {
  // The decision for the pieces, as DetectPieceRepresentation makes it for
  // their bytes one after another, a line each: its verdict, representation,
  // rival and confidence; `reading` is those lines. When some pieces read
  // differently from a decision on all of them, it is made again without
  // those.
  RepresentationGuess shared;
  // The pieces that read clearly as another representation on their own: a
  // choice of their own (Chosen) that reads their bytes as another text than
  // `shared` does. By index, in order, each with its own guess.
  struct Piece {
    std::size_t index;
    RepresentationGuess guess;
  };
  std::vector<Piece> readDifferently;
};

// Decides the pieces' representation together. Linear in their total size;
// no piece is cut (unlike DetectionSample), so a caller bounds what it passes
// (a record, not a file). No pieces, or none but those read differently,
// give NotVietnamese.
SharedGuess DetectSharedRepresentation(std::span<const std::string_view> pieces);

}  // namespace velmora::detection
