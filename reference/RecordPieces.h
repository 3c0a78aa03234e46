// What random record texts are made of, for every check that makes them:
// the tests, the fuzz harnesses (whose bytes pick these pieces) and the
// benchmarks all read this one vocabulary.
#pragma once

#include <random>
#include <span>
#include <vector>

#include "ModMain/Records/Rewrite.h"
#include "ModMain/Text/Text.h"

namespace velmora::reference {

// Tags and digits ("000", which is never a tag, a year), line breaks, runs of
// spaces, the punctuation of the working text and of every source layout,
// the start marker, subfield codes and other letters, Vietnamese letters
// precomposed and as base + combining mark, single bytes of the 8-bit
// representations, and code units that break naive code (NUL, lone
// surrogates, U+FFFF, U+2028). A fuzz input's bytes pick pieces by their
// number modulo the count, so any change here changes what the committed
// corpora spell: add a piece only with a reason.
std::span<const TextView> RecordPieces();

// The pieces that `steps` look for: each Replace's text, each tag rule's
// pattern around a tag, around "000" and around a tag cut short, a subfield
// code between two bars, the start of a line a line rule rewrites. Drawn
// beside RecordPieces, they make the steps' matches, near misses and
// overlaps common in random texts.
std::vector<Text> StepPieces(std::span<const records::RewriteStep> steps);

// A random text of up to `maxPieces` pieces, each drawn from `pieces`.
Text RandomText(std::mt19937& random, std::span<const TextView> pieces, int maxPieces);

// A random record text of up to `maxPieces` pieces: each from RecordPieces,
// or, with even odds when `focus` is given, from `focus` (what the code
// under test looks for, such as StepPieces).
Text RandomRecordText(std::mt19937& random, int maxPieces, std::span<const Text> focus = {});

}  // namespace velmora::reference
