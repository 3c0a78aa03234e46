// A whole input converted as one text: read in and written out a block at a
// time, so that a large input's bytes are never held beside its text, nor
// its result beside the bytes written for it.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "ModMain/Text/Text.h"

namespace velmora::cli {

enum class ReadResult {
  Read,
  Unreadable,
  Undecodable,
  UnmarkedUtf16,  // UTF-16 without its byte order mark (SniffUnmarkedUtf16)
};

// Reads all of `path` (standard input when it is empty or "-") as the copied
// text a conversion takes: UTF-8, or UTF-16 with its byte order mark, every
// line break as CRLF. A regular file's text gets room beyond its size for
// what a rewrite adds in place (WorkingTextInPlace). `start` gets the input's
// first bytes, as many as detection reads (DetectionSample), to name what an
// input that does not decode reads as. Unless it reads, `error` says why: the
// system's reason, or where the input does not decode.
ReadResult ReadCopiedText(std::string_view path, Text& text, std::string& start,
                          std::string& error);

// Hands `text` to `write` as UTF-8, each CRLF as `lineBreak`, a block at a time.
void EncodeInBlocks(TextView text, std::string_view lineBreak,
                    const std::function<void(std::string_view)>& write);

}  // namespace velmora::cli
